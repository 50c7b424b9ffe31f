// The main window's calibration: the Calibration command and its hotkey,
// "Select Calibration" and what its choice runs, the four-cross screen's
// wiring, and the answer to a change of the desktop resolution with its wait
// for the display control panel.
#ifndef QXDRV_CALIB_CALIB_CONTROLLER_WIN_H
#define QXDRV_CALIB_CALIB_CONTROLLER_WIN_H

#include <windows.h>

#include <memory>

#include "base/busy_gate.h"
#include "calib/calib_hotkey_dlg_win.h"
#include "calib/calib_select_rules.h"
#include "calib/calib_services.h"
#include "calib/cross_screen_win.h"
#include "calib/resolution_change.h"
#include "framework/gdi_owners_win.h"

namespace qx {

struct CalibControllerServices {
    CalibServices calib;         // model, settings, texts, boxes, screen, live calibration
    CalibHotkeyServices hotkey;  // for the selection dialog's hotkey button
    // The menu's busy rule: the selection runs under it, and a change of
    // the resolution waits while it is closed.
    BusyGate* commands = nullptr;
    // True from the start of the main window's teardown: answers that
    // come back then are void.
    const bool* windowEnding = nullptr;
};

class CCalibController {
public:
    // `screen` is the main window's side of the cross screen; its `ended`
    // is this controller's.
    CCalibController(const CalibControllerServices& services, CrossScreenServices screen);
    CCalibController(const CCalibController&) = delete;
    CCalibController& operator=(const CCalibController&) = delete;

    CCrossCalibScreen* CrossScreen() { return crossScreen_.get(); }
    // The one answer to "is a calibration running".
    bool CalibrationRunning() const { return crossScreen_->Running(); }
    // The Calibration command and its hotkey while a calibration runs: the
    // screen comes to the front (true), or nothing runs yet (false).
    bool BringRunningToFront();
    // The Calibration command, under the busy rule.
    void OnCalibration() { RunSelection(); }

    // Resolution change (WM_DISPLAYCHANGE and the panel timer's tick).
    void OnDisplayChange();
    void OnDisplayPanelTimer() { ContinueDisplayChange(); }
    // Hands a change that waited to the message loop once nothing holds it.
    void ResumeDisplayChange();
    // The size whose calibration was last applied; a change is compared with it.
    void MarkApplied(int width, int height);

private:
    enum class CalibOutcome {
        None,            // left without a new calibration
        Applied,         // a preset or the edge procedure's result is live
        Detail1Running,  // the cross screen goes on after this returns
    };
    bool Ending() const { return *services_.windowEnding; }
    HWND Window() const { return window_.window; }
    const CalibrationModel& Model() const { return *services_.calib.model; }
    LiveCalibration& Live() { return *services_.calib.live; }
    const ScreenPort& Screen() const { return *services_.calib.screen; }
    // "Select Calibration" and what its OK chose.
    CalibOutcome RunSelection();
    // Acts on the selection dialog's OK: a preset, the four-cross screen
    // (which goes on after this returns) or the edge procedure.
    CalibOutcome RunCalibrationChoice(CalibMethod method, int mode);
    // The cross screen ended, with a stored result or without one.
    void OnCrossCalibrationEnded(bool stored);

    // An earlier change, a command or a calibration is in hand.
    bool DisplayChangeHeld() const;
    // A change waits while it is held or the display control panel is
    // open, and is handled once neither is.
    void ContinueDisplayChange();
    void HandleDisplayChange();
    void ActOnResolution(const AskedResolution& asked, ResolutionOutcome outcome);
    void LeaveWithoutResult(const AskedResolution& asked);
    void ApplyDecline(const AskedResolution& asked);

    CalibControllerServices services_;
    CrossScreenServices window_;
    std::unique_ptr<CCrossCalibScreen> crossScreen_;
    // A resolution change is in hand while the panel wait runs or the
    // gate is closed; one that comes meanwhile waits for its end.
    BusyGate displayBusy_;
    WindowTimer displayPanelWait_;
    bool displayChangeWaits_ = false;
    int appliedWidth_ = 0;
    int appliedHeight_ = 0;
    // A Detail-1 that a resolution question's Yes started, and that question.
    bool detail1FromQuestion_ = false;
    AskedResolution detail1Asked_;
};

}  // namespace qx

#endif
