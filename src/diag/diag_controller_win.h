// The main window's diagnostics: Test Mode's lifetime, the engine's marks
// while it exists, and the counters the registered diagnostics message
// answers.
#ifndef QXDRV_DIAG_DIAG_CONTROLLER_WIN_H
#define QXDRV_DIAG_DIAG_CONTROLLER_WIN_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "base/busy_gate.h"
#include "diag/test_mode_dlg_win.h"
#include "link/serial_link_win.h"

namespace qx {

// Registered message that answers diagnostic questions (see DiagnosticQuery).
constexpr wchar_t kDiagnosticsMessage[] = L"QXdrvDiagnostics";

enum DiagnosticQuery : WPARAM {
    kDiagReceivedBytes = 0,  // bytes delivered by the receive thread since start
    kDiagLineBufferLength = 1,
    kDiagButtonState = 2,
    kDiagPenEnabled = 3,
    kDiagReceiving = 4,  // the receive thread is running
    kDiagBusy = 5,
};

// What the counters read besides Test Mode's decoder and engine.
struct DiagnosticSources {
    const std::uint64_t* receivedBytes = nullptr;
    const SerialLink* link = nullptr;
    const BusyGate* busy = nullptr;  // the menu's busy rule
    std::function<bool()> penEnabled;
};

struct DiagControllerServices {
    HWND window = nullptr;  // the main window, Test Mode's owner
    HINSTANCE instance = nullptr;
    TestModeServices testMode;
    // Hands the engine the dialog's marks, or takes them back (nullptr).
    std::function<void(SmallButtonObserver*)> setMarks;
    DiagnosticSources sources;
};

class CDiagController {
public:
    explicit CDiagController(DiagControllerServices services);
    ~CDiagController();
    CDiagController(const CDiagController&) = delete;
    CDiagController& operator=(const CDiagController&) = delete;

    // The Test Mode command: created once, then shown again.
    void OnTestMode();
    // The modeless dialog's keys, from the message loop.
    bool PreTranslate(MSG* msg) { return testModeDlg_ && testModeDlg_->PreTranslate(msg); }
    // With the main window, once reception has stopped.
    void DestroyTestMode();

    // The registered diagnostics message and its answer; -1 for an unknown
    // question.
    UINT Message() const { return message_; }
    LRESULT Answer(WPARAM query) const;

private:
    DiagControllerServices services_;
    UINT message_ = 0;
    std::unique_ptr<CTestModeDlg> testModeDlg_;
};

}  // namespace qx

#endif
