// Points and rectangles in pixels, as the Win32 side measures windows and
// controls: right and bottom lie just outside, as in a RECT.
#ifndef QXDRV_FRAMEWORK_GEOMETRY_H
#define QXDRV_FRAMEWORK_GEOMETRY_H

namespace qx {

struct Point {
    int x = 0;
    int y = 0;
};

// A cursor position on the desktop.
using ScreenPoint = Point;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// Where a box of `width` x `height` starts so that it sits in the middle
// of `area`; a box larger than the area overhangs it evenly.
inline Point CentredIn(const Rect& area, int width, int height) {
    return {area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2};
}

}  // namespace qx

#endif
