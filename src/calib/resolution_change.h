// What a change of the desktop resolution does to the pen's calibration:
// whether to ask, which question, and what declining applies. The main
// window gathers the facts and acts on the decision.
#ifndef QXDRV_CALIB_RESOLUTION_CHANGE_H
#define QXDRV_CALIB_RESOLUTION_CHANGE_H

namespace qx {

struct ResolutionChangeFacts {
    bool notice = false;          // the CalibDisp setting is 1
    // The size is the last one whose calibration was applied.
    bool sameSize = false;
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
    // With the notice, back at the size last applied: nothing is asked and
    // that size's stored values are live again (they are already, unless an
    // answer for another size was discarded meanwhile).
    bool reloadStored = false;
    ResolutionQuestion question = ResolutionQuestion::None;
    int questionMode = -1;  // the mode 57681 names (-1: the model's third mode's name)
    DeclineApplies onNo = DeclineApplies::Stored;
    int osdModeOnNo = -1;   // OSDmode written after No
};

ResolutionChangeDecision DecideResolutionChange(const ResolutionChangeFacts& facts);

// A question as it was asked: the size it names and the decision behind it.
struct AskedResolution {
    int width = 0;
    int height = 0;
    ResolutionChangeDecision decision;
};

// What comes of a situation once the user has answered or left.
enum class ResolutionOutcome {
    Ignore,         // the program is ending: nothing is stored
    Afresh,         // the desktop has another size now: the answer is void,
                    // the current size is handled as a new change
    ApplyDecline,   // what No applies, for the size asked
    OpenSelection,  // Yes: "Select Calibration" for the size asked
    UseStored,      // the size's stored values become live
};

// The question's answer, read against the size of the moment.
ResolutionOutcome ActOnAnswer(const AskedResolution& asked, int width, int height, bool yes,
                              bool ending);

// After Yes the user left without a new calibration (Cancel in the dialog,
// Esc on the cross screen, Detail-2 without a result): the size still gets
// its own calibration, its stored values when it has any (`hasStored`: not
// all 0.0), else what No would have applied.
ResolutionOutcome LeftWithoutResult(const AskedResolution& asked, int width, int height,
                                    bool hasStored, bool ending);

}  // namespace qx

#endif
