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

CrossCalibration::Event CrossCalibration::OnDelivery(PenDecoder& decoder) {
    if (!active_) return Event::None;
    if (step_ == kConfirming) {
        // The port hands over whatever has arrived, so a report can come in
        // two deliveries; the first line decides once it is complete.
        if (!decoder.HasCompleteLine()) {
            decoder.DecodeStep();  // only the overflow rule
            return Event::None;
        }
        const PenReport first = decoder.DecodeStep();
        decoder.ClearBuffer();
        if (first == PenReport::Left) {
            active_ = false;
            step_ = 0;
            return Event::Accepted;
        }
        return Restart(decoder);
    }
    while (decoder.HasCompleteLine()) {
        if (decoder.DecodeStep() == PenReport::Short) {
            const Event event = TouchEnded(decoder.RawBoardPosition());
            decoder.ClearBuffer();
            return event;
        }
    }
    decoder.DecodeStep();  // no line left: only the overflow rule
    return Event::None;
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
                                                          PenDecoder& decoder) {
    // The pen answered first (accepted, or restarted and maybe touched again).
    if (!active_ || step_ != kConfirming || ticket != ticket_) return Event::None;
    decoder.ClearBuffer();
    if (yes) {
        active_ = false;
        step_ = 0;
        return Event::Accepted;
    }
    return Restart(decoder);
}

CrossCalibration::Event CrossCalibration::OnEscAnswer(bool yes, PenDecoder& decoder) {
    if (!active_) return Event::None;
    if (yes) {
        active_ = false;
        step_ = 0;
        return Event::Left;
    }
    return Restart(decoder);
}

CrossCalibration::Event CrossCalibration::Restart(PenDecoder& decoder) {
    step_ = 0;
    decoder.ClearBuffer();
    return Event::Restarted;
}

}  // namespace qx
