// Test Mode's lifetime with the main window, and the diagnostics counters.
#include "diag/diag_controller_win.h"

#include <utility>

namespace qx {

CDiagController::CDiagController(DiagControllerServices services)
    : services_(std::move(services)), message_(::RegisterWindowMessageW(kDiagnosticsMessage)) {}

CDiagController::~CDiagController() = default;

void CDiagController::OnTestMode() {
    if (testModeDlg_) {
        // Hidden since it was last used: the settings, the calibration or
        // the resolution may have changed meanwhile.
        if (!::IsWindowVisible(testModeDlg_->Hwnd())) testModeDlg_->Refresh();
        ::ShowWindow(testModeDlg_->Hwnd(), SW_RESTORE);
        return;
    }
    auto dialog = std::make_unique<CTestModeDlg>(services_.instance, services_.testMode);
    if (!dialog->CreateModeless(services_.window)) return;
    testModeDlg_ = std::move(dialog);
    services_.setMarks(testModeDlg_.get());
    ::ShowWindow(testModeDlg_->Hwnd(), SW_SHOW);
}

void CDiagController::DestroyTestMode() {
    if (!testModeDlg_) return;
    services_.setMarks(nullptr);
    if (testModeDlg_->InModal()) {
        // Ended from inside one of the dialog's boxes (Exit from the tray,
        // or the close message): the box still runs on the stack, in the
        // dialog's code. Its window goes now; the object goes with this
        // controller, once that call has returned.
        testModeDlg_->Abandon();
        return;
    }
    // The dialog stops its timer as its window goes.
    testModeDlg_.reset();
}

LRESULT CDiagController::Answer(WPARAM query) const {
    const DiagnosticSources& s = services_.sources;
    switch (query) {
    case kDiagReceivedBytes:
        return static_cast<LRESULT>(*s.receivedBytes);
    case kDiagLineBufferLength:
        return static_cast<LRESULT>(services_.testMode.decoder->PendingText().size());
    case kDiagButtonState:
        return static_cast<LRESULT>(services_.testMode.engine->State());
    case kDiagPenEnabled:
        return s.penEnabled() ? 1 : 0;
    case kDiagReceiving:
        return s.link->ThreadRunning() ? 1 : 0;
    case kDiagBusy:
        return s.busy->Busy();
    default:
        return -1;
    }
}

}  // namespace qx
