// What a change of the desktop's displays, or of the "PanelDisplay"
// setting, means for the pen: where it maps to, whether the resolution
// rules run, and whether the user hears that the named display is gone.
#ifndef QXDRV_CALIB_PANEL_CHANGE_H
#define QXDRV_CALIB_PANEL_CHANGE_H

#include "base/display_choice.h"

namespace qx {

struct PanelChangeFacts {
    PanelChoice now;         // the panel's display as chosen now
    Rect mapped;             // the rectangle the pen maps into now
    int appliedWidth = 0;    // the size whose calibration is live
    int appliedHeight = 0;
    // The system said the desktop changed (WM_DISPLAYCHANGE) and the
    // panel is its only display: a change that keeps its size (a colour
    // depth) still runs the rules, as it always has.
    bool singleDisplayChanged = false;
    // The user has heard, in this run, that the named display is gone,
    // and it has not come back since.
    bool goneTold = false;
};

struct PanelChangeDecision {
    bool remap = false;            // the pen maps into `now`'s rectangle from here on
    bool resolutionRules = false;  // the size differs from the applied one: its calibration is asked for
    bool tellGone = false;         // say that the named display is gone, the primary stands in
    bool goneTold = false;         // what `goneTold` is from here on
};

PanelChangeDecision DecidePanelChange(const PanelChangeFacts& facts);

}  // namespace qx

#endif
