#include "shell/tray_menu.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_ui.h"
#include "res/resource_ids.h"
#include "base/busy_gate.h"
#include "shell/tray_icon_retry.h"

namespace qx {
namespace {

test::FakeStrings EnglishMenuTexts() {
    test::FakeStrings s;
    s.texts = {{IDS_MENU_RESOLUTION, L"Current Resolution"},
               {IDS_MENU_CALIBRATION, L"&Calibration..."},
               {IDS_MENU_DISABLE_PORT, L"&Disable COM port"},
               {IDS_MENU_PROPERTIES, L"P&roperties..."},
               {IDS_MENU_TEST_MODE_POPUP, L"Test Mode"},
               {IDS_MENU_TEST_MODE, L"&Test Mode"},
               {IDS_MENU_HELP, L"&Help"},
               {IDS_MENU_ABOUT, L"&About..."},
               {IDS_MENU_EXIT, L"E&xit"}};
    return s;
}

// One line per entry: "-" for a separator, ">text[child]" for a sub-menu,
// "id text" with a trailing " *" when checked.
std::vector<std::wstring> Describe(const std::vector<MenuEntry>& menu) {
    std::vector<std::wstring> out;
    for (const MenuEntry& e : menu) {
        switch (e.kind) {
        case MenuEntry::Kind::Separator: out.push_back(L"-"); break;
        case MenuEntry::Kind::SubMenu:
            out.push_back(L">" + e.text + L"[" + std::to_wstring(e.children.at(0).id) + L" " +
                          e.children.at(0).text + L"]");
            break;
        case MenuEntry::Kind::Command:
            out.push_back(std::to_wstring(e.id) + L" " + e.text + (e.checked ? L" *" : L""));
            break;
        }
    }
    return out;
}

TEST(TrayMenu, EntriesFollowPortAndBusyState) {
    const auto strings = EnglishMenuTexts();
    const std::wstring res = L"57671 Current Resolution  1280 X 768 @60Hz";
    const std::wstring tail1 = L">Test Mode[57685 &Test Mode]";
    struct Case {
        bool penEnabled;
        bool busy;
        std::vector<std::wstring> expected;
    } cases[] = {
        {true, false, {res, L"-", L"57667 &Calibration...", L"-", L"57672 &Disable COM port", L"-",
                       L"57666 P&roperties...", L"-", tail1, L"-", L"57701 &Help",
                       L"57668 &About...", L"-", L"57669 E&xit"}},
        {false, false, {res, L"-", L"-", L"57672 &Disable COM port *", L"-",
                        L"57666 P&roperties...", L"-", tail1, L"-", L"57701 &Help",
                        L"57668 &About...", L"-", L"57669 E&xit"}},
        {true, true, {res, L"-", L"-", L"57672 &Disable COM port", L"-", L"-", tail1, L"-",
                      L"57701 &Help", L"57668 &About...", L"-", L"57669 E&xit"}},
        {false, true, {res, L"-", L"-", L"57672 &Disable COM port *", L"-", L"-", tail1, L"-",
                       L"57701 &Help", L"57668 &About...", L"-", L"57669 E&xit"}},
    };
    for (const Case& c : cases) {
        TrayMenuState state;
        state.penEnabled = c.penEnabled;
        state.busy = c.busy;
        state.width = 1280;
        state.height = 768;
        state.frequency = 60;
        EXPECT_EQ(Describe(BuildTrayMenu(state, strings)), c.expected)
            << "pen " << c.penEnabled << " busy " << c.busy;
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
