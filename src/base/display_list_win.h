// The displays of the desktop as the system reports them now.
#ifndef QXDRV_BASE_DISPLAY_LIST_WIN_H
#define QXDRV_BASE_DISPLAY_LIST_WIN_H

#include "base/display_choice.h"

namespace qx {

// EnumDisplayMonitors with GetMonitorInfo: the rectangles are in desktop
// coordinates (EnumDisplaySettings may answer 0 x 0 for a second display).
class Win32DisplayList : public DisplayListPort {
public:
    std::vector<DisplayInfo> Displays() const override;
};

}  // namespace qx

#endif
