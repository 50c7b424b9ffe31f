// The About box: the application icon, the product and version, OK.
#ifndef QXDRV_PROPS_ABOUT_DLG_WIN_H
#define QXDRV_PROPS_ABOUT_DLG_WIN_H

#include <windows.h>

namespace qx {

class CAboutDlg {
public:
    explicit CAboutDlg(HINSTANCE instance) : instance_(instance) {}
    // Runs the box modally, without a parent; its result is not needed.
    void DoModal();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam);
    HINSTANCE instance_;
};

}  // namespace qx

#endif
