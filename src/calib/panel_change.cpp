#include "calib/panel_change.h"

namespace qx {
namespace {

bool SameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

PanelChangeDecision DecidePanelChange(const PanelChangeFacts& facts) {
    PanelChangeDecision d;
    const Rect& now = facts.now.display.rect;
    d.remap = !SameRect(now, facts.mapped);
    const bool resized = now.Width() != facts.appliedWidth || now.Height() != facts.appliedHeight;
    d.resolutionRules = resized || facts.singleDisplayChanged;
    // Once per absence: told again only after the display came back and
    // went once more.
    d.tellGone = facts.now.namedGone && !facts.goneTold;
    d.goneTold = facts.now.namedGone;
    return d;
}

}  // namespace qx
