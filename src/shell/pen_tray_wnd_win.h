// The hidden main window: it owns the serial link and the pen decoding, and
// its destruction ends the application.
#ifndef QXDRV_SHELL_PEN_TRAY_WND_WIN_H
#define QXDRV_SHELL_PEN_TRAY_WND_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>

#include "link/serial_link_win.h"

namespace qx {

class CPenDriverApp;

// Window class of the main window; the test probe finds the driver by it.
constexpr wchar_t kTrayWndClass[] = L"QXdrvTrayWnd";
// Registered message that answers diagnostic questions (see DiagnosticQuery).
constexpr wchar_t kDiagnosticsMessage[] = L"QXdrvDiagnostics";

enum DiagnosticQuery : WPARAM {
    kDiagReceivedBytes = 0,  // bytes delivered by the receive thread since start
    kDiagLineBufferLength = 1,
    kDiagButtonState = 2,
    kDiagPenEnabled = 3,
    kDiagReceiving = 4,
};

class CPenTrayWnd {
public:
    explicit CPenTrayWnd(CPenDriverApp& app);
    ~CPenTrayWnd();
    CPenTrayWnd(const CPenTrayWnd&) = delete;
    CPenTrayWnd& operator=(const CPenTrayWnd&) = delete;

    // Creates the hidden, full-screen, top-most window; its WM_CREATE starts
    // reception.
    bool Create();
    HWND Hwnd() const { return hwnd_; }
    // Lets modeless dialogs of the window see their keyboard messages.
    bool PreTranslate(MSG* msg);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    LRESULT OnPenData(const char* text);
    LRESULT OnDiagnostics(WPARAM query) const;
    void Teardown();

    CPenDriverApp& app_;
    HWND hwnd_ = nullptr;
    UINT diagnosticsMessage_ = 0;

    std::string portName_;  // empty while the pen's COM port is disabled
    SerialLink link_;
    std::string lineBuffer_;
    std::uint64_t receivedBytes_ = 0;
    bool tornDown_ = false;
};

}  // namespace qx

#endif
