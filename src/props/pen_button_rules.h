// What the other-setup page decides: the click range's slider, and what OK
// stores and applies for the small pen button, the resolution-change notice
// and the HTML optimisation with its click range.
#ifndef QXDRV_PROPS_PEN_BUTTON_RULES_H
#define QXDRV_PROPS_PEN_BUTTON_RULES_H

#include <cstdint>

#include "props/port_page_rules.h"

namespace qx {

// Click range, pixels: the system drag threshold while the HTML
// optimisation is on.
constexpr int kClickRangeMin = 8;
constexpr int kClickRangeMax = 32;
constexpr int kClickRangeLine = 1;
constexpr int kClickRangePage = 4;
constexpr int kClickRangeTicks = 4;
constexpr int kClickRangeDefault = 16;

// The slider's tick frequency while the range group is enabled or not.
int ClickRangeTicks(bool enabled);

// The three boxes and the slider as OK reads them.
struct OtherSetupChoice {
    std::int32_t middle = 0;
    std::int32_t notice = 0;
    std::int32_t html = 0;
    std::int32_t range = 0;
};

// "SingleClick" and "SingleClickType" as the page found them.
struct OtherSetupStart {
    std::int32_t range = 0;
    std::int32_t html = 0;
};

// Stores the switches in their order and applies the drag threshold: the
// range while the optimisation is on (with the notice that it comes fully
// into force at the next start when it is new or its range changed); while
// it is off, the threshold the system had when the program started, and
// "SingleClick" is left as it was. Clearing the box changes nothing before
// this: Cancel leaves the system as it was.
void ApplyOtherSetup(const PropServices& services, const OtherSetupChoice& choice,
                     const OtherSetupStart& start);

}  // namespace qx

#endif
