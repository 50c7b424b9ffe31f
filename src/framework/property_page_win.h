// A page of the property sheet: the dialog base with the sheet's contract.
// Its window is created the first time the page shows (initialisation);
// the sheet asks it on activation, before it is left (may refuse), for its
// apply step on OK (only pages that were shown), and whether Cancel may
// close the sheet (current page only); its controls' tips come from the
// dialog base.
#ifndef QXDRV_FRAMEWORK_PROPERTY_PAGE_WIN_H
#define QXDRV_FRAMEWORK_PROPERTY_PAGE_WIN_H

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
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

    // The sheet's notifications; a page that takes others calls this first.
    bool OnNotify(const NMHDR& header, INT_PTR* result) override;

private:
    std::vector<std::uint8_t> template_;  // the template in the sheet's font, while it shows
    bool applied_ = false;
    bool cancelled_ = false;  // the sheet accepted Cancel and is closing
};

}  // namespace qx

#endif
