#include "calib/hotkey_candidates.h"

#include <algorithm>

#include "base/message_text.h"
#include "base/startup_rules.h"
#include "res/resource_ids.h"

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

std::wstring HotkeyText(const StringTablePort& strings, const std::string& letter) {
    return InsertArgs(strings.LoadText(IDS_HOTKEY_TEXT), {Widen(letter)});
}

}  // namespace qx
