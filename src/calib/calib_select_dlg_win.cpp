#include "calib/calib_select_dlg_win.h"

#include <commctrl.h>

#include "calib/hotkey_candidates.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr int kModeRadios[kModeCount] = {IDC_MODE_FULL, IDC_MODE_4_3, IDC_MODE_THIRD};
constexpr int kMethodRadios[] = {IDC_METHOD_EASY, IDC_METHOD_DETAIL};
constexpr int kManualRadios[] = {IDC_DETAIL1, IDC_DETAIL2};
constexpr int kIconSize = 32;

// Picture slots: the three modes, then Detail-1 and Detail-2.
constexpr int kDetail1Slot = 3;
constexpr int kDetail2Slot = 4;
constexpr int kIconStatics[5] = {IDC_MODE_FULL_ICON, IDC_MODE_4_3_ICON, IDC_MODE_THIRD_ICON,
                                 IDC_DETAIL1_ICON, IDC_DETAIL2_ICON};

}  // namespace

CCalibSelectDlg::CCalibSelectDlg(HINSTANCE instance, const CalibServices& services,
                                 const CalibHotkeyServices& hotkey)
    : CDialog(instance, IDD_CALIB_SELECT), services_(services), hotkey_(hotkey) {}

BOOL CCalibSelectDlg::OnInitDialog() {
    modelCode_ = services_.settings->GetQXMachine();
    openWidth_ = services_.screen->ScreenWidth();
    openHeight_ = services_.screen->ScreenHeight();
    facts_ = SelectFactsFor(modelCode_, openWidth_, openHeight_);
    view_ = InitialSelectView(facts_, services_.settings->GetOSDmode());
    LoadIcons();

    const bool pxA100 = modelCode_ == kModelPxA100;
    SetItemText(IDC_MODE_THIRD, services_.model->ScreenModeName(kModeThird));
    const int notes[3] = {pxA100 ? IDS_D2_NOTE_A100_1 : IDS_D2_NOTE_B200_1,
                          pxA100 ? IDS_D2_NOTE_A100_2 : IDS_D2_NOTE_B200_2,
                          pxA100 ? IDS_D2_NOTE_A100_3 : IDS_D2_NOTE_B200_3};
    SetItemText(IDC_DETAIL2_NOTE1, services_.strings->LoadText(notes[0]));
    SetItemText(IDC_DETAIL2_NOTE2, services_.strings->LoadText(notes[1]));
    SetItemText(IDC_DETAIL2_NOTE3, services_.strings->LoadText(notes[2]));
    SetItemText(IDC_RESOLUTION_TEXT, services_.model->ResolutionText());
    ShowHotkeyText();
    EnableToolTips(StaticTips::ByWindow);
    Show();
    return TRUE;
}

void CCalibSelectDlg::LoadIcons() {
    const bool pxA100 = modelCode_ == kModelPxA100;
    const int ids[5][2] = {
        {IDI_MODE_FULL, IDI_MODE_FULL_OFF},
        {IDI_MODE_4_3, IDI_MODE_4_3_OFF},
        {pxA100 ? IDI_MODE_ORIGINAL : IDI_MODE_DOT_BY_DOT,
         pxA100 ? IDI_MODE_ORIGINAL_OFF : IDI_MODE_DOT_BY_DOT_OFF},
        {IDI_DETAIL1, IDI_DETAIL1_OFF},
        {IDI_DETAIL2, IDI_DETAIL2_OFF},
    };
    for (int slot = 0; slot < 5; ++slot) {
        for (int state = 0; state < 2; ++state) {
            icons_[slot][state].Reset(static_cast<HICON>(
                ::LoadImageW(Instance(), MAKEINTRESOURCEW(ids[slot][state]), IMAGE_ICON,
                             kIconSize, kIconSize, 0)));
        }
    }
}

