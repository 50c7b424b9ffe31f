// The window side of keeping the pen port open: the reconnect rules
// (link/port_reconnect.h) carried out with the serial link, the retry timer
// on the main window, the start's failure box and the system's notices of
// arriving serial devices.
#ifndef QXDRV_LINK_PORT_RECONNECT_WIN_H
#define QXDRV_LINK_PORT_RECONNECT_WIN_H

#include <windows.h>

#include <functional>
#include <string>

#include "base/ui_ports.h"
#include "framework/gdi_owners_win.h"
#include "framework/unique_owner.h"
#include "link/port_reconnect.h"
#include "link/serial_link_win.h"

namespace qx {

struct UnregisterDeviceNotificationTraits : NullMeansNone {
    static void Close(HDEVNOTIFY notify, NoContext) { ::UnregisterDeviceNotification(notify); }
};
using UniqueDeviceNotification = UniqueOwner<HDEVNOTIFY, UnregisterDeviceNotificationTraits>;

struct PortReconnectServices {
    HWND window = nullptr;  // the main window: the timer's, the notices' and the box's
    SerialLink* link = nullptr;
    std::string portName;  // as stored ("COM12:"); empty when none is configured
    unsigned sleepMs = 0;  // the delay before the start's open
    const StringTablePort* strings = nullptr;
    MessageBoxPort* boxes = nullptr;
    // Before a new receive thread starts: what was left of a line belongs to
    // the stream that ended.
    std::function<void()> newStream;
};

class PortReconnector : private PenPortControl {
public:
    explicit PortReconnector(PortReconnectServices services);
    ~PortReconnector() override;
    PortReconnector(const PortReconnector&) = delete;
    PortReconnector& operator=(const PortReconnector&) = delete;

    // Asks for the notices of arriving serial devices, then starts reception.
    void Start();
    // WM_PENLINKENDED: the receive loop ended on its own.
    void OnLinkEnded() { rules_.OnLinkEnded(); }
    void OnRetryTimer() { rules_.OnRetryTick(); }
    // WM_DEVICECHANGE.
    void OnDeviceChange(WPARAM event, LPARAM data);
    // Stops reception for good (the window is being destroyed).
    void Stop();

private:
    bool Open(bool first) override;
    void Close() override;
    void ShowOpenFailed() override;
    void SetRetryTimer(bool on) override;

    PortReconnectServices services_;
    PortReconnect rules_{*this};
    WindowTimer retry_;
    UniqueDeviceNotification arrivals_;
};

}  // namespace qx

#endif
