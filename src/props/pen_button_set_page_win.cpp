#include "props/pen_button_set_page_win.h"

#include "res/resource_ids.h"

namespace qx {

CPenButtonSetPage::CPenButtonSetPage(HINSTANCE instance, const PropServices& services)
    : CPropertyPage(instance, IDD_PROP_OTHER), services_(services) {}

BOOL CPenButtonSetPage::OnInitDialog() {
    const SettingsStore& settings = *services_.settings;
    start_.range = settings.GetSingleClick();
    SetupRangeSlider(start_.range);
    start_.html = settings.GetSingleClickType();
    EnableRangeGroup(start_.html != 0);
    SetChecked(IDC_HTML_ENABLE, start_.html != 0);
    SetChecked(IDC_CALIB_NOTICE, settings.GetCalibDisp() != 0);
    SetChecked(IDC_MIDDLE_BUTTON, settings.GetMiddleButon() != 0);
    pen_.Reset(LoadPicture(IDB_PEN_PICTURE));
    EnableToolTips();
    return TRUE;
}

void CPenButtonSetPage::SetupRangeSlider(int position) const {
    SetupSlider(IDC_RANGE_SLIDER, kClickRangeMin, kClickRangeMax, position, kClickRangeLine,
                kClickRangePage, kClickRangeTicks);
}

void CPenButtonSetPage::EnableRangeGroup(bool enabled) const {
    for (int id : {IDC_RANGE_GROUP, IDC_RANGE_SLIDER, IDC_RANGE_NARROW, IDC_RANGE_WIDE,
                   IDC_SET_DEFAULT, IDC_RANGE_RECOMMENDED})
        EnableItem(id, enabled);
    HWND slider = Item(IDC_RANGE_SLIDER);
    const int ticks = ClickRangeTicks(enabled);
    if (ticks == 0) {
        ::SendMessageW(slider, TBM_CLEARTICS, TRUE, 0);
    } else {
        ::SendMessageW(slider, TBM_SETTICFREQ, ticks, 0);
    }
}

void CPenButtonSetPage::OnHtmlClicked() {
    if (!IsChecked(IDC_HTML_ENABLE)) {
        // The system follows on OK only.
        EnableRangeGroup(false);
        return;
    }
    const int answer = services_.boxes->ShowMessage(
        services_.strings->LoadText(IDS_HTML_QUESTION), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    if (answer == IDYES) {
        EnableRangeGroup(true);
    } else {
        SetChecked(IDC_HTML_ENABLE, false);
    }
}

bool CPenButtonSetPage::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDC_HTML_ENABLE) {
        OnHtmlClicked();
        return true;
    }
    if (id == IDC_SET_DEFAULT) {
        SetupRangeSlider(kClickRangeDefault);
        return true;
    }
    return false;
}

void CPenButtonSetPage::OnPaint(HDC dc) { PaintPicture(dc, IDC_PEN_PICTURE, pen_.Get(), 0); }

void CPenButtonSetPage::OnApply() {
    OtherSetupChoice choice;
    choice.middle = IsChecked(IDC_MIDDLE_BUTTON) ? 1 : 0;
    choice.notice = IsChecked(IDC_CALIB_NOTICE) ? 1 : 0;
    choice.html = IsChecked(IDC_HTML_ENABLE) ? 1 : 0;
    choice.range = SliderPosition(IDC_RANGE_SLIDER);
    ApplyOtherSetup(services_, choice, start_);
}

std::wstring CPenButtonSetPage::TooltipText(int controlId) const {
    switch (controlId) {
    case IDC_MIDDLE_BUTTON:
        return services_.strings->LoadText(IDS_TIP_MIDDLE_BUTTON);
    case IDC_CALIB_NOTICE:
        return services_.strings->LoadText(IDS_TIP_CALIB_NOTICE);
    case IDC_HTML_ENABLE:
        return services_.strings->LoadText(IDS_TIP_HTML);
    default:
        return {};
    }
}

}  // namespace qx
