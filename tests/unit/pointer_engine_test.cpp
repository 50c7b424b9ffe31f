#include "pointer/pointer_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_pointer_output.h"

namespace qx {

void PrintTo(ButtonState b, std::ostream* os) { *os << "ButtonState " << static_cast<int>(b); }

namespace {

using test::FakePointerOutput;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kStart = 1000;
constexpr int kX = 200;
constexpr int kY = 300;

// Records the engine's state at the moment the test mode hook is called.
struct RecordingMarks : TestModeMarks {
    void UpdateMiddleMarks(int hold) override { seen.push_back({hold, engine->State()}); }
    struct Seen {
        int hold;
        ButtonState state;
    };
    const PointerEngine* engine = nullptr;
    std::vector<Seen> seen;
};

class PointerEngineTest : public ::testing::Test {
protected:
    PointerEngineTest() { out.now = kStart; out.cursor = ScreenPoint{5, 5}; }

    PointerEngine& Engine() {
        if (engine_ == nullptr) engine_.reset(new PointerEngine(out, calibrating));
        return *engine_;
    }

    // Puts the engine into `state` (sending whatever that takes), lets time
    // pass, and forgets what was recorded so far.
    void Prime(ButtonState state) {
        const int middle = Engine().MiddleEnabled();
        Engine().SetMiddleEnabled(1);
        if (state != ButtonState::None) Engine().OnButtonReport(state, 10, 10);
        Engine().SetMiddleEnabled(middle);
        out.Advance(100);
        Forget();
    }

    void Forget() {
        out.calls.clear();
        base_ = out.now;
    }

    // Injected calls with times relative to the last Forget().
    Lines Relative() const { return out.InjectedSince(base_); }

