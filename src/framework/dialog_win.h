// The small dialog base: one static procedure that finds the object, keeps
// exceptions inside, and dispatches to typed hooks (init, command, OK,
// Cancel, timer, paint, notify, tool tip text, destroy) and, for the rest,
// one virtual. Dialogs are built from templates; each subclass takes the
// plain data it shows and the few services it uses, and leaves its result in
// a member.
#ifndef QXDRV_FRAMEWORK_DIALOG_WIN_H
#define QXDRV_FRAMEWORK_DIALOG_WIN_H

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "framework/box_owner_win.h"
#include "framework/geometry.h"

namespace qx {

// The text of a window or control.
std::wstring WindowText(HWND hwnd);

// How tool tips find static controls.
enum class StaticTips {
    // A static without SS_NOTIFY lets the mouse through to the dialog: its
    // tip belongs to its rectangle there (hidden ones have none).
    OverRectangle,
    // Every control is a tool by its window: a static that lets the mouse
    // through shows no tip.
    ByWindow,
};

class CDialog {
public:
    CDialog(HINSTANCE instance, UINT templateId) : instance_(instance), templateId_(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; the EndDialog code, or -1 when it could not
    // be created.
    INT_PTR DoModal(HWND parent);
    // Creates it modeless (hidden unless its template says visible).
    bool CreateModeless(HWND parent);
    HWND Hwnd() const { return hwnd_; }

protected:
    // The procedure of a property page: the same dispatch, with the object
    // found in the page description that WM_INITDIALOG carries.
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL OnInitDialog() { return TRUE; }
    // A WM_COMMAND; true when handled. IDOK and IDCANCEL not handled here
    // go to OnOk and OnCancel.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    virtual void OnOk() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // A WM_TIMER of the dialog's own timer `id`; true when handled.
    virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
    // WM_PAINT, between BeginPaint and EndPaint; by default nothing is drawn
    // beyond the background.
    virtual void OnPaint(HDC /*dc*/) {}
    // A WM_NOTIFY other than a tool tip's text request; true when handled,
    // with the procedure's result.
    virtual bool OnNotify(const NMHDR& /*header*/, INT_PTR* /*result*/) { return false; }
    // The tip of a control with an identifier, once EnableToolTips has
    // run; empty for none.
    virtual std::wstring TooltipText(int /*controlId*/) const { return {}; }
    // Any other message; true when handled, with the procedure's result.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR* /*result*/) {
        return false;
    }
    virtual void OnDestroy() {}

    void End(INT_PTR code);
    HINSTANCE Instance() const { return instance_; }
    UINT TemplateId() const { return templateId_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    std::wstring ItemText(int id) const { return WindowText(Item(id)); }
    void SetItemText(int id, const std::wstring& text) const;
    // In the dialog's client coordinates.
    Rect ItemRect(int id) const;
    // The selected entry's text; none when nothing is selected.
    std::optional<std::wstring> SelectedListText(int listBoxId) const;
    std::optional<std::wstring> SelectedComboText(int comboBoxId) const;
    void EnableItem(int id, bool enabled) const;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked) const;
    // Checks the radio at `index` in the group [first, last] (ids in
    // button order, which may run downwards).
    void CheckRadio(const int* ids, int count, int index) const;
    int CheckedRadio(const int* ids, int count) const;
    // Moves the dialog to the middle of `over` when that is a visible
    // window, else of the screen's work area.
    void Centre(HWND over) const;
    // Tips for every control that has an identifier, their texts asked of
    // TooltipText when they show.
    void EnableToolTips(StaticTips statics = StaticTips::OverRectangle);

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Route(CDialog* created, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleNotify(const NMHDR& header);

    // A page of a property sheet runs neither way: the sheet creates it.
    enum class Run { Page, Modal, Modeless };

    HINSTANCE instance_;
    UINT templateId_;
    HWND hwnd_ = nullptr;
    Run run_ = Run::Page;
    HWND tooltip_ = nullptr;  // owned by the dialog's window, destroyed with it
    std::wstring tipText_;    // read by the tool tip after the notification returns
    // A modal dialog or a property page owns the boxes shown while it is
    // open; a modeless one owns its own boxes explicitly.
    std::unique_ptr<BoxOwnerScope> boxOwner_;
};

}  // namespace qx

#endif
