// The main window's Test Mode command and the dialog's end with the window.
#include <windows.h>

#include "app/pen_driver_app_win.h"
#include "diag/test_mode_dlg_win.h"
#include "shell/pen_tray_wnd_win.h"

namespace qx {

void CPenTrayWnd::OnTestMode() {
    if (testModeDlg_) {
        // Hidden since it was last used: the settings, the calibration or
        // the resolution may have changed meanwhile.
        if (!::IsWindowVisible(testModeDlg_->Hwnd())) testModeDlg_->Refresh();
        ::ShowWindow(testModeDlg_->Hwnd(), SW_RESTORE);
        return;
    }
    TestModeServices services;
    services.calib = CalibrationServices();
    services.decoder = &router_.Decoder();
    services.engine = &engine_;
    services.osVersionClass = app_.OsVersionClass();
    auto dialog = std::make_unique<CTestModeDlg>(app_.Instance(), services);
    if (!dialog->CreateModeless(hwnd_)) return;
    testModeDlg_ = std::move(dialog);
    router_.SetObserver(testModeDlg_.get());
    ::ShowWindow(testModeDlg_->Hwnd(), SW_SHOW);
}

void CPenTrayWnd::DestroyTestMode() {
    if (!testModeDlg_) return;
    router_.SetObserver(nullptr);
    if (testModeDlg_->InModal()) {
        // Ended from inside one of the dialog's boxes (Exit from the tray,
        // or the close message): the box still runs on the stack, in the
        // dialog's code. Its window goes now; the object goes with this
        // window's object, once that call has returned.
        testModeDlg_->Abandon();
        return;
    }
    // The dialog stops its timer as its window goes.
    testModeDlg_.reset();
}

}  // namespace qx
