#include "props/display_set_page_win.h"

#include "res/resource_ids.h"

namespace qx {

CDisplaySetPage::CDisplaySetPage(HINSTANCE instance, const PropServices& services,
                                 const DisplayListPort& displays)
    : CPropertyPage(instance, IDD_PROP_DISPLAY), services_(services), displays_(displays) {}

BOOL CDisplaySetPage::OnInitDialog() {
    const StringTablePort& strings = *services_.strings;
    list_ = DisplayPageEntries(displays_.Displays(), services_.settings->GetPanelDisplay(),
                               {strings.LoadText(IDS_DISPLAY_ENTRY), strings.LoadText(IDS_DISPLAY_PRIMARY),
                                strings.LoadText(IDS_DISPLAY_NOT_PRESENT)});
    HWND box = Item(IDC_DISPLAY_LIST);
    for (const DisplayEntry& entry : list_.entries)
        ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    if (list_.selected) ::SendMessageW(box, LB_SETCURSEL, *list_.selected, 0);
    EnableToolTips();
    return TRUE;
}

void CDisplaySetPage::OnApply() {
    // The list is not sorted: its indices are the entries'.
    const LRESULT index = ::SendMessageW(Item(IDC_DISPLAY_LIST), LB_GETCURSEL, 0, 0);
    std::optional<std::size_t> chosen;
    if (index != LB_ERR) chosen = static_cast<std::size_t>(index);
    changed_ = ApplyDisplayChoice(services_, list_, chosen);
}

std::wstring CDisplaySetPage::TooltipText(int controlId) const {
    return controlId == IDC_DISPLAY_LIST ? services_.strings->LoadText(IDS_TIP_DISPLAY_LIST) : std::wstring();
}

}  // namespace qx
