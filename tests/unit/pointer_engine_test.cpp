#include "pointer/pointer_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_pointer_output.h"

namespace qx {

void PrintTo(ButtonState b, std::ostream* os) { *os << "ButtonState " << static_cast<int>(b); }

namespace {

using test::FakePointerOutput;
using Lines = std::vector<std::string>;
using B = ButtonState;

constexpr std::uint32_t kStart = 1000;

// A fresh engine on a fake clock at `start`, put into `held` (middle enabled
// for that), 100 ms later, with nothing recorded yet.
struct Primed {
    Primed(ButtonState held, int middle, std::uint32_t start = kStart) : out(Clocked(start)) {
        engine.SetMiddleEnabled(1);
        if (held != B::None) engine.OnButtonReport(held, 10, 10);
        engine.SetMiddleEnabled(middle);
        if (held != B::None) out.Advance(100);
        out.calls.clear();
        base = out.now;
    }
    Lines Relative() const { return out.InjectedSince(base); }

    FakePointerOutput out;
    PointerEngine engine{out};
    std::uint32_t base = 0;

private:
    static FakePointerOutput Clocked(std::uint32_t start) {
        FakePointerOutput o;
        o.now = start;
        o.cursor = ScreenPoint{5, 5};
        return o;
    }
};

std::string Name(ButtonState s) { return std::to_string(static_cast<int>(s)); }

// Every row of the coordinate-report table, with middle enabled and disabled.
TEST(PointerEngine, CoordinateReportTable) {
    const Lines move{"+0 SetCursorPos 200 300"};
    const struct {
        ButtonState before, report;
        int middle;
        Lines events;
    } rows[] = {
        {B::None, B::Left, 1, {"+0 SetCursorPos 200 300", "+30 down left"}},
        {B::Left, B::Left, 1, move},
        {B::Right, B::Left, 1, {"+0 up right", "+0 SetCursorPos 200 300", "+30 down left"}},
        {B::Middle, B::Left, 0, {"+0 up middle", "+0 SetCursorPos 200 300", "+30 down left"}},
        {B::None, B::Right, 1, {"+0 SetCursorPos 200 300", "+30 down right"}},
        {B::Left, B::Right, 1, {"+0 up left", "+0 SetCursorPos 200 300", "+30 down right"}},
        {B::Right, B::Right, 1, move},
        {B::Middle, B::Right, 1, {"+0 up middle", "+0 SetCursorPos 200 300", "+30 down right"}},
        {B::None, B::Middle, 1, {"+0 SetCursorPos 200 300", "+30 down middle"}},
        {B::None, B::Middle, 0, {}},
        {B::Left, B::Middle, 1, {"+0 up left", "+0 SetCursorPos 200 300", "+30 down middle"}},
        {B::Left, B::Middle, 0, {"+0 up left"}},
        {B::Right, B::Middle, 1, {"+0 up right", "+0 SetCursorPos 200 300", "+30 down middle"}},
        {B::Right, B::Middle, 0, {"+0 up right"}},
        {B::Middle, B::Middle, 1, move},
        {B::Middle, B::Middle, 0, move},
    };
    for (const auto& row : rows) {
        Primed p(row.before, row.middle);
        p.engine.OnButtonReport(row.report, 200, 300);
        const std::string what = Name(row.before) + " + " + Name(row.report) + " middle " +
                                 std::to_string(row.middle);
        EXPECT_EQ(p.Relative(), row.events) << what;
        EXPECT_EQ(p.engine.State(), row.report) << what;
    }
}

// Short scripts from a fresh engine (cursor (5, 5) at tick 1000): 'h' hover
// move, 'l' left report, 'w' wait x ms.
TEST(PointerEngine, MovesAndPresses) {
    struct Step {
        char op;
        int x, y;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
        Lines events;
    } cases[] = {
        {"starts from the cursor and the tick at creation", {{'h', 5, 5}, {'h', 50, 51}},
         {"1000 SetCursorPos 50 51"}},
        {"the same place is never set again, but a press sets it",
         {{'h', 7, 8}, {'w', 10000, 0}, {'h', 7, 8}, {'l', 7, 8}, {'w', 10000, 0}, {'h', 7, 8}, {'l', 7, 8}},
         {"1000 SetCursorPos 7 8", "11000 SetCursorPos 7 8", "11030 down left"}},
        {"a press right after a hover is not throttled; the drag goes on from it",
         {{'h', 300, 300}, {'w', 10, 0}, {'l', 500, 400}, {'w', 5, 0}, {'l', 510, 410}},
         {"1000 SetCursorPos 300 300", "1010 SetCursorPos 500 400", "1040 down left",
          "1045 SetCursorPos 510 410"}},
    };
    for (const auto& c : cases) {
        Primed p(B::None, 0);
        for (const Step& s : c.steps) {
            if (s.op == 'h') p.engine.OnHoverMove(s.x, s.y);
            if (s.op == 'l') p.engine.OnButtonReport(B::Left, s.x, s.y);
            if (s.op == 'w') p.out.Advance(static_cast<std::uint32_t>(s.x));
        }
        EXPECT_EQ(p.out.Injected(), c.events) << c.what;
    }
}

// Whether a report `later` ms after a move moves again, also where the tick
// count wraps past 2^32 in between.
TEST(PointerEngine, MovesAtMostOncePer20MsAcrossTheTickWrap) {
    const struct {
        std::uint32_t moveAt, later;
        bool moves;
    } cases[] = {
        {kStart, 19, false},
        {kStart, 20, true},
        {0xFFFFFFF0u, 5, false},           // next move time wrapped to 4, now still large
        {0xFFFFFFF0u, 19, false},          // now wrapped to 3, next 4
        {0xFFFFFFF0u, 20, true},           // exactly at the wrapped next move time
        {0xFFFFFFE8u, 30, true},           // next 0xFFFFFFFC, now wrapped to 6
        {0xFFFFFFFFu, 1, false},           // next 19 after the wrap
        {0xFFFFFFFFu, 21, true},
        {0x00000010u, 0x80000100u, true},  // idle longer than 2^31 ms
        {0x00000010u, 0xFFFFFF00u, true},  // idle for almost a whole tick period
    };
    for (const auto& c : cases) {
        Primed p(B::None, 0, c.moveAt);
        p.engine.OnHoverMove(1, 1);
        p.out.Advance(c.later);
        p.out.calls.clear();
        p.engine.OnHoverMove(2, 2);
        EXPECT_EQ(p.out.calls.size(), c.moves ? 1u : 0u) << std::hex << c.moveAt << " + " << c.later;
    }
}

// A release report, a hover and the pen being disabled all send the held
// button's up, once.
TEST(PointerEngine, ReleasesOfTheHeldButton) {
    const struct {
        ButtonState held;
        Lines events;
    } cases[] = {{B::None, {}}, {B::Left, {"+0 up left"}}, {B::Right, {"+0 up right"}},
                 {B::Middle, {"+0 up middle"}}};
    for (const auto& c : cases) {
        for (int way = 0; way < 3; ++way) {
            Primed p(c.held, 1);
            if (way == 0) p.engine.OnRelease();
            if (way == 1) p.engine.OnHoverRelease();
            if (way == 2) p.engine.ReleaseHeldButton();
            p.engine.OnRelease();  // nothing left to release
            EXPECT_EQ(p.Relative(), c.events) << "way " << way << " held " << Name(c.held);
            EXPECT_EQ(p.engine.State(), B::None);
        }
    }
}

// A middle click where the cursor is: a held button is lost without its up;
// with middle disabled only the up is sent.
TEST(PointerEngine, SmallButton) {
    const struct {
        ButtonState held;
        int middle;
        ScreenPoint cursor;
        Lines events;
    } cases[] = {
        {B::None, 1, {5, 5}, {"+30 down middle", "+30 up middle"}},  // cursor already there
        {B::None, 0, {5, 5}, {"+0 up middle"}},
        {B::Left, 1, {10, 10}, {"+30 down middle", "+30 up middle"}},
        {B::Right, 0, {10, 10}, {"+0 up middle"}},
        {B::None, 1, {70, 80}, {"+0 SetCursorPos 70 80", "+30 down middle", "+30 up middle"}},
    };
    for (const auto& c : cases) {
        Primed p(c.held, c.middle);
        p.out.cursor = c.cursor;  // where the user's mouse left it
        p.engine.OnSmallButton();
        p.engine.OnRelease();
        const std::string what = Name(c.held) + " middle " + std::to_string(c.middle);
        EXPECT_EQ(p.Relative(), c.events) << what;
        EXPECT_EQ(p.engine.State(), B::None) << what;
    }
}

}  // namespace
}  // namespace qx
