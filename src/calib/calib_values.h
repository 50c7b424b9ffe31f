// The calibration of one screen resolution: a ratio and an offset per axis
// that map board coordinates to screen pixels.
#ifndef QXDRV_CALIB_CALIB_VALUES_H
#define QXDRV_CALIB_CALIB_VALUES_H

#include <cmath>
#include <limits>

namespace qx {

struct CalibValues {
    double ratioX = 1.0;
    double ratioY = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Truncates toward zero. A field such as "9e99" or "nan" parses to a value no
// int can hold; those saturate (NaN gives 0) instead of being undefined.
inline int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// screen = trunc(board * ratio - offset) per axis, no clamping to the screen
// (the system clamps the cursor itself).
inline ScreenPoint BoardToScreen(double boardX, double boardY, const CalibValues& calib) {
    return ScreenPoint{TruncateToInt(boardX * calib.ratioX - calib.offsetX),
                       TruncateToInt(boardY * calib.ratioY - calib.offsetY)};
}

}  // namespace qx

#endif
