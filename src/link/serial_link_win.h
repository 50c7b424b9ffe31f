// The pen board's serial port and the receive thread that hands its bytes to
// the main window with WM_PENDATA.
#ifndef QXDRV_LINK_SERIAL_LINK_WIN_H
#define QXDRV_LINK_SERIAL_LINK_WIN_H

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "framework/private_ids.h"
#include "framework/scoped_handles_win.h"
#include "base/ui_ports.h"

namespace qx {

// Receive thread to main window (framework/private_ids.h): WM_PENDATA,
// wParam = byte count, lParam = the zero-terminated receive buffer, sent
// synchronously; WM_PENLINKENDED, posted when the loop ended on its own (the
// port failed or the device went away) rather than because reception was
// stopped: no report can release a held button any more.
static_assert(WM_PENLINKENDED == WM_APP + 1, "the system tests post WM_APP + 1");

class CCommRecvThread {
public:
    CCommRecvThread(HWND owner, HANDLE port, const StringTablePort& strings,
                    MessageBoxPort& boxes);
    CCommRecvThread(const CCommRecvThread&) = delete;
    CCommRecvThread& operator=(const CCommRecvThread&) = delete;

    // Creates the thread suspended and resumes it.
    bool Start();
    // 1: deliver what is read; 0: read and drop. Takes effect from the next batch.
    void SetDelivery(int on) { delivery_.store(on, std::memory_order_relaxed); }
    // No batch is sent after this; the thread still has to be released from
    // its wait.
    void RequestStop() { stopping_.store(true, std::memory_order_relaxed); }
    HANDLE Thread() const { return thread_.Get(); }

private:
    static DWORD WINAPI ThreadMain(LPVOID self);
    void ReceiveLoop();
    void ReportReadError(DWORD error);

    HWND owner_;
    HANDLE port_;  // borrowed; the link closes it
    const StringTablePort& strings_;
    MessageBoxPort& boxes_;
    std::atomic<int> delivery_{1};
    std::atomic<bool> stopping_{false};
    UniqueHandle thread_;
};

class SerialLink {
public:
    SerialLink(const StringTablePort& strings, MessageBoxPort& boxes);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Waits sleepMs, opens the port by the device path of `deviceName` (the
    // name as stored, "COM12:") and starts the receive thread, which runs
    // even without a port: its first wait fails. True when the port opened
    // and a thread reads it.
    bool Start(HWND owner, const std::string& deviceName, unsigned sleepMs);
    // Stops what runs, then opens the same port again at once and starts a
    // new receive thread on it, with the delivery flag as it was; without a
    // port no thread is started. True when reception runs again.
    bool Reopen();
    // Releases the thread from its wait and waits for it to end while still
    // serving sent messages, so a thread blocked in its WM_PENDATA send
    // cannot deadlock the stop. Then closes the port. A stop called from a
    // message served meanwhile leaves the work to the stop under way.
    void Stop();

    // The receive thread exists and has not left its loop (a failed port or a
    // failed wait ends it early).
    bool ThreadRunning() const;
    // True from the start of Stop() until a new thread starts: deliveries
    // must be ignored then.
    bool Stopping() const { return stopping_; }
    // Kept for the threads of later opens as well.
    void SetDelivery(int on);

private:
    bool StartThread();

    const StringTablePort& strings_;
    MessageBoxPort& boxes_;
    HWND owner_ = nullptr;
    std::string devicePath_;
    UniqueHandle port_;
    std::unique_ptr<CCommRecvThread> thread_;
    int delivery_ = 1;
    bool stopping_ = false;
    bool inStop_ = false;
};

}  // namespace qx

#endif
