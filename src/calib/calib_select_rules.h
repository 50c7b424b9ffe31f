// What the calibration selection dialog shows and allows, decided from the
// resolution, the display model's mode availability and the stored screen
// mode, and what its OK or Apply means.
#ifndef QXDRV_CALIB_CALIB_SELECT_RULES_H
#define QXDRV_CALIB_CALIB_SELECT_RULES_H

#include <cstdint>

#include "calib/presets.h"

namespace qx {

// Radio group indexes of the dialog.
constexpr int kMethodEasy = 0;
constexpr int kMethodDetail = 1;
constexpr int kManualDetail1 = 0;
constexpr int kManualDetail2 = 1;

// The dialog's result (`CalibMethod`), the argument of RunCalibrationChoice.
enum class CalibMethod : int { EasySetting = 0, Detail1 = 1, Detail2 = 2 };

// Detail-2 calibrates a zoomed 1280 x 1024 picture only.
constexpr int kDetail2Width = 1280;
constexpr int kDetail2Height = 1024;

struct CalibSelectFacts {
    bool supported = false;             // the model's preset table has the resolution
    int available[kModeCount] = {};     // 1 where the mode suits the resolution
    bool detail2Screen = false;         // the screen is exactly 1280 x 1024
};

struct CalibSelectView {
    int method = kMethodEasy;
    int mode = kModeFull;
    int manual = kManualDetail1;
    bool easyRadioEnabled = true;       // 1014
    bool easyEnabled = false;           // group 1020, notes 1047-1049
    bool modeEnabled[kModeCount] = {};  // radios 1019, 1018, 1017 and their icons
    bool detailEnabled = false;         // group 1021, radio 1022, the Detail-1 icon
    bool detail2Enabled = false;        // radio 1023, notes 1050-1053, the Detail-2 icon
    bool applyEnabled = false;          // button 3
};

// The facts of a model's tables at a screen size.
CalibSelectFacts SelectFactsFor(std::int32_t model, int width, int height);

// The view when the dialog opens; `storedMode` is the OSDmode setting.
CalibSelectView InitialSelectView(const CalibSelectFacts& facts, int storedMode);

// Enables (on) or disables the Easy part. The mode moves off each mode found
// unavailable, third mode first, then 4 : 3, then FULL, so the selection
// always rests on a mode that can be chosen when there is one.
void SetEasyPart(CalibSelectView& view, const CalibSelectFacts& facts, bool on);
void SetDetailPart(CalibSelectView& view, const CalibSelectFacts& facts, bool on);

// The user clicked "Easy Setting" (1014) or "Detail Setting" (1015).
void ChooseEasy(CalibSelectView& view, const CalibSelectFacts& facts);
void ChooseDetail(CalibSelectView& view, const CalibSelectFacts& facts);

// OK or Apply: the result, or that the Detail-1 question must be asked first
// (Detail-1 chosen where Detail-2 would apply; No keeps the dialog open).
// Easy Setting on a mode that is not enabled is not valid: nothing is stored
// and the dialog stays open.
struct SelectValidation {
    bool valid = true;
    bool askDetail1Question = false;
    CalibMethod result = CalibMethod::EasySetting;
};
SelectValidation ValidateSelection(const CalibSelectView& view);

}  // namespace qx

#endif
