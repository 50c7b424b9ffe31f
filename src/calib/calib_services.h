// What the calibration dialogs and screens are handed instead of the
// application object: the calibration model, the settings, texts, boxes,
// the screen size and the main window's live calibration.
#ifndef QXDRV_CALIB_CALIB_SERVICES_H
#define QXDRV_CALIB_CALIB_SERVICES_H

#include "base/settings_store.h"
#include "base/ui_ports.h"
#include "calib/calib_model.h"
#include "calib/live_calibration.h"

namespace qx {

struct CalibServices {
    const CalibrationModel* model = nullptr;
    SettingsStore* settings = nullptr;
    const StringTablePort* strings = nullptr;
    MessageBoxPort* boxes = nullptr;
    const ScreenPort* screen = nullptr;
    LiveCalibration* live = nullptr;
};

}  // namespace qx

#endif
