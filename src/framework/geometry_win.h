// The portable point and rectangle against POINT and RECT, and the window
// measurements the dialogs take.
#ifndef QXDRV_FRAMEWORK_GEOMETRY_WIN_H
#define QXDRV_FRAMEWORK_GEOMETRY_WIN_H

#include <windows.h>

#include "framework/geometry.h"

namespace qx {

inline Point FromPOINT(const POINT& p) { return {p.x, p.y}; }
inline POINT ToPOINT(Point p) { return POINT{p.x, p.y}; }
inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// In screen coordinates.
inline Rect WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return FromRECT(r);
}

inline Rect ClientRect(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    return FromRECT(r);
}

// A child's rectangle in the client coordinates of `parent`.
inline Rect ChildRect(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return FromRECT(r);
}

inline Point CursorPosition() {
    POINT p{};
    ::GetCursorPos(&p);
    return FromPOINT(p);
}

inline void MoveWindowTo(HWND hwnd, const Rect& r) {
    ::MoveWindow(hwnd, r.left, r.top, r.Width(), r.Height(), TRUE);
}

}  // namespace qx

#endif
