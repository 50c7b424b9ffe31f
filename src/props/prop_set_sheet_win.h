// The "Properties" sheet. The normal form, opened from the tray menu, holds
// every page; the first-run form of install mode holds the COM port page
// alone, which then also asks for the display model, and has OK as its
// only button.
#ifndef QXDRV_PROPS_PROP_SET_SHEET_WIN_H
#define QXDRV_PROPS_PROP_SET_SHEET_WIN_H

#include <windows.h>

#include <memory>
#include <vector>

#include "base/display_list_win.h"
#include "props/port_page_rules.h"
#include "framework/property_page_win.h"

namespace qx {

enum class SheetMode { Normal = 0, Setup = 1 };

class CUserPortSetPage;
class CDisplaySetPage;

class CPropSetSheet {
public:
    CPropSetSheet(HINSTANCE instance, const PropServices& services, UINT captionId, HWND parent,
                  UINT startPage, SheetMode mode);
    ~CPropSetSheet();
    CPropSetSheet(const CPropSetSheet&) = delete;
    CPropSetSheet& operator=(const CPropSetSheet&) = delete;

    // Runs the sheet modally: IDOK when OK applied the pages, IDCANCEL
    // otherwise. When OK chose another panel display, the parent is told
    // with WM_PANELDISPLAYCHANGED once the sheet has closed.
    INT_PTR DoModal();

private:
    HINSTANCE instance_;
    PropServices services_;
    UINT captionId_;
    HWND parent_;
    UINT startPage_;
    SheetMode mode_;
    Win32DisplayList displays_;                          // outlives the pages that read it
    std::vector<std::unique_ptr<CPropertyPage>> pages_;  // in tab order
    CUserPortSetPage* portPage_ = nullptr;               // the first of them
    CDisplaySetPage* displayPage_ = nullptr;             // the last, normal form only
};

}  // namespace qx

#endif
