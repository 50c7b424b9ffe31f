#include "calib/resolution_change.h"

namespace qx {

ResolutionChangeDecision DecideResolutionChange(const ResolutionChangeFacts& facts) {
    ResolutionChangeDecision d;
    if (!facts.notice) {
        // Also on a change that kept the size (a colour depth).
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
    if (facts.sameSize) {
        d.reloadStored = true;
        return d;
    }
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

namespace {

bool SizeChanged(const AskedResolution& asked, int width, int height) {
    return width != asked.width || height != asked.height;
}

}  // namespace

ResolutionOutcome ActOnAnswer(const AskedResolution& asked, int width, int height, bool yes,
                              bool ending) {
    if (ending) return ResolutionOutcome::Ignore;
    if (SizeChanged(asked, width, height)) return ResolutionOutcome::Afresh;
    return yes ? ResolutionOutcome::OpenSelection : ResolutionOutcome::ApplyDecline;
}

ResolutionOutcome LeftWithoutResult(const AskedResolution& asked, int width, int height,
                                    bool hasStored, bool ending) {
    if (ending) return ResolutionOutcome::Ignore;
    if (SizeChanged(asked, width, height)) return ResolutionOutcome::Afresh;
    return hasStored ? ResolutionOutcome::UseStored : ResolutionOutcome::ApplyDecline;
}

}  // namespace qx
