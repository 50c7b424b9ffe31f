#include "shell/tray_menu.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_ui.h"
#include "res/resource_ids.h"
#include "base/busy_gate.h"
#include "shell/tray_icon_retry.h"

namespace qx {
namespace {

// The whole menu, in order and with its texts, is checked where the user
// meets it (the tray system test reads the real one); here only what the
// state changes: which commands are there, the check mark, and that the
// separators stay when an entry is left out.
TEST(TrayMenu, PortAndBusyStateLeaveOutCalibrationAndPropertiesAndCheckDisable) {
    const test::FakeStrings strings;
    const struct {
        bool penEnabled, busy;
        bool calibration, properties;
    } cases[] = {{true, false, true, true}, {false, false, false, true},
                 {true, true, false, false}, {false, true, false, false}};
    for (const auto& c : cases) {
        TrayMenuState state;
        state.penEnabled = c.penEnabled;
        state.busy = c.busy;
        const std::vector<MenuEntry> menu = BuildTrayMenu(state, strings);
        int separators = 0, calibration = 0, properties = 0, disableChecked = -1;
        for (const MenuEntry& e : menu) {
            separators += e.kind == MenuEntry::Kind::Separator;
            calibration += e.id == ID_APP_CALIBRATION;
            properties += e.id == ID_APP_PROPERTIES;
            if (e.id == ID_APP_DISABLE_PORT) disableChecked = e.checked;
        }
        const auto where = ::testing::Message() << "pen " << c.penEnabled << " busy " << c.busy;
        EXPECT_EQ(separators, 6) << where;
        EXPECT_EQ(calibration, c.calibration) << where;
        EXPECT_EQ(properties, c.properties) << where;
        EXPECT_EQ(disableChecked, !c.penEnabled) << where;
        EXPECT_EQ(menu.size(), 12u + c.calibration + c.properties) << where;
    }
}

TEST(TrayMenu, ResolutionLineWithAndWithoutFrequency) {
    EXPECT_EQ(ResolutionLine(L"Current Resolution", 1280, 768, 60),
              L"Current Resolution  1280 X 768 @60Hz");
    EXPECT_EQ(ResolutionLine(L"Current Resolution", 1280, 768, 0),
              L"Current Resolution  1280 X 768");
}

TEST(MenuPlacement, OpensAtTheAreaCornerFacingTheScreenMiddle) {
    struct Case {
        MenuRect area;
        MenuPoint expected;
    } cases[] = {
        {{1180, 740, 1280, 768}, {1280, 740}},  // taskbar at the bottom, area at its right end
        {{0, 740, 100, 768}, {0, 740}},         // bottom left
        {{1180, 0, 1280, 28}, {1280, 28}},      // top right
        {{0, 0, 100, 28}, {0, 28}},             // top left
        {{640, 384, 700, 400}, {700, 384}},     // exactly at the middle counts as right/bottom
        {{0, 0, 0, 0}, {0, 0}},                 // no notification area found
    };
    for (const Case& c : cases) {
        const MenuPoint p = MenuPlacement(c.area, 1280, 768);
        EXPECT_EQ(p.x, c.expected.x) << c.area.left << "," << c.area.top;
        EXPECT_EQ(p.y, c.expected.y) << c.area.left << "," << c.area.top;
    }
}

TEST(BusyGate, RunsOneCommandAtATimeAndOpensAgainAfterAFailure) {
    BusyGate gate;
    int ran = 0;
    bool nestedRan = true;
    EXPECT_TRUE(gate.RunExclusive([&] {
        ++ran;
        EXPECT_EQ(gate.Busy(), 1);
        nestedRan = gate.RunExclusive([&] { ++ran; });  // a second request meanwhile
    }));
    EXPECT_FALSE(nestedRan);
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(gate.Busy(), 0);

    EXPECT_THROW(gate.RunExclusive([] { throw std::runtime_error("dialog failed"); }),
                 std::runtime_error);
    EXPECT_EQ(gate.Busy(), 0);
    EXPECT_TRUE(gate.RunExclusive([&] { ++ran; }));
    EXPECT_EQ(ran, 2);
}

// The icon the shell refused at start is asked for again, two minutes in all.
TEST(TrayIconRetry, AsksAgainUntilTheShellTakesItOrTimeIsUp) {
    const struct {
        bool added;
        int attempts;
        TrayAddNext next;
    } cases[] = {
        {true, 1, TrayAddNext::Done},
        {false, 1, TrayAddNext::RetryLater},
        {true, 30, TrayAddNext::Done},
        {false, 60, TrayAddNext::RetryLater},
        {false, 61, TrayAddNext::GiveUp},
        {true, 61, TrayAddNext::Done},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AfterTrayAdd(c.added, c.attempts), c.next) << c.added << " " << c.attempts;
}

}  // namespace
}  // namespace qx