    FakePointerOutput out;
    int calibrating = 0;
    std::unique_ptr<PointerEngine> engine_;
    std::uint32_t base_ = 0;
};

const char* Name(ButtonState s) {
    switch (s) {
        case ButtonState::None: return "None";
        case ButtonState::Left: return "Left";
        case ButtonState::Right: return "Right";
        case ButtonState::Middle: return "Middle";
    }
    return "?";
}

const Lines kNothing{};
const Lines kMoveOnly{"+0 SetCursorPos 200 300"};

// Every row of the coordinate-report table, with middle enabled and
// disabled, and what is left of it while calibrating.
struct Row {
    ButtonState before;
    ButtonState report;
    int middle;
    Lines events;
    Lines whileCalibrating;
};

TEST_F(PointerEngineTest, CoordinateReportTable) {
    const Lines pressLeft{"+0 SetCursorPos 200 300", "+30 down left"};
    const Lines pressRight{"+0 SetCursorPos 200 300", "+30 down right"};
    const Lines pressMiddle{"+0 SetCursorPos 200 300", "+30 down middle"};
    using B = ButtonState;
    const Row rows[] = {
        {B::None, B::Left, 1, pressLeft, kNothing},
        {B::Left, B::Left, 1, kMoveOnly, kMoveOnly},
        {B::Right, B::Left, 1, {"+0 up right", "+0 SetCursorPos 200 300", "+30 down left"}, kNothing},
        {B::Middle, B::Left, 1, {"+0 up middle", "+0 SetCursorPos 200 300", "+30 down left"}, kNothing},
        {B::Middle, B::Left, 0, {"+0 up middle", "+0 SetCursorPos 200 300", "+30 down left"}, kNothing},
        {B::None, B::Right, 1, pressRight, kNothing},
        {B::Left, B::Right, 1, {"+0 up left", "+0 SetCursorPos 200 300", "+30 down right"}, kNothing},
        {B::Right, B::Right, 1, kMoveOnly, kMoveOnly},
        {B::Middle, B::Right, 0, {"+0 up middle", "+0 SetCursorPos 200 300", "+30 down right"}, kNothing},
        {B::None, B::Middle, 1, pressMiddle, kNothing},
        {B::None, B::Middle, 0, kNothing, kNothing},
        {B::Left, B::Middle, 1, {"+0 up left", "+0 SetCursorPos 200 300", "+30 down middle"}, kNothing},
        {B::Left, B::Middle, 0, {"+0 up left"}, kNothing},
        {B::Right, B::Middle, 1, {"+0 up right", "+0 SetCursorPos 200 300", "+30 down middle"}, kNothing},
        {B::Right, B::Middle, 0, {"+0 up right"}, kNothing},
        {B::Middle, B::Middle, 1, kMoveOnly, kMoveOnly},
        {B::Middle, B::Middle, 0, kMoveOnly, kMoveOnly},
    };
    for (const Row& row : rows) {
        for (int cal = 0; cal <= 1; ++cal) {
            engine_.reset();
            out = FakePointerOutput();
            out.now = kStart;
            calibrating = 0;
            Engine().SetMiddleEnabled(row.middle);
            Prime(row.before);
            calibrating = cal;
            Engine().OnButtonReport(row.report, kX, kY);
            const std::string what = std::string(Name(row.before)) + " + " + Name(row.report) +
                                     " middle=" + std::to_string(row.middle) + " cal=" + std::to_string(cal);
            EXPECT_EQ(Relative(), cal ? row.whileCalibrating : row.events) << what;
            EXPECT_EQ(Engine().State(), row.report) << what;
        }
    }
}

TEST_F(PointerEngineTest, StartsFromTheCursorAndTickAtCreation) {
    out.cursor = ScreenPoint{40, 41};
    EXPECT_EQ(Engine().LastSetPosition().x, 40);
    EXPECT_EQ(Engine().LastSetPosition().y, 41);
    EXPECT_EQ(Engine().State(), ButtonState::None);
    Engine().OnHoverMove(40, 41);  // where the cursor already is
    Engine().OnHoverMove(50, 51);  // the creation tick itself allows a move
    EXPECT_EQ(out.Injected(), (Lines{"1000 SetCursorPos 50 51"}));
}

TEST_F(PointerEngineTest, SamePositionIsNeverSetAgainButAPressAlwaysSetsIt) {
    Engine().OnHoverMove(7, 8);
    for (int i = 0; i < 3; ++i) {
        out.Advance(10000);
        Engine().OnHoverMove(7, 8);
        Engine().OnButtonReport(ButtonState::Left, 7, 8);
    }
    EXPECT_EQ(out.Injected(),
              (Lines{"1000 SetCursorPos 7 8", "11000 SetCursorPos 7 8", "11030 down left"}));
}

// A touch 10 ms after a hover elsewhere presses at the touch, not where the
// hover left the cursor, and the stroke drags on from there.
TEST_F(PointerEngineTest, APressIsNeverThrottled) {
    Engine().OnHoverMove(300, 300);
    out.Advance(10);
    Engine().OnButtonReport(ButtonState::Left, 500, 400);
    out.Advance(5);
    Engine().OnButtonReport(ButtonState::Left, 510, 410);
    EXPECT_EQ(out.Injected(), (Lines{"1000 SetCursorPos 300 300", "1010 SetCursorPos 500 400",
                                     "1040 down left", "1045 SetCursorPos 510 410"}));
}

// Whether a report `later` ms after a move moves again, also where the tick
// count wraps past 2^32 in between.
TEST_F(PointerEngineTest, MovesAtMostOncePer20MsAcrossTheTickWrap) {
    struct Case {
        std::uint32_t moveAt;
        std::uint32_t later;  // ms after the move
        bool moves;
    };
    const Case cases[] = {
        {kStart, 19, false},
        {kStart, 20, true},
        {0xFFFFFFF0u, 5, false},          // next move time wrapped to 4, now still large
        {0xFFFFFFF0u, 19, false},         // now wrapped to 3, next 4
        {0xFFFFFFF0u, 20, true},          // exactly at the wrapped next move time
        {0xFFFFFFE8u, 30, true},          // next 0xFFFFFFFC, now wrapped to 6
        {0xFFFFFFFFu, 1, false},          // next 19 after the wrap
        {0xFFFFFFFFu, 21, true},
        {0x00000010u, 0x80000100u, true},  // idle longer than 2^31 ms
        {0x00000010u, 0xFFFFFF00u, true},  // idle for almost a whole tick period
    };
    for (const Case& c : cases) {
        engine_.reset();
        out = FakePointerOutput();
        out.now = c.moveAt;
        Engine().OnHoverMove(1, 1);
        out.Advance(c.later);
        Forget();
        Engine().OnHoverMove(2, 2);
        EXPECT_EQ(Relative().size(), c.moves ? 1u : 0u) << std::hex << c.moveAt << " + " << c.later;
    }
}

// A release report, a hover and the pen being disabled all send the held
// button's up; only a release report while calibrating keeps the state.
TEST_F(PointerEngineTest, ReleasesOfTheHeldButton) {
    using B = ButtonState;
    const struct {
        ButtonState held;
        int cal;
        Lines events;
    } cases[] = {
        {B::None, 0, kNothing},           {B::Left, 0, {"+0 up left"}}, {B::Right, 0, {"+0 up right"}},
        {B::Middle, 0, {"+0 up middle"}}, {B::Left, 1, kNothing},       {B::Middle, 1, kNothing},
    };
    const char* const kWays[] = {"release", "hover", "disable"};
    for (const auto& c : cases) {
        for (int way = 0; way < 3; ++way) {
            engine_.reset();
            calibrating = 0;
            Prime(c.held);
            calibrating = c.cal;
            if (way == 0) Engine().OnRelease();
            if (way == 1) Engine().OnHoverRelease();
            if (way == 2) Engine().ReleaseHeldButton();
            const std::string what =
                std::string(kWays[way]) + " " + Name(c.held) + " cal=" + std::to_string(c.cal);
            EXPECT_EQ(Relative(), c.events) << what;
            EXPECT_EQ(Engine().State(), way == 0 && c.cal ? c.held : B::None) << what;
        }
    }
}

TEST_F(PointerEngineTest, SmallButton) {
    using B = ButtonState;
    const struct {
        ButtonState held;
        int middle;
        int cal;
        Lines events;
    } cases[] = {
        {B::None, 1, 0, {"+30 down middle", "+30 up middle"}},  // cursor already there: no move
        {B::None, 0, 0, {"+0 up middle"}},                       // up without a down
        {B::Left, 1, 0, {"+30 down middle", "+30 up middle"}},  // left is lost without its up
        {B::Right, 0, 0, {"+0 up middle"}},
        {B::None, 1, 1, kNothing},
        {B::Left, 1, 1, kNothing},
    };
    for (const auto& c : cases) {
        engine_.reset();
        out = FakePointerOutput();
        out.now = kStart;
        calibrating = 0;
        Engine().SetMiddleEnabled(c.middle);
        RecordingMarks marks;
        marks.engine = &Engine();
        Engine().SetTestModeMarks(&marks);
        Prime(c.held);
        out.cursor = Engine().LastSetPosition();
        calibrating = c.cal;
        Engine().OnSmallButton();
        const std::string what = std::string(Name(c.held)) + " middle=" + std::to_string(c.middle) +
                                 " cal=" + std::to_string(c.cal);
        EXPECT_EQ(Relative(), c.events) << what;
        EXPECT_EQ(Engine().State(), B::None) << what;
        ASSERT_EQ(marks.seen.size(), 1u) << what;
        EXPECT_EQ(marks.seen[0].hold, 1);
        EXPECT_EQ(marks.seen[0].state, B::Middle);
        // A later release has nothing left to release.
        Forget();
        Engine().OnRelease();
        EXPECT_TRUE(Relative().empty()) << what;
    }
}

TEST_F(PointerEngineTest, SmallButtonPressesWhereTheCursorIsWithoutTestMode) {
    Engine().SetMiddleEnabled(1);
    out.cursor = ScreenPoint{70, 80};  // the user moved the mouse
    Engine().OnSmallButton();
    EXPECT_EQ(out.Injected(), (Lines{"1000 SetCursorPos 70 80", "1030 down middle", "1030 up middle"}));
}

}  // namespace
}  // namespace qx
