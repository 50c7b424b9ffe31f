// Which display the panel is. The "PanelDisplay" setting names it by the
// device name the system reports ("\\.\DISPLAY2"); absent or empty means the
// primary display. Everything that places a window on the panel or maps the
// pen onto it takes the chosen display's rectangle, in desktop coordinates.
#ifndef QXDRV_BASE_DISPLAY_CHOICE_H
#define QXDRV_BASE_DISPLAY_CHOICE_H

#include <string>
#include <vector>

#include "framework/geometry.h"

namespace qx {

struct DisplayInfo {
    std::string deviceName;  // "\\.\DISPLAY1"
    Rect rect;               // in desktop coordinates; the primary starts at 0,0
    bool primary = false;
};

struct PanelChoice {
    DisplayInfo display;
    // The setting names a display the system does not report now: the
    // primary stands in for it.
    bool namedGone = false;
};

class DisplayListPort {
public:
    virtual ~DisplayListPort() = default;
    // The displays attached to the desktop now, in the system's order.
    virtual std::vector<DisplayInfo> Displays() const = 0;
};

// The display `setting` names (device names compare without regard to case),
// else the primary. With no display reported at all (a desktop being
// rebuilt) the answer is an empty rectangle at 0,0.
PanelChoice ChoosePanelDisplay(const std::vector<DisplayInfo>& displays,
                               const std::string& setting);

}  // namespace qx

#endif
