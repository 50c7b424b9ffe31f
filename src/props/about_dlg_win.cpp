#include "props/about_dlg_win.h"

#include "app/callback_guard_win.h"
#include "res/resource_ids.h"

namespace qx {

void CAboutDlg::DoModal() {
    ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUTBOX), nullptr, &CAboutDlg::DialogProc,
                      0);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return GuardedCallback<INT_PTR>("About box", message, FALSE,
                                    [&] { return Handle(dialog, message, wParam); });
}

INT_PTR CAboutDlg::Handle(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace qx
