#include "calib/cross_calibration.h"

namespace qx {
namespace {

// One axis: `low` and `high` are the mean board positions that map to the
// margin and to size - margin.
void CalibrateAxis(double low, double high, int size, double* ratio, double* offset) {
    const double span = size - 2 * kCrossMargin;
    int spread = TruncateToInt(high - low);
    if (spread < 1) spread = 1;
    *ratio = span / spread;
    *offset = (low - (kCrossMargin * static_cast<double>(spread)) / span) * *ratio;
}

}  // namespace

ScreenPoint CrossBoxOrigin(int cross, int width, int height) {
    const int right = width - 2 * kCrossMargin;
    const int bottom = height - 2 * kCrossMargin;
    switch (cross) {
        case kCrossBottomLeft: return ScreenPoint{0, bottom};
        case kCrossBottomRight: return ScreenPoint{right, bottom};
        case kCrossTopRight: return ScreenPoint{right, 0};
        default: return ScreenPoint{0, 0};
    }
}

bool InCrossQuadrant(int cross, BoardPoint raw) {
    const bool left = raw.x < kBoardMidX;
    const bool top = raw.y < kBoardMidY;
    switch (cross) {
        case kCrossTopLeft: return left && top;
        case kCrossBottomLeft: return left && !top;
        case kCrossBottomRight: return !left && !top;
        case kCrossTopRight: return !left && top;
        default: return false;
    }
}

CalibValues ComputeCrossCalibration(const BoardPoint (&p)[kCrossCount], int width, int height) {
    CalibValues v;
    CalibrateAxis((p[kCrossTopLeft].x + p[kCrossBottomLeft].x) * 0.5,
                  (p[kCrossBottomRight].x + p[kCrossTopRight].x) * 0.5, width, &v.ratioX,
                  &v.offsetX);
    CalibrateAxis((p[kCrossTopLeft].y + p[kCrossTopRight].y) * 0.5,
                  (p[kCrossBottomLeft].y + p[kCrossBottomRight].y) * 0.5, height, &v.ratioY,
                  &v.offsetY);
    return v;
}

bool CrossCalibration::Start() {
    if (active_) return false;
    active_ = true;
    step_ = 0;
    return true;
}

bool CrossCalibration::OnPenLine(const PenEvent& line) {
    if (!active_) return false;
    if (step_ == kConfirming) {
        if (line.kind == PenReport::Left) {
            active_ = false;
            step_ = 0;
            decided_ = Event::Accepted;
        } else {
            step_ = 0;
            decided_ = Event::Restarted;
        }
        return true;
    }
    if (line.kind != PenReport::Short) return false;
    decided_ = TouchEnded(line.lastRaw);
    return true;
}

CrossCalibration::Event CrossCalibration::TakeEvent() {
    const Event event = decided_;
    decided_ = Event::None;
    return event;
}

CrossCalibration::Event CrossCalibration::TouchEnded(BoardPoint raw) {
    if (!InCrossQuadrant(step_, raw)) return Event::Ignored;
    points_[step_] = raw;
    ++step_;
    if (step_ < kCrossCount) return Event::Advanced;
    step_ = kConfirming;
    ++ticket_;
    return Event::AskConfirm;
}

CrossCalibration::Event CrossCalibration::OnConfirmAnswer(unsigned ticket, bool yes,
                                                          PenProcedureSlot& pen) {
    // The pen answered first (accepted, or restarted and maybe touched again).
    if (!active_ || step_ != kConfirming || ticket != ticket_) return Event::None;
    pen.ClearPending();
    if (yes) {
        active_ = false;
        step_ = 0;
        return Event::Accepted;
    }
    return Restart(pen);
}

CrossCalibration::Event CrossCalibration::OnEscAnswer(bool yes, PenProcedureSlot& pen) {
    if (!active_) return Event::None;
    if (yes) {
        active_ = false;
        step_ = 0;
        return Event::Left;
    }
    return Restart(pen);
}

CrossCalibration::Event CrossCalibration::Restart(PenProcedureSlot& pen) {
    step_ = 0;
    pen.ClearPending();
    return Event::Restarted;
}

}  // namespace qx
