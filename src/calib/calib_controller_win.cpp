// The Calibration command: the selection dialog, what its choice runs, and
// the four-cross screen's end.
#include "calib/calib_controller_win.h"

#include <utility>

#include "calib/calib_detail2_dlg_win.h"
#include "calib/calib_select_dlg_win.h"

namespace qx {

CCalibController::CCalibController(const CalibControllerServices& services,
                                   CrossScreenServices screen)
    : services_(services), window_(std::move(screen)) {
    window_.ended = [this](bool stored) { OnCrossCalibrationEnded(stored); };
    crossScreen_ = std::make_unique<CCrossCalibScreen>(window_, services_.calib);
}

bool CCalibController::BringRunningToFront() {
    if (!CalibrationRunning()) return false;
    crossScreen_->BringToFront();
    return true;
}

CCalibController::CalibOutcome CCalibController::RunSelection() {
    CCalibSelectDlg dialog(window_.instance, services_.calib, services_.hotkey);
    // Ended with the main window (Exit, setup's close): nothing is applied.
    if (dialog.DoModal(Window()) != IDOK || Ending()) return CalibOutcome::None;
    return RunCalibrationChoice(dialog.Method(), dialog.Mode());
}

CCalibController::CalibOutcome CCalibController::RunCalibrationChoice(CalibMethod method,
                                                                      int mode) {
    const int width = Screen().ScreenWidth();
    const int height = Screen().ScreenHeight();
    switch (method) {
    case CalibMethod::EasySetting:
        Live().Set(Model().PresetCalibration(mode));
        Model().ShowModeSelectedNotice(mode);
        MarkApplied(width, height);
        return CalibOutcome::Applied;
    case CalibMethod::Detail1:
        return crossScreen_->Start() ? CalibOutcome::Detail1Running : CalibOutcome::None;
    case CalibMethod::Detail2:
        if (CCalibDetail2Dlg(window_.instance, services_.calib).DoModal(Window()) != IDOK ||
            Ending())
            return CalibOutcome::None;
        MarkApplied(width, height);
        return CalibOutcome::Applied;
    }
    return CalibOutcome::None;
}

void CCalibController::OnCrossCalibrationEnded(bool stored) {
    if (detail1FromQuestion_) {
        detail1FromQuestion_ = false;
        if (stored) {
            MarkApplied(detail1Asked_.width, detail1Asked_.height);
        } else {
            LeaveWithoutResult(detail1Asked_);
        }
    } else if (stored) {
        MarkApplied(Screen().ScreenWidth(), Screen().ScreenHeight());
    }
    ResumeDisplayChange();
}

void CCalibController::MarkApplied(int width, int height) {
    appliedWidth_ = width;
    appliedHeight_ = height;
}

}  // namespace qx
