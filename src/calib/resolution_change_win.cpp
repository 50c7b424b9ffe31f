// The answer to a change of the desktop resolution.
#include "calib/calib_controller_win.h"

#include "base/message_text.h"
#include "calib/panel_change.h"
#include "calib/resolution_change.h"
#include "framework/box_owner_win.h"
#include "framework/private_ids.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr UINT kDisplayPanelPollMs = 200;

bool DisplayPanelOpen(const StringTablePort& strings) {
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

bool CCalibController::DisplayChangeHeld() const {
    return displayBusy_.Busy() != 0 || services_.commands->Busy() != 0 || CalibrationRunning();
}

void CCalibController::StartOnPanel() {
    const PanelChoice panel = Screen().Panel();
    MapTo(panel.display.rect);
    MarkApplied(panel.display.rect.Width(), panel.display.rect.Height());
    // Told from the message loop, once the program is up.
    if (panel.namedGone) ::PostMessageW(Window(), WM_PANELDISPLAYCHANGED, 0, 0);
}

void CCalibController::FollowPanel(bool systemChange) {
    if (Ending()) return;
    PanelChangeFacts facts;
    facts.now = Screen().Panel();
    facts.mapped = mapped_;
    facts.appliedWidth = appliedWidth_;
    facts.appliedHeight = appliedHeight_;
    facts.singleDisplayChanged = systemChange && ::GetSystemMetrics(SM_CMONITORS) <= 1;
    facts.goneTold = panelGoneTold_;
    const PanelChangeDecision decision = DecidePanelChange(facts);
    // Set before the box: a change that comes while it is open tells nothing.
    panelGoneTold_ = decision.goneTold;
    if (decision.remap) MapTo(facts.now.display.rect);
    if (decision.tellGone) TellPanelGone();
    if (!decision.resolutionRules || Ending() || displayPanelWait_.Running()) return;
    ContinueDisplayChange();
}

void CCalibController::MapTo(const Rect& panel) {
    mapped_ = panel;
    if (services_.mapOrigin) services_.mapOrigin(ScreenPoint{panel.left, panel.top});
    // The main window is the cross screen when it shows: it covers the panel.
    ::SetWindowPos(Window(), nullptr, panel.left, panel.top, panel.Width(), panel.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCalibController::TellPanelGone() const {
    BoxOwnerScope owner(Window());
    const std::wstring named = Widen(services_.calib.settings->GetPanelDisplay());
    services_.calib.boxes->ShowMessage(
        InsertArgs(services_.calib.strings->LoadText(IDS_PANEL_DISPLAY_GONE), {named}),
        MB_OK | MB_ICONEXCLAMATION);
}

void CCalibController::ContinueDisplayChange() {
    // Not while an earlier change is in hand, a command has its box or
    // dialog open or a calibration runs: the change is handled once they
    // are over, for the size of that moment.
    if (DisplayChangeHeld()) {
        displayPanelWait_.Stop();
        displayChangeWaits_ = true;
        return;
    }
    // Nothing is asked while the display control panel is open; the pen
    // goes on meanwhile, so the wait is a timer, not a sleep.
    if (DisplayPanelOpen(*services_.calib.strings)) {
        if (!displayPanelWait_.Running())
            displayPanelWait_.Start(Window(), kDisplayPanelTimer, kDisplayPanelPollMs);
        return;
    }
    displayPanelWait_.Stop();
    displayBusy_.RunExclusive([this] { HandleDisplayChange(); });
    ResumeDisplayChange();
}

void CCalibController::ResumeDisplayChange() {
    if (!displayChangeWaits_ || Ending() || !Window() || DisplayChangeHeld()) return;
    displayChangeWaits_ = false;
    // Posted: handled from the message loop like the change it stands for.
    ::PostMessageW(Window(), WM_DISPLAYCHANGE, 0, 0);
}

void CCalibController::HandleDisplayChange() {
    const int width = Screen().ScreenWidth();
    const int height = Screen().ScreenHeight();
    const CalibValues stored = Model().StoredCalibration();
    const CalibValues raw = Model().ReadStoredWithoutDefaults();

    ResolutionChangeFacts facts;
    facts.notice = services_.calib.settings->GetCalibDisp() == 1;
    facts.sameSize = width == appliedWidth_ && height == appliedHeight_;
    facts.firstMode = Model().FirstAvailableMode();
    facts.adjustedBefore = !IsIdentity(stored);
    facts.anyStoredNonZero = !AllZero(raw);
    const ResolutionChangeDecision decision = DecideResolutionChange(facts);
    if (decision.applyStoredQuietly) {
        Live().Set(raw);
        MarkApplied(width, height);
        return;
    }
    if (decision.reloadStored) {
        Live().UseStored();
        return;
    }

    const StringTablePort& strings = *services_.calib.strings;
    const std::wstring resolution = Model().ResolutionText();
    std::wstring question;
    switch (decision.question) {
    case ResolutionQuestion::None:
        return;
    case ResolutionQuestion::Preset:
        question = InsertArgs(strings.LoadText(IDS_RES_CHANGED_PRESET),
                              {resolution, Model().ScreenModeName(decision.questionMode)});
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
    const bool yes = services_.calib.boxes->ShowMessage(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    ActOnResolution(asked, ActOnAnswer(asked, Screen().ScreenWidth(),
                                       Screen().ScreenHeight(), yes, Ending()));
}

void CCalibController::ActOnResolution(const AskedResolution& asked, ResolutionOutcome outcome) {
    switch (outcome) {
    case ResolutionOutcome::Ignore:
        return;
    case ResolutionOutcome::Afresh:
        displayChangeWaits_ = true;
        return;
    case ResolutionOutcome::UseStored:
        Live().UseStored();
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
    if (!services_.commands->RunExclusive([&] { result = RunSelection(); })) {
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

void CCalibController::LeaveWithoutResult(const AskedResolution& asked) {
    const bool hasStored = !AllZero(Model().ReadStoredWithoutDefaults());
    ActOnResolution(asked, LeftWithoutResult(asked, Screen().ScreenWidth(),
                                             Screen().ScreenHeight(), hasStored, Ending()));
}

void CCalibController::ApplyDecline(const AskedResolution& asked) {
    const ResolutionChangeDecision& decision = asked.decision;
    switch (decision.onNo) {
    case DeclineApplies::PresetOfMode:
        Live().Set(Model().PresetCalibration(decision.questionMode));
        break;
    case DeclineApplies::FullPreset:
        Live().Set(Model().PresetCalibration(kModeFull));
        break;
    case DeclineApplies::Stored:
        Live().Set(Model().StoredCalibration());
        break;
    }
    services_.calib.settings->SetOSDmode(decision.osdModeOnNo);
    MarkApplied(asked.width, asked.height);
}

}  // namespace qx
