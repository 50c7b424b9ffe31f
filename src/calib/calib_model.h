// The calibration of the current screen resolution: its presets and modes
// for the chosen display model, its per-resolution store in the settings,
// and the notices that name an applied mode. Nothing is cached: every call
// asks the screen size and the model code afresh, since both can change
// while the program runs.
#ifndef QXDRV_CALIB_CALIB_MODEL_H
#define QXDRV_CALIB_CALIB_MODEL_H

#include <string>

#include "base/settings_store.h"
#include "base/ui_ports.h"
#include "calib/calib_values.h"
#include "calib/presets.h"

namespace qx {

// Value names under a resolution's calibration key.
constexpr const char* kCalibRatioXName = "CalibRatioX";
constexpr const char* kCalibRatioYName = "CalibRatioY";
constexpr const char* kCalibOffsetXName = "CalibOffsetX";
constexpr const char* kCalibOffsetYName = "CalibOffsetY";

// A stored calibration number: "%f" in the C locale, six decimals. A value
// that is not finite is stored as "0.000000", which is what its text ("nan",
// "inf", or "1.#QNAN0" on older runtimes) would read back as anyway.
std::string FormatCalibNumber(double value);

// Reads a stored number as atof does: the longest leading number after
// leading white space, 0.0 when there is none. A text that reads as NaN or
// infinity ("nan", "inf", "1e999") also gives 0.0, like any other text
// that is not a usable number.
double ParseCalibNumber(const std::string& text);

// Fills a "%d x %d pixels" text from the string table with the width and the
// height, in that order. The pattern is a resource, so it is never handed to
// printf: only "%d" (filled in turn; a third one stays empty) and "%%" are
// read, every other character is kept as it is.
std::wstring FormatResolution(const std::wstring& pattern, int width, int height);

class CalibrationModel {
public:
    CalibrationModel(SettingsStore& store, const ScreenPort& screen,
                     const StringTablePort& strings, MessageBoxPort& boxes);

    // Modes, resolution and notices are read by the calibration selection
    // dialog, the resolution-change handling and install mode.
    // 0 or 1 for the mode at the current resolution and model.
    int IsModeAvailable(int mode) const;
    // The first of 0, 1, 2 that is available, else kNoMode.
    int FirstAvailableMode() const;
    // True when the model's preset table holds the current resolution.
    bool IsSupportedResolution() const;
    // "FULL", "4 : 3", or the model's third mode for any other index
    // (kNoMode included).
    std::wstring ScreenModeName(int mode) const;

    // The stored values of the current resolution, a missing or empty value
    // giving the identity's.
    CalibValues StoredCalibration() const;
    // The model's preset of `mode` for the current resolution (the store is
    // not read).
    CalibValues PresetCalibration(int mode) const;
    // The stored values of the current resolution with every missing or
    // empty value read as 0.0, for telling a never-calibrated resolution
    // apart (the resolution-change handling's quiet path).
    CalibValues ReadStoredWithoutDefaults() const;
    // Stores the four values under the current resolution's key. Store
    // failures are silent. The live calibration is the one caller, so what
    // the pen uses is what is stored.
    void WriteCalibration(const CalibValues& values);

    // The current size as string 57724 formats it, e.g. "1280 x 768 pixels".
    std::wstring ResolutionText() const;

    // "%1 mode is selected." naming the mode.
    void ShowModeSelectedNotice(int mode) const;
    // Install mode: stores the first available mode's preset (FULL of the
    // nearest row when none is available) for the current resolution and
    // tells the user which.
    void ApplyInstallPreset();

private:
    std::string CurrentKey() const;
    CalibValues ReadStored(const CalibValues& missing) const;

    SettingsStore& store_;
    const ScreenPort& screen_;
    const StringTablePort& strings_;
    MessageBoxPort& boxes_;
};

}  // namespace qx

#endif
