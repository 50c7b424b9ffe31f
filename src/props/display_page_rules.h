// What the panel display page decides: the entries it lists for the
// displays the system reports, which one it selects, and what OK stores.
// The page itself only moves these into and out of its list.
#ifndef QXDRV_PROPS_DISPLAY_PAGE_RULES_H
#define QXDRV_PROPS_DISPLAY_PAGE_RULES_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/display_choice.h"
#include "props/port_page_rules.h"

namespace qx {

// The string table's forms of an entry.
struct DisplayEntryFormats {
    std::wstring entry;       // %1 number, %2 x %3 size, at %4, %5: "1: 1280 x 768 at 0, 0"
    std::wstring primary;     // appended for the primary display
    std::wstring notPresent;  // %1 number: the named display the system does not report
};

struct DisplayEntry {
    std::wstring text;
    std::string deviceName;  // what OK stores for it
};

// The list in the system's order, a named display that is gone last, and
// the entry to select (none only when there is no entry at all).
struct DisplayPageList {
    std::vector<DisplayEntry> entries;
    std::optional<std::size_t> selected;
};

// A display's number as the user knows it: the digits that end its device
// name ("\\.\DISPLAY2": 2), else `fallback`.
std::wstring DisplayNumber(const std::string& deviceName, std::size_t fallback);

// The entries for `displays` with "PanelDisplay" = `setting`: the named
// one selected, the primary when the setting is empty; a named display
// that is gone is listed as not present and selected, so that OK keeps it.
DisplayPageList DisplayPageEntries(const std::vector<DisplayInfo>& displays,
                                   const std::string& setting, const DisplayEntryFormats& formats);

// OK with entry `chosen` of `list` (none: nothing selected): stores its
// device name when it is not the entry the page selected at first, with
// the rights notice when the store refuses. True when the choice changed,
// so that the panel follows it at once.
bool ApplyDisplayChoice(const PropServices& services, const DisplayPageList& list,
                        std::optional<std::size_t> chosen);

}  // namespace qx

#endif
