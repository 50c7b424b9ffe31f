#include "props/property_page_win.h"

namespace qx {
namespace {

// Static controls carry the resource compiler's "no identifier".
constexpr int kNoControlId = 0xFFFF;

struct TipTarget {
    HWND page;
    HWND tooltip;
};

BOOL CALLBACK AddTool(HWND control, LPARAM target) {
    const auto* t = reinterpret_cast<const TipTarget*>(target);
    if (::GetParent(control) != t->page) return TRUE;
    const int id = ::GetDlgCtrlID(control);
    if (id == 0 || id == kNoControlId || id == -1) return TRUE;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = t->page;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(t->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

}  // namespace

HPROPSHEETPAGE CPropertyPage::CreatePage() {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.hInstance = Instance();
    page.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    page.pfnDlgProc = &CDialog::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return ::CreatePropertySheetPageW(&page);
}

void CPropertyPage::EnableToolTips() {
    if (tooltip_) return;
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 Hwnd(), nullptr, Instance(), nullptr);
    if (!tooltip_) return;
    // Long tips wrap instead of running off the screen.
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2);
    TipTarget target{Hwnd(), tooltip_};
    ::EnumChildWindows(Hwnd(), &AddTool, reinterpret_cast<LPARAM>(&target));
}

bool CPropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    if (message == WM_NOTIFY && OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return true;
    return OnPageMessage(message, wParam, lParam, result);
}

bool CPropertyPage::OnNotify(const NMHDR& header, INT_PTR* result) {
    // The sheet reads a notification's answer from DWLP_MSGRESULT.
    auto answer = [&](LONG_PTR value) {
        ::SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, value);
        *result = TRUE;
        return true;
    };
    switch (header.code) {
    case PSN_SETACTIVE:
        OnSetActive();
        return answer(0);
    case PSN_KILLACTIVE:
        return answer(OnKillActive() ? FALSE : TRUE);
    case PSN_APPLY:
        applied_ = true;
        OnApply();
        return answer(PSNRET_NOERROR);
    case PSN_QUERYCANCEL:
        return answer(OnQueryCancel() ? FALSE : TRUE);
    case TTN_GETDISPINFOW: {
        if (header.hwndFrom != tooltip_) return false;
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        const auto control = reinterpret_cast<HWND>(header.idFrom);
        tipText_ = TooltipText(::GetDlgCtrlID(control));
        info.lpszText = const_cast<wchar_t*>(tipText_.c_str());
        info.hinst = nullptr;
        *result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace qx
