#include "base/display_choice.h"

#include <algorithm>

#include "base/message_text.h"

namespace qx {

PanelChoice ChoosePanelDisplay(const std::vector<DisplayInfo>& displays,
                               const std::string& setting) {
    PanelChoice choice;
    if (!setting.empty()) {
        for (const DisplayInfo& d : displays) {
            if (SameAsciiName(d.deviceName, setting)) {
                choice.display = d;
                return choice;
            }
        }
        choice.namedGone = true;
    }
    const auto primary = std::find_if(displays.begin(), displays.end(),
                                      [](const DisplayInfo& d) { return d.primary; });
    if (primary != displays.end()) {
        choice.display = *primary;
    } else if (!displays.empty()) {
        choice.display = displays.front();
    }
    return choice;
}

}  // namespace qx
