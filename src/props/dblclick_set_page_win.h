// The double-click area page: the area as a number, on a slider and as a
// red circle of that diameter, kept in step; OK stores and applies it.
#ifndef QXDRV_PROPS_DBLCLICK_SET_PAGE_WIN_H
#define QXDRV_PROPS_DBLCLICK_SET_PAGE_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/gdi_owners_win.h"
#include "props/port_page_rules.h"
#include "framework/property_page_win.h"

namespace qx {

class CDblClickSetPage : public CPropertyPage {
public:
    CDblClickSetPage(HINSTANCE instance, const PropServices& services);

private:
    BOOL OnInitDialog() override;
    void OnSetActive() override;
    bool OnKillActive() override;
    void OnApply() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    std::wstring TooltipText(int controlId) const override;
    bool OnTimer(UINT_PTR id) override;
    void OnPaint(HDC dc) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

    void ShowArea();
    std::string AreaText() const;
    void FollowEdit();
    bool Validate();
    void LeaveEdit();
    void DrawCircle() const;

    const PropServices& services_;
    std::int32_t area_ = 0;
    // Set while the page itself writes the edit or validates it: the
    // notifications that causes are not the user's.
    bool busy_ = false;
    WindowTimer circleTimer_;
};

}  // namespace qx

#endif
