// The COM port page: the ports the pen can use, the one in use or the ones
// another program holds, and in the first-run form the display model.
#ifndef QXDRV_PROPS_USER_PORT_SET_PAGE_WIN_H
#define QXDRV_PROPS_USER_PORT_SET_PAGE_WIN_H

#include <windows.h>

#include <optional>
#include <string>

#include "framework/gdi_owners_win.h"
#include "props/port_page_rules.h"
#include "framework/property_page_win.h"

namespace qx {

class CUserPortSetPage : public CPropertyPage {
public:
    CUserPortSetPage(HINSTANCE instance, const PropServices& services);

    bool setup = false;  // part of the first-run sheet

private:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnKillActive() override;
    void OnApply() override;
    bool OnQueryCancel() override;
    std::wstring TooltipText(int controlId) const override;
    void OnPaint(HDC dc) override;

    void FillNormal();
    void FillSetup(std::size_t chosen);
    void FillModels();
    void ShowList(const PortList& list);
    int EntryCount() const;

    const PropServices& services_;
    UniqueBitmap picture_;
};

}  // namespace qx

#endif
