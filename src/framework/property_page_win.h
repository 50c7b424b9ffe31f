// A page of the property sheet: the dialog base with the sheet's contract.
// Its window is created the first time the page shows (initialisation);
// the sheet asks it on activation, before it is left (may refuse), for its
// apply step on OK (only pages that were shown), whether Cancel may close
// the sheet (current page only), and for the tooltip text of its controls.
#ifndef QXDRV_FRAMEWORK_PROPERTY_PAGE_WIN_H
#define QXDRV_FRAMEWORK_PROPERTY_PAGE_WIN_H

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/dialog_win.h"
#include "framework/dialog_template.h"

namespace qx {

class CPropertyPage : public CDialog {
public:
    CPropertyPage(HINSTANCE instance, UINT templateId) : CDialog(instance, templateId) {}

    // The page description the sheet creates the page from; with a font,
    // the page's template is shown in it.
    HPROPSHEETPAGE CreatePage(const TemplateFont* font);
    bool Applied() const { return applied_; }

protected:
    virtual void OnSetActive() {}
    // False keeps the page current.
    virtual bool OnKillActive() { return true; }
    virtual void OnApply() {}
    // False keeps the sheet open.
    virtual bool OnQueryCancel() { return true; }
    // The tip of a control with an identifier; empty for none.
    virtual std::wstring TooltipText(int /*controlId*/) const { return {}; }
    // Messages other than the sheet's notifications.
    virtual bool OnPageMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR* /*result*/) {
        return false;
    }

    // Tips for every control that has an identifier, their texts asked of
    // TooltipText when they show. A static control lets the mouse through
    // to the page, so its tip belongs to its rectangle on the page.
    void EnableToolTips();
    HWND Sheet() const { return ::GetParent(Hwnd()); }
    // The user is leaving the sheet with Cancel, Esc or the close box: the
    // focus is on its Cancel button, or the sheet has begun to close.
    // Nothing the user typed needs checking any more.
    bool LeavingWithCancel() const;

    // A picture of the program's resources, drawn on the page at the
    // top-left corner of a control's rectangle moved by `offset` pixels both
    // ways; its pure blue lets the page show through.
    HBITMAP LoadPicture(UINT bitmapId) const;
    void PaintPicture(HDC dc, int controlId, HBITMAP picture, int offset) const;
    // A slider (trackbar) control.
    void SetupSlider(int id, int min, int max, int position, int line, int page, int ticks) const;
    int SliderPosition(int id) const;
    void SetSliderPosition(int id, int position) const;

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) final;
    bool OnNotify(const NMHDR& header, INT_PTR* result);

    HWND tooltip_ = nullptr;  // owned by the page window, destroyed with it
    std::wstring tipText_;    // read by the tooltip after the notification returns
    std::vector<std::uint8_t> template_;  // the template in the sheet's font, while it shows
    bool applied_ = false;
    bool cancelled_ = false;  // the sheet accepted Cancel and is closing
};

}  // namespace qx

#endif
