#include "calib/edge_calibration.h"

namespace qx {

bool EdgesValid(double top, double bottom) {
    const double height = bottom - top;
    return top < bottom && height > kEdgeMinHeight && height < kEdgeMaxHeight;
}

CalibValues ComputeEdgeCalibration(const CalibValues& fullPreset, double top, double bottom) {
    CalibValues v = fullPreset;
    int spread = TruncateToInt(bottom + 1 - top);
    if (spread < 1) spread = 1;
    v.ratioY = static_cast<double>(kEdgeBoardRows) / spread;
    v.offsetY = -(v.ratioY * top);
    return v;
}

bool EdgeCalibration::OnClick(double row) {
    switch (step_) {
        case Step::Top:
            edges_[0] = row;
            step_ = Step::Bottom;
            return false;
        case Step::Bottom:
            edges_[1] = row;
            step_ = Step::Checking;
            return true;
        case Step::Checking:
            break;
    }
    return false;
}

}  // namespace qx
