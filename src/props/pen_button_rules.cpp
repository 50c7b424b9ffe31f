#include "props/pen_button_rules.h"

#include "base/pointer_metrics.h"
#include "res/resource_ids.h"

namespace qx {

int ClickRangeTicks(bool enabled) { return enabled ? kClickRangeTicks : 0; }

void ApplyOtherSetup(const PropServices& services, const OtherSetupChoice& choice,
                     const OtherSetupStart& start) {
    SettingsStore& settings = *services.settings;
    settings.SetMiddleButon(choice.middle);
    if (!settings.SetCalibDisp(choice.notice)) ShowRightsNoticeOnce(services);
    settings.SetSingleClickType(choice.html);
    if (choice.html != 1) {
        services.system->SetSystemParam(kSpiSetDragHeight,
                                        static_cast<unsigned>(services.startDragHeight));
        services.system->SetSystemParam(kSpiSetDragWidth,
                                        static_cast<unsigned>(services.startDragWidth));
        return;
    }
    settings.SetSingleClick(choice.range);
    ApplyDragSize(*services.system, choice.range);
    if (choice.range != start.range || start.html == 0)
        services.boxes->ShowMessage(services.strings->LoadText(IDS_HTML_NEXT_START),
                                    kMbOk | kMbIconInformation);
}

}  // namespace qx
