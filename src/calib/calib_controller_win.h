// The main window's calibration: the Calibration command and its hotkey,
// "Select Calibration" and what its choice runs, the four-cross screen's
// wiring, and the answer to a change of the desktop resolution with its wait
// for the display control panel.
#ifndef QXDRV_CALIB_CALIB_CONTROLLER_WIN_H
#define QXDRV_CALIB_CALIB_CONTROLLER_WIN_H

#include <windows.h>

#include <functional>
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
    // Tells the pen where the panel's display starts on the desktop.
    std::function<void(ScreenPoint origin)> mapOrigin;
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

    // The main window was made: the pen maps into the panel's display and
    // its size counts as applied.
    void StartOnPanel();
    // Resolution change (WM_DISPLAYCHANGE and the panel timer's tick). A
    // panel display that moved is followed at once; a new size runs the
    // resolution rules; another display's change alone asks nothing.
    void OnDisplayChange() { FollowPanel(true); }
    // WM_PANELDISPLAYCHANGED: "PanelDisplay" names another display now.
    void OnPanelDisplayChanged() { FollowPanel(false); }
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

    // Chooses the panel's display again, maps the pen and the main window
    // there, tells once of a named display that is gone, and hands a new
    // size to the resolution rules.
    void FollowPanel(bool systemChange);
    void MapTo(const Rect& panel);
    void TellPanelGone() const;

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
    Rect mapped_;             // where the pen maps to now
    bool panelGoneTold_ = false;
    // A Detail-1 that a resolution question's Yes started, and that question.
    bool detail1FromQuestion_ = false;
    AskedResolution detail1Asked_;
};

}  // namespace qx

#endif