void CCalibSelectDlg::Show() {
    CheckRadio(kMethodRadios, 2, view_.method);
    CheckRadio(kModeRadios, kModeCount, view_.mode);
    CheckRadio(kManualRadios, 2, view_.manual);
    EnableItem(IDC_METHOD_EASY, view_.easyRadioEnabled);
    for (const int id : {IDC_MODE_GROUP, IDC_EASY_NOTE1, IDC_EASY_NOTE2, IDC_EASY_NOTE3})
        EnableItem(id, view_.easyEnabled);
    for (int mode = 0; mode < kModeCount; ++mode) {
        EnableItem(kModeRadios[mode], view_.modeEnabled[mode]);
        ::SendMessageW(Item(kIconStatics[mode]), STM_SETICON,
                       reinterpret_cast<WPARAM>(icons_[mode][view_.modeEnabled[mode] ? 0 : 1].Get()),
                       0);
    }
    EnableItem(IDC_MANUAL_GROUP, view_.detailEnabled);
    EnableItem(IDC_DETAIL1, view_.detailEnabled);
    ::SendMessageW(Item(IDC_DETAIL1_ICON), STM_SETICON,
                   reinterpret_cast<WPARAM>(icons_[kDetail1Slot][view_.detailEnabled ? 0 : 1].Get()),
                   0);
    for (const int id : {IDC_DETAIL2, IDC_DETAIL2_NOTE1, IDC_DETAIL2_NOTE2, IDC_DETAIL2_NOTE3,
                         IDC_DETAIL2_NOTE4})
        EnableItem(id, view_.detail2Enabled);
    ::SendMessageW(Item(IDC_DETAIL2_ICON), STM_SETICON,
                   reinterpret_cast<WPARAM>(icons_[kDetail2Slot][view_.detail2Enabled ? 0 : 1].Get()),
                   0);
    EnableItem(IDC_APPLY, view_.applyEnabled);
}

void CCalibSelectDlg::ReadRadios() {
    const int method = CheckedRadio(kMethodRadios, 2);
    const int mode = CheckedRadio(kModeRadios, kModeCount);
    const int manual = CheckedRadio(kManualRadios, 2);
    if (method >= 0) view_.method = method;
    if (mode >= 0) view_.mode = mode;
    if (manual >= 0) view_.manual = manual;
}

void CCalibSelectDlg::ShowHotkeyText() {
    SetItemText(IDC_HOTKEY_TEXT,
                HotkeyText(*services_.strings, services_.settings->GetCalibShortKey()));
}

bool CCalibSelectDlg::Validate() {
    ReadRadios();
    const SelectValidation check = ValidateSelection(view_);
    if (!check.valid) return false;
    if (check.askDetail1Question &&
        services_.boxes->ShowMessage(services_.strings->LoadText(IDS_DETAIL1_AT_ZOOM_QUESTION),
                                     MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    // The desktop changed while the dialog was open: its choices were for
    // another size, so nothing is stored and it closes as Cancel does.
    if (services_.screen->ScreenWidth() != openWidth_ ||
        services_.screen->ScreenHeight() != openHeight_) {
        End(IDCANCEL);
        return false;
    }
    if (check.result == CalibMethod::EasySetting) services_.settings->SetOSDmode(view_.mode);
    result_ = check.result;
    return true;
}

void CCalibSelectDlg::OnOk() {
    if (Validate()) End(IDOK);
}

bool CCalibSelectDlg::OnCommand(WORD id, WORD code, HWND) {
    switch (id) {
    case IDC_METHOD_EASY:
    case IDC_METHOD_DETAIL:
        if (code != BN_CLICKED) return false;
        ReadRadios();
        if (id == IDC_METHOD_EASY) {
            ChooseEasy(view_, facts_);
        } else {
            ChooseDetail(view_, facts_);
        }
        Show();
        return true;
    case IDC_APPLY:
        if (code != BN_CLICKED) return false;
        if (Validate() && result_ == CalibMethod::EasySetting) {
            services_.live->Set(services_.model->PresetCalibration(view_.mode));
        }
        return true;
    case IDC_HOTKEY_TEXT:
        if (code != STN_CLICKED) return false;
        if (CCalibHotkeyDlg(Instance(), services_, hotkey_).DoModal(Hwnd()) == IDOK)
            ShowHotkeyText();
        return true;
    default:
        return false;
    }
}

std::wstring CCalibSelectDlg::TooltipText(int controlId) const {
    return services_.strings->LoadText(controlId == IDC_HOTKEY_TEXT ? IDS_TIP_HOTKEY
                                                                    : IDS_TIP_CALIB_METHOD);
}

}  // namespace qx
