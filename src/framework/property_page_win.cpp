#include "framework/property_page_win.h"

#include "framework/gdi_owners_win.h"

namespace qx {
namespace {

// Static controls carry the resource compiler's "no identifier".
constexpr int kNoControlId = 0xFFFF;

struct TipTarget {
    HWND page;
    HWND tooltip;
};

// Pure blue in a page's picture is the page showing through.
constexpr COLORREF kPictureTransparent = RGB(0, 0, 255);

bool IsStatic(HWND control) {
    wchar_t cls[16] = {};
    ::GetClassNameW(control, cls, 16);
    return ::lstrcmpiW(cls, L"Static") == 0;
}

BOOL CALLBACK AddTool(HWND control, LPARAM target) {
    const auto* t = reinterpret_cast<const TipTarget*>(target);
    if (::GetParent(control) != t->page) return TRUE;
    const int id = ::GetDlgCtrlID(control);
    if (id == 0 || id == kNoControlId || id == -1) return TRUE;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = t->page;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (IsStatic(control)) {
        // Statics take no mouse messages: the page's own ones over the
        // control's rectangle bring its tip. Hidden ones show none.
        if (!::IsWindowVisible(control)) return TRUE;
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = static_cast<UINT_PTR>(id);
        ::GetWindowRect(control, &tool.rect);
        ::MapWindowPoints(HWND_DESKTOP, t->page, reinterpret_cast<POINT*>(&tool.rect), 2);
    } else {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
    }
    ::SendMessageW(t->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

}  // namespace

HPROPSHEETPAGE CPropertyPage::CreatePage(const TemplateFont* font) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.hInstance = Instance();
    page.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    HRSRC found = font ? ::FindResourceW(Instance(), MAKEINTRESOURCEW(TemplateId()), RT_DIALOG)
                       : nullptr;
    HGLOBAL loaded = found ? ::LoadResource(Instance(), found) : nullptr;
    if (const void* bytes = loaded ? ::LockResource(loaded) : nullptr) {
        template_ = WithTemplateFont(static_cast<const std::uint8_t*>(bytes),
                                     ::SizeofResource(Instance(), found), *font);
        page.dwFlags |= PSP_DLGINDIRECT;
        page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(template_.data());
    }
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

HBITMAP CPropertyPage::LoadPicture(UINT bitmapId) const {
    return static_cast<HBITMAP>(::LoadImageW(Instance(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                             0, 0, LR_DEFAULTCOLOR));
}

void CPropertyPage::PaintPicture(HDC dc, int controlId, HBITMAP picture, int offset) const {
    if (!picture) return;
    RECT frame{};
    ::GetWindowRect(Item(controlId), &frame);
    ::MapWindowPoints(HWND_DESKTOP, Hwnd(), reinterpret_cast<POINT*>(&frame), 2);
    BITMAP info{};
    ::GetObjectW(picture, sizeof(info), &info);
    MemoryDC memory;
    if (!memory.Create(dc)) return;
    SelectGuard select(memory.Get(), picture);
    ::TransparentBlt(dc, frame.left + offset, frame.top + offset, info.bmWidth, info.bmHeight,
                     memory.Get(), 0, 0, info.bmWidth, info.bmHeight, kPictureTransparent);
}

void CPropertyPage::SetupSlider(int id, int min, int max, int position, int line, int page,
                                int ticks) const {
    HWND slider = Item(id);
    ::SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(min, max));
    ::SendMessageW(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageW(slider, TBM_SETLINESIZE, 0, line);
    ::SendMessageW(slider, TBM_SETPAGESIZE, 0, page);
    ::SendMessageW(slider, TBM_SETTICFREQ, ticks, 0);
}

bool CPropertyPage::LeavingWithCancel() const {
    HWND cancel = ::GetDlgItem(Sheet(), IDCANCEL);
    return cancelled_ || (cancel && ::GetFocus() == cancel);
}

int CPropertyPage::SliderPosition(int id) const {
    return static_cast<int>(::SendMessageW(Item(id), TBM_GETPOS, 0, 0));
}

void CPropertyPage::SetSliderPosition(int id, int position) const {
    ::SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
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
    case PSN_QUERYCANCEL: {
        const bool allowed = OnQueryCancel();
        cancelled_ = cancelled_ || allowed;
        return answer(allowed ? FALSE : TRUE);
    }
    case PSN_RESET:
        cancelled_ = true;
        return answer(0);
    case TTN_GETDISPINFOW: {
        if (header.hwndFrom != tooltip_) return false;
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        const int id = (info.uFlags & TTF_IDISHWND)
                           ? ::GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom))
                           : static_cast<int>(header.idFrom);
        tipText_ = TooltipText(id);
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
