// The pointer engine's timing: the move throttle across the tick wrap, and
// presses that are never throttled. What each report does from each button
// state is tested through the router (pen_decoder_test).
#include "pointer/pointer_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/pen_rig.h"

namespace qx {
namespace {

using Lines = std::vector<std::string>;

// Scripts from a fresh engine (cursor (5, 5) at tick 1000): 'h' hover move,
// 'l' left report, 'w' wait x ms, 'c' the user moves the cursor, 's' small
// button with middle enabled.
TEST(PointerEngine, MovesAndPresses) {
    struct Step { char op; int x, y; };
    const struct { const char* what; std::vector<Step> steps; Lines events; } cases[] = {
        {"starts from the cursor and the tick at creation", {{'h', 5, 5}, {'h', 50, 51}}, {"1000 SetCursorPos 50 51"}},
        {"the same place is never set again, but a press sets it",
         {{'h', 7, 8}, {'w', 10000, 0}, {'h', 7, 8}, {'l', 7, 8}, {'w', 10000, 0}, {'h', 7, 8}, {'l', 7, 8}},
         {"1000 SetCursorPos 7 8", "11000 SetCursorPos 7 8", "11030 down left"}},
        {"a press right after a hover is not throttled; the drag goes on from it",
         {{'h', 300, 300}, {'w', 10, 0}, {'l', 500, 400}, {'w', 5, 0}, {'l', 510, 410}},
         {"1000 SetCursorPos 300 300", "1010 SetCursorPos 500 400", "1040 down left", "1045 SetCursorPos 510 410"}},
        {"the small button presses where the user left the cursor", {{'c', 70, 80}, {'s', 0, 0}},
         {"1000 SetCursorPos 70 80", "1030 down middle", "1030 up middle"}},
    };
    for (const auto& c : cases) {
        test::PenRig rig(1000, {5, 5});
        rig.engine.SetMiddleEnabled(1);
        for (const Step& s : c.steps) {
            if (s.op == 'h') rig.engine.OnHoverMove(s.x, s.y);
            if (s.op == 'l') rig.engine.OnButtonReport(ButtonState::Left, s.x, s.y);
            if (s.op == 'w') rig.out.Advance(static_cast<std::uint32_t>(s.x));
            if (s.op == 'c') rig.out.cursor = ScreenPoint{s.x, s.y};
            if (s.op == 's') rig.engine.OnSmallButton();
        }
        EXPECT_EQ(rig.out.Injected(), c.events) << c.what;
    }
}

// Whether a report `later` ms after a move moves again, also where the tick
// count wraps past 2^32 in between.
TEST(PointerEngine, MovesAtMostOncePer20MsAcrossTheTickWrap) {
    const struct { std::uint32_t moveAt, later; bool moves; } cases[] = {
        {1000, 0, false},         {1000, 19, false},        {1000, 20, true},
        {0xFFFFFFF0u, 5, false},  // next move time wrapped to 4, now still large
        {0xFFFFFFF0u, 19, false}, // now wrapped to 3, next 4
        {0xFFFFFFF0u, 20, true},  // exactly at the wrapped next move time
        {0xFFFFFFE8u, 30, true},  // next 0xFFFFFFFC, now wrapped to 6
        {0xFFFFFFFFu, 1, false},  {0xFFFFFFFFu, 21, true},  // next 19 after the wrap
        {0x10u, 0x80000100u, true},  // idle longer than 2^31 ms
        {0x10u, 0xFFFFFF00u, true},  // idle for almost a whole tick period
    };
    for (const auto& c : cases) {
        test::PenRig rig(c.moveAt);
        rig.engine.OnHoverMove(1, 1);
        rig.out.Advance(c.later);
        rig.out.calls.clear();
        rig.engine.OnHoverMove(2, 2);
        EXPECT_EQ(rig.out.calls.size(), c.moves ? 1u : 0u) << std::hex << c.moveAt << " + " << c.later;
    }
}

}  // namespace
}  // namespace qx
