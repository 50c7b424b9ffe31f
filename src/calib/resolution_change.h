// What a change of the desktop resolution does to the pen's calibration:
// whether to ask, which question, and what declining applies. The main
// window gathers the facts and acts on the decision.
#ifndef QXDRV_CALIB_RESOLUTION_CHANGE_H
#define QXDRV_CALIB_RESOLUTION_CHANGE_H

namespace qx {

struct ResolutionChangeFacts {
    bool notice = false;          // the CalibDisp setting is 1
    bool sameSize = false;        // the size is the last one seen
    int firstMode = -1;           // the first available screen mode, -1 for none
    // The stored values, a missing one read as the identity's, differ from
    // the identity (compared exactly).
    bool adjustedBefore = false;
    // The stored values, a missing one read as 0.0, are not all 0.0.
    bool anyStoredNonZero = false;
};

enum class ResolutionQuestion {
    None,
    Preset,          // 57681: %1 the resolution, %2 the mode's name
    AdjustedBefore,  // 57716 then 57717
    NothingStored,   // 57715
};

// What No puts into the live calibration and the store.
enum class DeclineApplies {
    PresetOfMode,  // the preset of questionMode
    FullPreset,    // FULL, of the nearest row where the table lacks the size
    Stored,        // the stored values (identity for a missing one), stored again
};

struct ResolutionChangeDecision {
    // Without the notice, a size calibrated before: its values, read with
    // 0.0 for a missing one, become live and are stored again; nothing asked.
    bool applyStoredQuietly = false;
    ResolutionQuestion question = ResolutionQuestion::None;
    int questionMode = -1;  // the mode 57681 names (-1: the model's third mode's name)
    DeclineApplies onNo = DeclineApplies::Stored;
    int osdModeOnNo = -1;   // OSDmode written after No
    bool rememberSize = false;  // the size becomes the last one seen
};

ResolutionChangeDecision DecideResolutionChange(const ResolutionChangeFacts& facts);

}  // namespace qx

#endif
