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
    services.liveCalibration = &calib_;
    return services;
}

void CPenTrayWnd::OnCalibration() {
    CalibHotkeyServices hotkey;
    hotkey.registerKey = [this](unsigned key) { return app_.RegisterCalibHotKey(hwnd_, key) != FALSE; };
    hotkey.unregisterKey = [this] { app_.UnregisterCalibHotKey(hwnd_); };
    hotkey.osVersionClass = app_.OsVersionClass();

    CCalibSelectDlg dialog(app_.Instance(), CalibrationServices(), hotkey);
    if (dialog.DoModal(hwnd_) == IDOK) RunCalibrationChoice(dialog.Method(), dialog.Mode());
}

void CPenTrayWnd::RunCalibrationChoice(CalibMethod method, int mode) {
    switch (method) {
    case CalibMethod::EasySetting:
        calibModel_.ReadCalibration(&calib_, mode, true);
        if (calibModel_.WriteCalibration(calib_)) calibModel_.ShowModeSelectedNotice(mode);
        break;
    case CalibMethod::Detail1:
        crossScreen_->Start();
        break;
    case CalibMethod::Detail2:
        if (CCalibDetail2Dlg(app_.Instance(), CalibrationServices()).DoModal(hwnd_) == IDOK)
            calibModel_.ReadCalibration(&calib_, mode, false);
        break;
    }
}

}  // namespace qx
