#include "props/display_page_rules.h"

#include <algorithm>
#include <cctype>

#include "base/message_text.h"

namespace qx {

std::wstring DisplayNumber(const std::string& deviceName, std::size_t fallback) {
    const auto digits = std::find_if_not(deviceName.rbegin(), deviceName.rend(), [](char c) {
                            return std::isdigit(static_cast<unsigned char>(c)) != 0;
                        }).base();
    if (digits == deviceName.end()) return std::to_wstring(fallback);
    return Widen(std::string(digits, deviceName.end()));
}

DisplayPageList DisplayPageEntries(const std::vector<DisplayInfo>& displays,
                                   const std::string& setting, const DisplayEntryFormats& formats) {
    DisplayPageList list;
    for (const DisplayInfo& d : displays) {
        const Rect& r = d.rect;
        std::wstring text = InsertArgs(
            formats.entry, {DisplayNumber(d.deviceName, list.entries.size() + 1), std::to_wstring(r.Width()),
                            std::to_wstring(r.Height()), std::to_wstring(r.left), std::to_wstring(r.top)});
        if (d.primary) text += formats.primary;
        list.entries.push_back({text, d.deviceName});
    }
    const PanelChoice choice = ChoosePanelDisplay(displays, setting);
    if (choice.namedGone) {
        list.entries.push_back(
            {InsertArgs(formats.notPresent, {DisplayNumber(setting, list.entries.size() + 1)}), setting});
        list.selected = list.entries.size() - 1;
        return list;
    }
    for (std::size_t i = 0; i < displays.size(); ++i) {
        if (displays[i].deviceName == choice.display.deviceName) {
            list.selected = i;
            break;
        }
    }
    return list;
}

bool ApplyDisplayChoice(const PropServices& services, const DisplayPageList& list,
                        std::optional<std::size_t> chosen) {
    if (!chosen || *chosen >= list.entries.size() || chosen == list.selected) return false;
    if (!services.settings->SetPanelDisplay(list.entries[*chosen].deviceName))
        ShowRightsNoticeOnce(services);
    return true;
}

}  // namespace qx
