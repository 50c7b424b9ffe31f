// The red of the active cross and of the Detail-2 bar.
#ifndef QXDRV_CALIB_CALIB_SCREEN_WIN_H
#define QXDRV_CALIB_CALIB_SCREEN_WIN_H

#include <windows.h>

namespace qx {

constexpr COLORREF kCalibRed = RGB(255, 0, 0);

}  // namespace qx

#endif
