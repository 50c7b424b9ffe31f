#include "framework/dialog_win.h"

#include <commctrl.h>

#include "framework/callback_guard_win.h"

namespace qx {

CDialog::~CDialog() {
    if (hwnd_ && !modal_) ::DestroyWindow(hwnd_);
}

INT_PTR CDialog::DoModal(HWND parent) {
    modal_ = true;
    return ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, &CDialog::Proc,
                             reinterpret_cast<LPARAM>(this));
}

bool CDialog::CreateModeless(HWND parent) {
    modal_ = false;
    modeless_ = true;
    return ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, &CDialog::Proc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::End(INT_PTR code) {
    if (modal_) {
        ::EndDialog(hwnd_, code);
    } else {
        ::DestroyWindow(hwnd_);
    }
}

void CDialog::SetItemText(int id, const std::wstring& text) const {
    ::SetDlgItemTextW(hwnd_, id, text.c_str());
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
        if (!modeless_) boxOwner_ = std::make_unique<BoxOwnerScope>(hwnd_);
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
    case WM_DESTROY:
        OnDestroy();
        boxOwner_.reset();
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        if (OnMessage(message, wParam, lParam, &result)) return result;
        return FALSE;
    }
    }
}

}  // namespace qx
