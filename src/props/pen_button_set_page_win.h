// The other-setup page: the pen's small button as the middle button, the
// calibration notice on a resolution change, and the HTML optimisation with
// its click range.
#ifndef QXDRV_PROPS_PEN_BUTTON_SET_PAGE_WIN_H
#define QXDRV_PROPS_PEN_BUTTON_SET_PAGE_WIN_H

#include <windows.h>

#include "framework/gdi_owners_win.h"
#include "props/pen_button_rules.h"
#include "framework/property_page_win.h"

namespace qx {

class CPenButtonSetPage : public CPropertyPage {
public:
    CPenButtonSetPage(HINSTANCE instance, const PropServices& services);

private:
    BOOL OnInitDialog() override;
    void OnApply() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    std::wstring TooltipText(int controlId) const override;
    void OnPaint(HDC dc) override;

    void EnableRangeGroup(bool enabled) const;
    void SetupRangeSlider(int position) const;
    void OnHtmlClicked();

    const PropServices& services_;
    OtherSetupStart start_;
    UniqueBitmap pen_;
};

}  // namespace qx

#endif
