// The main window's answer to a change of the desktop resolution.
#include <windows.h>

#include "base/message_text.h"
#include "app/pen_driver_app_win.h"
#include "calib/resolution_change.h"
#include "res/resource_ids.h"
#include "shell/pen_tray_wnd_win.h"

namespace qx {
namespace {

constexpr UINT kDisplayPanelPollMs = 200;

bool DisplayPanelOpen(const Win32Strings& strings) {
    const std::wstring title = strings.LoadText(IDS_DISPLAY_PANEL_TITLE);
    return ::FindWindowW(nullptr, title.c_str()) != nullptr;
}

bool IsIdentity(const CalibValues& v) {
    const CalibValues identity;
    return v.ratioX == identity.ratioX && v.ratioY == identity.ratioY &&
           v.offsetX == identity.offsetX && v.offsetY == identity.offsetY;
}

bool AllZero(const CalibValues& v) {
    return v.ratioX == 0.0 && v.ratioY == 0.0 && v.offsetX == 0.0 && v.offsetY == 0.0;
}

}  // namespace

bool CPenTrayWnd::DisplayChangeMustWait() const {
    return displayBusy_.Busy() != 0 || busy_.Busy() != 0 || (crossScreen_ && crossScreen_->Running());
}

void CPenTrayWnd::OnDisplayChange() {
    if (tornDown_ || displayPanelWait_.Running()) return;
    // Not while an earlier change is in hand, a command has its box or
    // dialog open or a calibration runs: the change is handled once they
    // are over, for the size of that moment.
    if (DisplayChangeMustWait()) {
        displayChangeWaits_ = true;
        return;
    }
    // Nothing is asked while the display control panel is open; the pen
    // goes on meanwhile, so the wait is a timer, not a sleep.
    if (DisplayPanelOpen(app_.Strings())) {
        displayPanelWait_.Start(hwnd_, kDisplayPanelTimer, kDisplayPanelPollMs);
        return;
    }
    RunDisplayChange();
}

void CPenTrayWnd::OnDisplayPanelTimer() {
    if (DisplayPanelOpen(app_.Strings())) return;
    displayPanelWait_.Stop();
    if (DisplayChangeMustWait()) {
        displayChangeWaits_ = true;
        return;
    }
    RunDisplayChange();
}

void CPenTrayWnd::RunDisplayChange() {
    displayBusy_.RunExclusive([this] { HandleDisplayChange(); });
    ResumeDisplayChange();
}

void CPenTrayWnd::ResumeDisplayChange() {
    if (!displayChangeWaits_ || tornDown_ || !hwnd_ || DisplayChangeMustWait()) return;
    displayChangeWaits_ = false;
    // Posted: handled from the message loop like the change it stands for.
    ::PostMessageW(hwnd_, WM_DISPLAYCHANGE, 0, 0);
}

void CPenTrayWnd::MarkApplied(int width, int height) {
    appliedWidth_ = width;
    appliedHeight_ = height;
}

void CPenTrayWnd::HandleDisplayChange() {
    const int width = app_.Screen().ScreenWidth();
    const int height = app_.Screen().ScreenHeight();
    const CalibValues stored = calibModel_.StoredCalibration();
    const CalibValues raw = calibModel_.ReadStoredWithoutDefaults();

    ResolutionChangeFacts facts;
    facts.notice = app_.Settings().GetCalibDisp() == 1;
    facts.sameSize = width == appliedWidth_ && height == appliedHeight_;
    facts.firstMode = calibModel_.FirstAvailableMode();
    facts.adjustedBefore = !IsIdentity(stored);
    facts.anyStoredNonZero = !AllZero(raw);
    const ResolutionChangeDecision decision = DecideResolutionChange(facts);
    if (decision.applyStoredQuietly) {
        calib_.Set(raw);
        MarkApplied(width, height);
        return;
    }
    if (decision.reloadStored) {
        calib_.UseStored();
        return;
    }

    const Win32Strings& strings = app_.Strings();
    const std::wstring resolution = calibModel_.ResolutionText();
    std::wstring question;
    switch (decision.question) {
    case ResolutionQuestion::None:
        return;
    case ResolutionQuestion::Preset:
        question = InsertArgs(strings.LoadText(IDS_RES_CHANGED_PRESET),
                              {resolution, calibModel_.ScreenModeName(decision.questionMode)});
        break;
    case ResolutionQuestion::AdjustedBefore:
        question = InsertArgs(strings.LoadText(IDS_RES_CHANGED_ADJUSTED), {resolution}) +
                   strings.LoadText(IDS_RES_CHANGED_ASK);
        break;
    case ResolutionQuestion::NothingStored:
        question = InsertArgs(strings.LoadText(IDS_RES_CHANGED_NO_PRESET), {resolution});
        break;
    }
    const AskedResolution asked{width, height, decision};
    const bool yes = app_.Boxes().ShowMessage(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    ActOnResolution(asked, ActOnAnswer(asked, app_.Screen().ScreenWidth(),
                                       app_.Screen().ScreenHeight(), yes, tornDown_));
}

void CPenTrayWnd::ActOnResolution(const AskedResolution& asked, ResolutionOutcome outcome) {
    switch (outcome) {
    case ResolutionOutcome::Ignore:
        return;
    case ResolutionOutcome::Afresh:
        displayChangeWaits_ = true;
        return;
    case ResolutionOutcome::UseStored:
        calib_.UseStored();
        MarkApplied(asked.width, asked.height);
        return;
    case ResolutionOutcome::ApplyDecline:
        ApplyDecline(asked);
        return;
    case ResolutionOutcome::OpenSelection:
        break;
    }
    // The dialog, as the menu's, under the busy rule. A command that holds
    // it now was opened while the question was: the size is asked afresh
    // once it is over.
    CalibOutcome result = CalibOutcome::None;
    if (!busy_.RunExclusive([&] { result = RunSelection(); })) {
        displayChangeWaits_ = true;
        return;
    }
    switch (result) {
    case CalibOutcome::Applied:
        MarkApplied(asked.width, asked.height);
        return;
    case CalibOutcome::Detail1Running:
        // Its end decides (OnCrossCalibrationEnded).
        detail1Asked_ = asked;
        detail1FromQuestion_ = true;
        return;
    case CalibOutcome::None:
        LeaveWithoutResult(asked);
        return;
    }
}

void CPenTrayWnd::LeaveWithoutResult(const AskedResolution& asked) {
    const bool hasStored = !AllZero(calibModel_.ReadStoredWithoutDefaults());
    ActOnResolution(asked, LeftWithoutResult(asked, app_.Screen().ScreenWidth(),
                                             app_.Screen().ScreenHeight(), hasStored, tornDown_));
}

void CPenTrayWnd::ApplyDecline(const AskedResolution& asked) {
    const ResolutionChangeDecision& decision = asked.decision;
    switch (decision.onNo) {
    case DeclineApplies::PresetOfMode:
        calib_.Set(calibModel_.PresetCalibration(decision.questionMode));
        break;
    case DeclineApplies::FullPreset:
        calib_.Set(calibModel_.PresetCalibration(kModeFull));
        break;
    case DeclineApplies::Stored:
        calib_.Set(calibModel_.StoredCalibration());
        break;
    }
    app_.Settings().SetOSDmode(decision.osdModeOnNo);
    MarkApplied(asked.width, asked.height);
}

void CPenTrayWnd::OnCrossCalibrationEnded(bool stored) {
    if (detail1FromQuestion_) {
        detail1FromQuestion_ = false;
        if (stored) {
            MarkApplied(detail1Asked_.width, detail1Asked_.height);
        } else {
            LeaveWithoutResult(detail1Asked_);
        }
    } else if (stored) {
        MarkApplied(app_.Screen().ScreenWidth(), app_.Screen().ScreenHeight());
    }
    ResumeDisplayChange();
}

}  // namespace qx
