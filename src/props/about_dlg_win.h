// The About box: the application icon, the product and version, OK.
#ifndef QXDRV_PROPS_ABOUT_DLG_WIN_H
#define QXDRV_PROPS_ABOUT_DLG_WIN_H

#include <windows.h>

#include "framework/dialog_win.h"

namespace qx {

// Runs modally without a parent; its result is not needed.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HINSTANCE instance);
};

}  // namespace qx

#endif
