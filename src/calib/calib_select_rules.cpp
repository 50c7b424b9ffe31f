#include "calib/calib_select_rules.h"

namespace qx {

CalibSelectFacts SelectFactsFor(std::int32_t model, int width, int height) {
    CalibSelectFacts facts;
    facts.supported = IsSupportedResolutionOf(model, width, height);
    for (int mode = 0; mode < kModeCount; ++mode)
        facts.available[mode] = IsModeAvailableAt(model, width, height, mode);
    facts.detail2Screen = width == kDetail2Width && height == kDetail2Height;
    return facts;
}

CalibSelectView InitialSelectView(const CalibSelectFacts& facts, int storedMode) {
    CalibSelectView view;
    if (facts.supported) {
        // A stored mode outside the three (No to a size without a preset
        // stores -1) starts from FULL; the moves below then find the mode
        // that suits the size.
        view.mode = storedMode >= 0 && storedMode < kModeCount ? storedMode : kModeFull;
        view.method = kMethodEasy;
        SetEasyPart(view, facts, true);
        SetDetailPart(view, facts, false);
    } else {
        SetDetailPart(view, facts, true);
        SetEasyPart(view, facts, false);
        view.easyRadioEnabled = false;
        view.method = kMethodDetail;
    }
    return view;
}

void SetEasyPart(CalibSelectView& view, const CalibSelectFacts& facts, bool on) {
    view.easyEnabled = on;
    view.applyEnabled = on;
    // The moves ask the mode's own availability, whether or not the part is
    // enabled: a disabled part keeps a mode the user could pick once it is on.
    const auto available = [&](int mode) { return facts.available[mode] != 0; };
    view.modeEnabled[kModeThird] = on && available(kModeThird);
    if (!view.modeEnabled[kModeThird] && view.mode == kModeThird)
        view.mode = available(kModeFull) ? kModeFull : kMode4By3;
    view.modeEnabled[kMode4By3] = on && available(kMode4By3);
    if (!view.modeEnabled[kMode4By3] && view.mode == kMode4By3) view.mode = kModeFull;
    view.modeEnabled[kModeFull] = on && available(kModeFull);
    if (!view.modeEnabled[kModeFull] && view.mode == kModeFull)
        view.mode = available(kMode4By3) ? kMode4By3 : kModeThird;
}

void SetDetailPart(CalibSelectView& view, const CalibSelectFacts& facts, bool on) {
    view.detailEnabled = on;
    view.applyEnabled = !on;
    view.detail2Enabled = on && facts.detail2Screen;
}

void ChooseEasy(CalibSelectView& view, const CalibSelectFacts& facts) {
    view.method = kMethodEasy;
    SetEasyPart(view, facts, true);
    SetDetailPart(view, facts, false);
}

void ChooseDetail(CalibSelectView& view, const CalibSelectFacts& facts) {
    view.method = kMethodDetail;
    SetDetailPart(view, facts, true);
    SetEasyPart(view, facts, false);
}

SelectValidation ValidateSelection(const CalibSelectView& view) {
    SelectValidation v;
    if (view.method == kMethodEasy) {
        // Only a mode that can be chosen is applied.
        v.valid = view.mode >= 0 && view.mode < kModeCount && view.modeEnabled[view.mode];
        v.result = CalibMethod::EasySetting;
    } else if (view.manual == kManualDetail1) {
        v.askDetail1Question = view.detail2Enabled;
        v.result = CalibMethod::Detail1;
    } else {
        v.result = CalibMethod::Detail2;
    }
    return v;
}

}  // namespace qx
