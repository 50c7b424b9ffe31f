// The hidden main window: the hub that owns the serial link, the pen
// decoding, the pointer engine, the live calibration and the tray icon, and
// forwards the menu's commands, the calibration and the diagnostics to the
// objects that carry them. Its destruction ends the application.
#ifndef QXDRV_SHELL_PEN_TRAY_WND_WIN_H
#define QXDRV_SHELL_PEN_TRAY_WND_WIN_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/busy_gate.h"
#include "calib/calib_controller_win.h"
#include "calib/calib_model.h"
#include "calib/live_calibration.h"
#include "diag/diag_controller_win.h"
#include "framework/box_owner_win.h"
#include "link/port_reconnect_win.h"
#include "link/serial_link_win.h"
#include "pen/pen_router.h"
#include "pointer/pointer_engine.h"
#include "pointer/pointer_output_win.h"
#include "shell/tray_commands_win.h"
#include "shell/tray_icon_win.h"

namespace qx {

// Window class of the main window; the test probe finds the driver by it.
constexpr wchar_t kTrayWndClass[] = L"QXdrvTrayWnd";

// What the application hands the main window.
struct TrayWndServices {
    HINSTANCE instance = nullptr;
    std::wstring appName;
    std::string portName;  // the configured port; empty when there is none
    int osVersionClass = 0;
    SettingsStore* settings = nullptr;
    const StringTablePort* strings = nullptr;
    MessageBoxPort* boxes = nullptr;
    const ScreenPort* screen = nullptr;
    std::function<PropServices()> properties;
    std::function<bool(HWND, unsigned key)> registerHotKey;
    std::function<void(HWND)> unregisterHotKey;
};

class CPenTrayWnd {
public:
    explicit CPenTrayWnd(TrayWndServices services);
    ~CPenTrayWnd();
    CPenTrayWnd(const CPenTrayWnd&) = delete;
    CPenTrayWnd& operator=(const CPenTrayWnd&) = delete;

    // Creates the hidden, full-screen, top-most window (its WM_CREATE adds
    // the tray icon and starts reception), then loads the live calibration
    // and the middle-button setting.
    bool Create();
    HWND Hwnd() const { return hwnd_; }
    // Lets modeless dialogs of the window see their keyboard messages.
    bool PreTranslate(MSG* msg) { return diag_ && diag_->PreTranslate(msg); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    LRESULT OnPenData(WPARAM count, const char* text);
    void Teardown();

    TrayWndServices services_;
    HWND hwnd_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;

    BusyGate busy_;
    CalibrationModel calibModel_;
    LiveCalibration calib_;
    Win32PointerOutput pointerOutput_;
    PointerEngine engine_;
    PenRouter router_;
    SerialLink link_;
    std::unique_ptr<PortReconnector> port_;  // opens link_, again when the device comes back
    std::unique_ptr<TrayIcon> icon_;
    // Destroyed in this order's reverse: Test Mode, the cross screen, then
    // the help viewer's windows.
    std::unique_ptr<CTrayCommands> commands_;
    std::unique_ptr<CCalibController> calibration_;
    std::unique_ptr<CDiagController> diag_;
    std::unique_ptr<BoxOwnerScope> boxOwner_;  // the main window owns boxes by default
    std::uint64_t receivedBytes_ = 0;
    bool tornDown_ = false;
};

}  // namespace qx

#endif
