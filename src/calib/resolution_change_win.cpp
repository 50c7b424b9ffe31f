// The main window's answer to a change of the desktop resolution.
#include <windows.h>

#include "app/message_text.h"
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

void CPenTrayWnd::OnDisplayChange() {
    if (displayBusy_.Busy() || displayPanelWait_.Running()) return;
    // Nothing is asked while the display control panel is open; the pen
    // goes on meanwhile, so the wait is a timer, not a sleep.
    if (DisplayPanelOpen(app_.Strings())) {
        displayPanelWait_.Start(hwnd_, kDisplayPanelTimer, kDisplayPanelPollMs);
        return;
    }
    displayBusy_.RunExclusive([this] { HandleDisplayChange(); });
}

void CPenTrayWnd::OnDisplayPanelTimer() {
    if (DisplayPanelOpen(app_.Strings())) return;
    displayPanelWait_.Stop();
    displayBusy_.RunExclusive([this] { HandleDisplayChange(); });
}

void CPenTrayWnd::HandleDisplayChange() {
    const int width = app_.Screen().ScreenWidth();
    const int height = app_.Screen().ScreenHeight();
    CalibValues stored;
    calibModel_.ReadCalibration(&stored, kModeFull, false);
    const CalibValues raw = calibModel_.ReadStoredWithoutDefaults();

    ResolutionChangeFacts facts;
    facts.notice = app_.Settings().GetCalibDisp() == 1;
    facts.sameSize = width == lastWidth_ && height == lastHeight_;
    facts.firstMode = calibModel_.FirstAvailableMode();
    facts.adjustedBefore = !IsIdentity(stored);
    facts.anyStoredNonZero = !AllZero(raw);
    const ResolutionChangeDecision decision = DecideResolutionChange(facts);
    if (decision.rememberSize) {
        lastWidth_ = width;
        lastHeight_ = height;
    }
    if (decision.applyStoredQuietly) {
        calib_ = raw;
        calibModel_.WriteCalibration(calib_);
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
    if (app_.Boxes().ShowMessage(question, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        // As the menu's Calibration: a Detail-1 goes on after this returns.
        OnCalibration();
        return;
    }
    switch (decision.onNo) {
    case DeclineApplies::PresetOfMode:
        calibModel_.ReadCalibration(&calib_, decision.questionMode, true);
        break;
    case DeclineApplies::FullPreset:
        calibModel_.ReadCalibration(&calib_, kModeFull, true);
        break;
    case DeclineApplies::Stored:
        calibModel_.ReadCalibration(&calib_, kModeFull, false);
        break;
    }
    calibModel_.WriteCalibration(calib_);
    app_.Settings().SetOSDmode(decision.osdModeOnNo);
}

}  // namespace qx
