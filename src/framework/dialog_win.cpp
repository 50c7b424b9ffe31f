#include "framework/dialog_win.h"

#include <commctrl.h>

#include <vector>

#include "framework/callback_guard_win.h"
#include "framework/gdi_owners_win.h"
#include "framework/geometry_win.h"

namespace qx {
namespace {

// Static controls carry the resource compiler's "no identifier".
constexpr int kNoControlId = 0xFFFF;

struct TipTarget {
    HWND dialog;
    HWND tooltip;
    StaticTips statics;
};

bool PassesMouseThrough(HWND control) {
    wchar_t cls[16] = {};
    ::GetClassNameW(control, cls, 16);
    return ::lstrcmpiW(cls, L"Static") == 0 &&
           (::GetWindowLongPtrW(control, GWL_STYLE) & SS_NOTIFY) == 0;
}

std::optional<std::wstring> SelectedText(HWND control, UINT selection, UINT lengthMessage,
                                         UINT textMessage) {
    const LRESULT index = ::SendMessageW(control, selection, 0, 0);
    if (index < 0) return std::nullopt;  // LB_ERR and CB_ERR
    const LRESULT length = ::SendMessageW(control, lengthMessage, index, 0);
    if (length < 0) return std::wstring();
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    ::SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    return std::wstring(text.data());
}

BOOL CALLBACK AddTool(HWND control, LPARAM target) {
    const auto* t = reinterpret_cast<const TipTarget*>(target);
    if (::GetParent(control) != t->dialog) return TRUE;
    const int id = ::GetDlgCtrlID(control);
    if (id == 0 || id == kNoControlId || id == -1) return TRUE;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = t->dialog;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (t->statics == StaticTips::OverRectangle && PassesMouseThrough(control)) {
        // The dialog's own mouse messages over the control's rectangle
        // bring its tip.
        if (!::IsWindowVisible(control)) return TRUE;
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = static_cast<UINT_PTR>(id);
        tool.rect = ToRECT(ChildRect(t->dialog, control));
    } else {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
    }
    ::SendMessageW(t->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

CDialog::~CDialog() {
    if (hwnd_ && run_ != Run::Modal) ::DestroyWindow(hwnd_);
}

INT_PTR CDialog::DoModal(HWND parent) {
    run_ = Run::Modal;
    return ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, &CDialog::Proc,
                             reinterpret_cast<LPARAM>(this));
}

bool CDialog::CreateModeless(HWND parent) {
    run_ = Run::Modeless;
    return ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, &CDialog::Proc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::End(INT_PTR code) {
    if (run_ == Run::Modal) {
        ::EndDialog(hwnd_, code);
    } else {
        ::DestroyWindow(hwnd_);
    }
}

void CDialog::SetItemText(int id, const std::wstring& text) const {
    ::SetDlgItemTextW(hwnd_, id, text.c_str());
}

Rect CDialog::ItemRect(int id) const { return ChildRect(hwnd_, Item(id)); }

std::optional<std::wstring> CDialog::SelectedListText(int listBoxId) const {
    return SelectedText(Item(listBoxId), LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
}

std::optional<std::wstring> CDialog::SelectedComboText(int comboBoxId) const {
    return SelectedText(Item(comboBoxId), CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void CDialog::Centre(HWND over) const {
    Rect area;
    if (over && ::IsWindowVisible(over)) {
        area = WindowRect(over);
    } else {
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        area = FromRECT(work);
    }
    const Rect self = WindowRect(hwnd_);
    const Point at = CentredIn(area, self.Width(), self.Height());
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EnableToolTips(StaticTips statics) {
    if (tooltip_) return;
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 hwnd_, nullptr, instance_, nullptr);
    if (!tooltip_) return;
    // Long tips wrap instead of running off the screen.
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2);
    TipTarget target{hwnd_, tooltip_, statics};
    ::EnumChildWindows(hwnd_, &AddTool, reinterpret_cast<LPARAM>(&target));
}

void CDialog::EnableItem(int id, bool enabled) const {
    ::EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

bool CDialog::IsChecked(int id) const {
    return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void CDialog::SetChecked(int id, bool checked) const {
    ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialog::CheckRadio(const int* ids, int count, int index) const {
    for (int i = 0; i < count; ++i) SetChecked(ids[i], i == index);
}

int CDialog::CheckedRadio(const int* ids, int count) const {
    for (int i = 0; i < count; ++i) {
        if (IsChecked(ids[i])) return i;
    }
    return -1;
}

INT_PTR CALLBACK CDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* created = message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr;
    return Route(created, hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* created = nullptr;
    if (message == WM_INITDIALOG)
        created = reinterpret_cast<CDialog*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
    return Route(created, hwnd, message, wParam, lParam);
}

INT_PTR CDialog::Route(CDialog* created, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (created) {
        created->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    const INT_PTR result = GuardedCallback<INT_PTR>(
        "dialog", message, FALSE, [&] { return self->Handle(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR CDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // Before OnInitDialog, which may already ask something.
        if (run_ != Run::Modeless) boxOwner_ = std::make_unique<BoxOwnerScope>(hwnd_);
        return OnInitDialog();
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
        if (id == IDOK) {
            OnOk();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_TIMER:
        return OnTimer(static_cast<UINT_PTR>(wParam)) ? TRUE : FALSE;
    case WM_PAINT: {
        PaintDC paint(hwnd_);
        OnPaint(paint.Get());
        return TRUE;
    }
    case WM_NOTIFY:
        return HandleNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        boxOwner_.reset();
        tooltip_ = nullptr;
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        if (OnMessage(message, wParam, lParam, &result)) return result;
        return FALSE;
    }
    }
}

INT_PTR CDialog::HandleNotify(const NMHDR& header) {
    if (header.code == TTN_GETDISPINFOW && tooltip_ && header.hwndFrom == tooltip_) {
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        const int id = (info.uFlags & TTF_IDISHWND)
                           ? ::GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom))
                           : static_cast<int>(header.idFrom);
        tipText_ = TooltipText(id);
        info.lpszText = const_cast<wchar_t*>(tipText_.c_str());
        info.hinst = nullptr;
        return TRUE;
    }
    INT_PTR result = FALSE;
    return OnNotify(header, &result) ? result : FALSE;
}

}  // namespace qx
