#include "props/about_dlg_win.h"

#include "res/resource_ids.h"

namespace qx {

CAboutDlg::CAboutDlg(HINSTANCE instance) : CDialog(instance, IDD_ABOUTBOX) {}

}  // namespace qx
