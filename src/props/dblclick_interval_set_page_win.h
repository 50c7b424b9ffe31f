// The double-click speed page: the double-click time on a slider, set by
// hand or by two clicks on a target, and tried on a picture that plays a
// short animation when two clicks come fast enough; OK stores and applies.
#ifndef QXDRV_PROPS_DBLCLICK_INTERVAL_SET_PAGE_WIN_H
#define QXDRV_PROPS_DBLCLICK_INTERVAL_SET_PAGE_WIN_H

#include <windows.h>

#include <cstdint>

#include "framework/gdi_owners_win.h"
#include "props/port_page_rules.h"
#include "framework/property_page_win.h"

namespace qx {

class CDblClickIntervalSetPage : public CPropertyPage {
public:
    CDblClickIntervalSetPage(HINSTANCE instance, const PropServices& services);

private:
    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnApply() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    std::wstring TooltipText(int controlId) const override;
    void OnPaint(HDC dc) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

    void OnLeftRelease(Point client);
    void Rewind() const;
    void PlayOnce() const;

    const PropServices& services_;
    std::uint32_t autoStart_ = 0;  // first release on the target; 0 when none
    std::uint32_t testStart_ = 0;  // first release on the test picture; 0 when none
    HWND animation_ = nullptr;     // child of the test picture, destroyed with it
    UniqueBitmap target_;
};

}  // namespace qx

#endif
