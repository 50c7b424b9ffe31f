// The edge ("Detail-2") calibration for a zoomed 1280 x 1024 picture: the
// user clicks the topmost and the lowest visible screen rows; the vertical
// calibration comes from them, the horizontal one from the FULL preset.
#ifndef QXDRV_CALIB_EDGE_CALIBRATION_H
#define QXDRV_CALIB_EDGE_CALIBRATION_H

#include "calib/calib_values.h"

namespace qx {

// The board rows that the visible picture spans.
constexpr int kEdgeBoardRows = 768;
// The visible height must lie strictly between these (in screen rows).
constexpr double kEdgeMinHeight = 700;
constexpr double kEdgeMaxHeight = 840;

// Valid when the bottom lies below the top and the visible height is
// strictly between 700 and 840 rows.
bool EdgesValid(double top, double bottom);

// The FULL preset with its vertical part replaced: board row 0 maps to the
// top row and the bottom row (inclusive) closes the 768 board rows.
CalibValues ComputeEdgeCalibration(const CalibValues& fullPreset, double top, double bottom);

class EdgeCalibration {
public:
    enum class Step { Top = 0, Bottom = 1, Checking = 2 };
    Step Current() const { return step_; }
    // A click on the bar at a screen row. True when both edges are in and
    // the procedure is checking them.
    bool OnClick(double row);
    double Top() const { return edges_[0]; }
    double Bottom() const { return edges_[1]; }
    void Restart() { step_ = Step::Top; }

private:
    Step step_ = Step::Top;
    double edges_[2] = {};
};

}  // namespace qx

#endif
