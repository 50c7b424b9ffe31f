#include "calib/hotkey_candidates.h"

#include <algorithm>

#include "base/startup_rules.h"

namespace qx {

std::string HotkeyCandidateOrder() { return "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890"; }

HotkeyChoices BuildHotkeyChoices(int osVersionClass, char currentKey,
                                 const std::function<bool(char)>& canRegister) {
    std::string offered;
    for (const char key : HotkeyCandidateOrder()) {
        const bool current = key == currentKey;
        if (osVersionClass != kOsNt5 && current) {
            offered += key;
        } else if (canRegister(key)) {
            offered += key;
        }
    }
    std::sort(offered.begin(), offered.end());
    HotkeyChoices choices;
    choices.keys = offered;
    const auto at = offered.find(currentKey);
    if (at != std::string::npos) choices.selected = static_cast<int>(at);
    return choices;
}

}  // namespace qx
