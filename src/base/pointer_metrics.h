// The system pointer metrics that QXdrv changes while it runs: saved at
// start, put back at exit.
#ifndef QXDRV_BASE_POINTER_METRICS_H
#define QXDRV_BASE_POINTER_METRICS_H

#include "base/system_params_port.h"

namespace qx {

struct SavedPointerMetrics {
    int doubleClickWidth = 0;
    int doubleClickHeight = 0;
    unsigned doubleClickTime = 0;
    int dragWidth = 0;
    int dragHeight = 0;
};

// Puts the saved values back: double-click height, width, time, then drag
// height and width.
void RestorePointerMetrics(SystemParamsPort& system, const SavedPointerMetrics& saved);

// The click range as the system drag threshold, height first.
void ApplyDragSize(SystemParamsPort& system, int pixels);

}  // namespace qx

#endif
