// The calibration of one screen resolution: a ratio and an offset per axis
// that map board coordinates to screen pixels.
#ifndef QXDRV_CALIB_CALIB_VALUES_H
#define QXDRV_CALIB_CALIB_VALUES_H

#include "framework/geometry.h"  // ScreenPoint
#include "link/pen_decoder.h"    // TruncateToInt

namespace qx {

struct CalibValues {
    double ratioX = 1.0;
    double ratioY = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
};

// screen = trunc(board * ratio - offset) per axis, no clamping to the screen
// (the system clamps the cursor itself).
inline ScreenPoint BoardToScreen(double boardX, double boardY, const CalibValues& calib) {
    return ScreenPoint{TruncateToInt(boardX * calib.ratioX - calib.offsetX),
                       TruncateToInt(boardY * calib.ratioY - calib.offsetY)};
}

}  // namespace qx

#endif
