#include "calib/resolution_change.h"

namespace qx {

ResolutionChangeDecision DecideResolutionChange(const ResolutionChangeFacts& facts) {
    ResolutionChangeDecision d;
    if (!facts.notice) {
        // Also on a change that kept the size (a colour depth).
        d.rememberSize = true;
        if (facts.anyStoredNonZero) {
            d.applyStoredQuietly = true;
            return d;
        }
        d.question = ResolutionQuestion::Preset;
        d.questionMode = facts.firstMode;
        d.onNo = facts.firstMode >= 0 ? DeclineApplies::PresetOfMode : DeclineApplies::Stored;
        d.osdModeOnNo = facts.firstMode;
        return d;
    }
    if (facts.sameSize) return d;
    d.rememberSize = true;
    d.osdModeOnNo = facts.firstMode;
    if (facts.firstMode >= 0) {
        d.question = ResolutionQuestion::Preset;
        d.questionMode = facts.firstMode;
        d.onNo = DeclineApplies::PresetOfMode;
    } else if (facts.adjustedBefore) {
        d.question = ResolutionQuestion::AdjustedBefore;
        d.onNo = DeclineApplies::Stored;
    } else {
        d.question = ResolutionQuestion::NothingStored;
        d.onNo = DeclineApplies::FullPreset;
    }
    return d;
}

}  // namespace qx
