// Which window a message box belongs to: the one the user is working in.
// Every modal dialog, property page and full-screen screen enters a scope
// while it is shown, the main window for its whole life; a box is owned by
// the latest of them that is still a window, so the window behind it is
// disabled while it is open and the box always lies above it.
#ifndef QXDRV_FRAMEWORK_BOX_OWNER_WIN_H
#define QXDRV_FRAMEWORK_BOX_OWNER_WIN_H

#include <windows.h>

namespace qx {

class BoxOwnerScope {
public:
    explicit BoxOwnerScope(HWND window);
    ~BoxOwnerScope();
    BoxOwnerScope(const BoxOwnerScope&) = delete;
    BoxOwnerScope& operator=(const BoxOwnerScope&) = delete;

private:
    HWND window_;
};

// The owner for a box shown now on this thread: the top-level window of the
// latest scope still open, nullptr when there is none (install mode before
// its sheet, the receive thread).
HWND CurrentBoxOwner();

}  // namespace qx

#endif
