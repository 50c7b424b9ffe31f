#include "base/pointer_metrics.h"

namespace qx {

void RestorePointerMetrics(SystemParamsPort& system, const SavedPointerMetrics& saved) {
    system.SetSystemParam(kSpiSetDoubleClkHeight, static_cast<unsigned>(saved.doubleClickHeight));
    system.SetSystemParam(kSpiSetDoubleClkWidth, static_cast<unsigned>(saved.doubleClickWidth));
    system.SetSystemParam(kSpiSetDoubleClickTime, saved.doubleClickTime);
    system.SetSystemParam(kSpiSetDragHeight, static_cast<unsigned>(saved.dragHeight));
    system.SetSystemParam(kSpiSetDragWidth, static_cast<unsigned>(saved.dragWidth));
}

void ApplyDragSize(SystemParamsPort& system, int pixels) {
    system.SetSystemParam(kSpiSetDragHeight, static_cast<unsigned>(pixels));
    system.SetSystemParam(kSpiSetDragWidth, static_cast<unsigned>(pixels));
}

}  // namespace qx
