// The main window's calibration command: the selection dialog and what its
// choice runs.
#include <windows.h>

#include "app/pen_driver_app_win.h"
#include "calib/calib_detail2_dlg_win.h"
#include "calib/calib_select_dlg_win.h"
#include "shell/pen_tray_wnd_win.h"

namespace qx {

CalibServices CPenTrayWnd::CalibrationServices() {
    CalibServices services;
    services.model = &calibModel_;
    services.settings = &app_.Settings();
    services.strings = &app_.Strings();
    services.boxes = &app_.Boxes();
    services.screen = &app_.Screen();
    services.live = &calib_;
    return services;
}

void CPenTrayWnd::OnCalibration() { RunSelection(); }

CPenTrayWnd::CalibOutcome CPenTrayWnd::RunSelection() {
    CalibHotkeyServices hotkey;
    hotkey.registerKey = [this](unsigned key) { return app_.RegisterCalibHotKey(hwnd_, key) != FALSE; };
    hotkey.unregisterKey = [this] { app_.UnregisterCalibHotKey(hwnd_); };
    hotkey.osVersionClass = app_.OsVersionClass();

    CCalibSelectDlg dialog(app_.Instance(), CalibrationServices(), hotkey);
    // Ended with the main window (Exit, setup's close): nothing is applied.
    if (dialog.DoModal(hwnd_) != IDOK || tornDown_) return CalibOutcome::None;
    return RunCalibrationChoice(dialog.Method(), dialog.Mode());
}

CPenTrayWnd::CalibOutcome CPenTrayWnd::RunCalibrationChoice(CalibMethod method, int mode) {
    const int width = app_.Screen().ScreenWidth();
    const int height = app_.Screen().ScreenHeight();
    switch (method) {
    case CalibMethod::EasySetting:
        calib_.Set(calibModel_.PresetCalibration(mode));
        calibModel_.ShowModeSelectedNotice(mode);
        MarkApplied(width, height);
        return CalibOutcome::Applied;
    case CalibMethod::Detail1:
        return crossScreen_->Start() ? CalibOutcome::Detail1Running : CalibOutcome::None;
    case CalibMethod::Detail2:
        if (CCalibDetail2Dlg(app_.Instance(), CalibrationServices()).DoModal(hwnd_) != IDOK ||
            tornDown_)
            return CalibOutcome::None;
        MarkApplied(width, height);
        return CalibOutcome::Applied;
    }
    return CalibOutcome::None;
}

}  // namespace qx
