#include "framework/property_page_win.h"

#include "framework/gdi_owners_win.h"

namespace qx {
namespace {

// Pure blue in a page's picture is the page showing through.
constexpr COLORREF kPictureTransparent = RGB(0, 0, 255);

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

HBITMAP CPropertyPage::LoadPicture(UINT bitmapId) const {
    return static_cast<HBITMAP>(::LoadImageW(Instance(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                             0, 0, LR_DEFAULTCOLOR));
}

void CPropertyPage::PaintPicture(HDC dc, int controlId, HBITMAP picture, int offset) const {
    if (!picture) return;
    const Rect frame = ItemRect(controlId);
    BITMAP info{};
    ::GetObjectW(picture, sizeof(info), &info);
    MemoryDC memory(::CreateCompatibleDC(dc));
    if (!memory.Valid()) return;
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
    default:
        return false;
    }
}

}  // namespace qx
