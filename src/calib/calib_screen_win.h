// What the two full-screen calibration procedures share: their red, and the
// primary screen's size asked afresh.
#ifndef QXDRV_CALIB_CALIB_SCREEN_WIN_H
#define QXDRV_CALIB_CALIB_SCREEN_WIN_H

#include <windows.h>

namespace qx {

// The active cross and the Detail-2 bar.
constexpr COLORREF kCalibRed = RGB(255, 0, 0);

inline int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
inline int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

}  // namespace qx

#endif
