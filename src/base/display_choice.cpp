#include "base/display_choice.h"

#include <algorithm>
#include <cctype>

namespace qx {
namespace {

bool SameDeviceName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

PanelChoice ChoosePanelDisplay(const std::vector<DisplayInfo>& displays,
                               const std::string& setting) {
    PanelChoice choice;
    if (!setting.empty()) {
        for (const DisplayInfo& d : displays) {
            if (SameDeviceName(d.deviceName, setting)) {
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
