#include "shell/tray_menu.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <utility>

#include "base/busy_gate.h"
#include "shell/tray_icon_retry.h"

namespace qx {
namespace {

// The menu itself, in order, with its texts, the resolution line, the
// check mark and the entries the port and busy state leave out, is read
// from the real one by the tray system test.
TEST(MenuPlacement, OpensAtTheAreaCornerFacingTheScreenMiddle) {
    // The notification area, then where the menu opens.
    const std::pair<MenuRect, MenuPoint> cases[] = {
        {{1180, 740, 1280, 768}, {1280, 740}},  // taskbar at the bottom, area at its right end
        {{0, 0, 100, 28}, {0, 28}},             // top left
        {{640, 384, 700, 400}, {700, 384}},     // exactly at the middle counts as right/bottom
        {{0, 0, 0, 0}, {0, 0}},                 // no notification area found
    };
    for (const auto& [area, expected] : cases) {
        const MenuPoint p = MenuPlacement(area, 1280, 768);
        EXPECT_EQ(p.x, expected.x) << area.left << "," << area.top;
        EXPECT_EQ(p.y, expected.y) << area.left << "," << area.top;
    }
}

TEST(BusyGate, RunsOneCommandAtATimeAndOpensAgainAfterAFailure) {
    BusyGate gate;
    int ran = 0;
    EXPECT_TRUE(gate.RunExclusive([&] {
        EXPECT_EQ(gate.Busy(), 1);
        EXPECT_FALSE(gate.RunExclusive([&] { ++ran; }));  // a second request meanwhile
    }));
    EXPECT_THROW(gate.RunExclusive([] { throw std::runtime_error("dialog failed"); }), std::runtime_error);
    EXPECT_EQ(gate.Busy(), 0);
    EXPECT_TRUE(gate.RunExclusive([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
}

// The icon the shell refused at start is asked for again, two minutes in all.
TEST(TrayIconRetry, AsksAgainUntilTheShellTakesItOrTimeIsUp) {
    // Whether the shell took it, the attempts made, what follows.
    const std::tuple<bool, int, TrayAddNext> cases[] = {
        {false, 60, TrayAddNext::RetryLater}, {false, 61, TrayAddNext::GiveUp}, {true, 61, TrayAddNext::Done}};
    for (const auto& [added, attempts, next] : cases)
        EXPECT_EQ(AfterTrayAdd(added, attempts), next) << added << " " << attempts;
}

}  // namespace
}  // namespace qx
