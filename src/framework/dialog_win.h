// The small dialog base: one static procedure that finds the object, keeps
// exceptions inside, and dispatches to a few virtuals. Dialogs are built from
// templates; each subclass takes the plain data it shows and the few
// services it uses, and leaves its result in a member.
#ifndef QXDRV_FRAMEWORK_DIALOG_WIN_H
#define QXDRV_FRAMEWORK_DIALOG_WIN_H

#include <windows.h>

#include <memory>
#include <string>

#include "framework/box_owner_win.h"

namespace qx {

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
    // Any other message; true when handled, with the procedure's result.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR* /*result*/) {
        return false;
    }
    virtual void OnDestroy() {}

    void End(INT_PTR code);
    HINSTANCE Instance() const { return instance_; }
    UINT TemplateId() const { return templateId_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    void SetItemText(int id, const std::wstring& text) const;
    void EnableItem(int id, bool enabled) const;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked) const;
    // Checks the radio at `index` in the group [first, last] (ids in
    // button order, which may run downwards).
    void CheckRadio(const int* ids, int count, int index) const;
    int CheckedRadio(const int* ids, int count) const;

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Route(CDialog* created, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool modeless_ = false;
    // A modal dialog or a property page owns the boxes shown while it is
    // open; a modeless one owns its own boxes explicitly.
    std::unique_ptr<BoxOwnerScope> boxOwner_;
};

}  // namespace qx

#endif
