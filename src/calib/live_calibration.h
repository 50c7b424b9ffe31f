// The calibration the pen is mapped through now. Making values live and
// storing them for the current resolution is one call, so what the pen uses
// and what the next start reads cannot drift apart.
#ifndef QXDRV_CALIB_LIVE_CALIBRATION_H
#define QXDRV_CALIB_LIVE_CALIBRATION_H

#include "calib/calib_model.h"
#include "calib/calib_values.h"

namespace qx {

class LiveCalibration {
public:
    // `model` must outlive this.
    explicit LiveCalibration(CalibrationModel& model) : model_(model) {}
    LiveCalibration(const LiveCalibration&) = delete;
    LiveCalibration& operator=(const LiveCalibration&) = delete;

    // Read afresh for every report, so a new value takes effect at the next.
    const CalibValues& Values() const { return values_; }
    // Makes `values` live and stores them under the current resolution.
    void Set(const CalibValues& values) {
        values_ = values;
        model_.WriteCalibration(values);
    }
    // Makes the current resolution's stored values live; nothing is written.
    void UseStored() { values_ = model_.StoredCalibration(); }

private:
    CalibrationModel& model_;
    CalibValues values_;
};

}  // namespace qx

#endif
