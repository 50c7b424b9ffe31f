// The panel display page: the displays of the desktop with their number,
// size and place, the one that is the panel selected.
#ifndef QXDRV_PROPS_DISPLAY_SET_PAGE_WIN_H
#define QXDRV_PROPS_DISPLAY_SET_PAGE_WIN_H

#include <windows.h>

#include "framework/property_page_win.h"
#include "props/display_page_rules.h"

namespace qx {

class CDisplaySetPage : public CPropertyPage {
public:
    CDisplaySetPage(HINSTANCE instance, const PropServices& services, const DisplayListPort& displays);

    // OK stored another display: the panel is to follow it.
    bool Changed() const { return changed_; }

private:
    BOOL OnInitDialog() override;
    void OnApply() override;
    std::wstring TooltipText(int controlId) const override;

    const PropServices& services_;
    const DisplayListPort& displays_;
    DisplayPageList list_;
    bool changed_ = false;
};

}  // namespace qx

#endif
