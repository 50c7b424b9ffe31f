// The line decoder and the router behind it: what each line is, what
// reaches the pointer, and what a running calibration procedure gets.
#include "link/pen_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fakes/pen_rig.h"

namespace qx {
namespace {

using Lines = std::vector<std::string>;
using B = ButtonState;
using R = PenReport;
using Point = std::pair<int, int>;

// One line after "L-007-07": its kind, what it says the pen does and the
// raw position it leaves.
TEST(PenDecoder, EveryLineKind) {
    using T = PenTouch;
    const struct { const char* line; PenReport kind; PenTouch touch; int rawX, rawY; } cases[] = {
        {"L1234567\r", R::Left, T::Left, 1234, 567},     {"R1234567\r", R::Right, T::Right, 1234, 567},
        {"M1234567\r", R::Middle, T::Middle, 1234, 567}, {"@0100050\r", R::Hover, T::Hover, 100, 50},
        {"@12?4567\r", R::None, T::Hover, -7, -7},  // a hover releases even when unusable
        {"?T\r", R::Short, T::Release, -7, -7},      {"?M\r", R::Short, T::SmallButton, -7, -7},
        {"?X\r", R::Short, T::None, -7, -7},         {"AT\r", R::Short, T::None, -7, -7},
        {"X1234567\r", R::None, T::None, -7, -7},    {"l1234567\r", R::None, T::None, -7, -7},
        {"\r", R::None, T::None, -7, -7},             {"?\r", R::None, T::None, -7, -7},
        {"ABC\r", R::None, T::None, -7, -7},          {"L123456\r", R::None, T::None, -7, -7},
        {"L12345678\r", R::None, T::None, -7, -7},    {"L12?4567\r", R::None, T::None, -7, -7},
        {"L1234?67\r", R::None, T::None, -7, -7},     {"R????567\r", R::None, T::None, -7, -7},
        {"M1234??7\r", R::None, T::None, -7, -7},
        {"\nL1234567\r", R::None, T::None, -7, -7},  // a line feed is a character of the line
    };
    for (const auto& c : cases) {
        const std::string text = std::string("L-007-07\r") + c.line;
        PenDecoder decoder;
        decoder.Append(text.c_str(), text.size());
        PenEvent event;
        ASSERT_TRUE(decoder.Next(event) && decoder.Next(event)) << c.line;
        EXPECT_EQ(std::tuple(event.kind, event.touch, event.positioned), std::tuple(c.kind, c.touch, c.rawX != -7)) << c.line;
        EXPECT_EQ(Point(event.lastRaw.x, event.lastRaw.y), Point(c.rawX, c.rawY)) << c.line;
        EXPECT_EQ(decoder.RawBoardPosition().x, c.rawX) << c.line;
        EXPECT_FALSE(decoder.Next(event) || !decoder.PendingText().empty()) << c.line;
    }
}

// What each report does to the pointer from each button state, through the
// router: the engine's table, with middle enabled and disabled ("disable"
// is the pen being disabled).
TEST(PenRouter, ReportsFromEachButtonState) {
    const std::string move = "+0 SetCursorPos 200 300", pressL = move + ", +30 down left";
    const std::string pressR = move + ", +30 down right", pressM = move + ", +30 down middle";
    const char *const L = "L0200300\r", *const Rr = "R0200300\r", *const M = "M0200300\r";
    const struct { ButtonState held; int middle; const char* line; std::string events; ButtonState state; } rows[] = {
        {B::None, 1, L, pressL, B::Left},                               {B::Left, 1, L, move, B::Left},
        {B::Right, 1, L, "+0 up right, " + pressL, B::Left},            {B::Middle, 0, L, "+0 up middle, " + pressL, B::Left},
        {B::None, 1, Rr, pressR, B::Right},                             {B::Left, 1, Rr, "+0 up left, " + pressR, B::Right},
        {B::Right, 1, Rr, move, B::Right},                              {B::Middle, 1, Rr, "+0 up middle, " + pressR, B::Right},
        {B::None, 1, M, pressM, B::Middle},                             {B::None, 0, M, "", B::Middle},
        {B::Left, 1, M, "+0 up left, " + pressM, B::Middle},            {B::Left, 0, M, "+0 up left", B::Middle},
        {B::Right, 1, M, "+0 up right, " + pressM, B::Middle},          {B::Right, 0, M, "+0 up right", B::Middle},
        {B::Middle, 1, M, move, B::Middle},                             {B::Middle, 0, M, move, B::Middle},
        {B::Left, 1, "@0200300\r", "+0 up left, " + move, B::None},     {B::Left, 1, "@12?4567\r", "+0 up left", B::None},
        {B::None, 1, "?T\r", "", B::None},                              {B::Left, 1, "?T\r?T\r", "+0 up left", B::None},
        {B::Right, 1, "?T\r", "+0 up right", B::None},                  {B::Middle, 0, "?T\r", "+0 up middle", B::None},
        {B::Right, 1, "disable", "+0 up right", B::None},               {B::None, 1, "disable", "", B::None},
        {B::Left, 1, "?X\rX1234567\rL12?4567\r", "", B::Left},
        // The small button clicks where the cursor is; a held button is lost
        // without its up; with middle disabled only the up is sent.
        {B::None, 1, "?M\r", "+30 down middle, +30 up middle", B::None}, {B::None, 0, "?M\r", "+0 up middle", B::None},
        {B::Left, 1, "?M\r?T\r", "+30 down middle, +30 up middle", B::None}, {B::Right, 0, "?M\r", "+0 up middle", B::None},
    };
    for (const auto& row : rows) {
        test::PenRig rig(1000);
        rig.engine.SetMiddleEnabled(1);
        if (row.held != B::None) rig.Deliver(std::string(1, "?LRM"[static_cast<int>(row.held)]) + "0010010\r");
        rig.engine.SetMiddleEnabled(row.middle);
        rig.out.Advance(100);
        rig.out.calls.clear();
        const std::uint32_t base = rig.out.now;
        if (std::string(row.line) == "disable") rig.engine.ReleaseHeldButton();
        else rig.Deliver(row.line);
        const std::string what = std::to_string(static_cast<int>(row.held)) + " middle " + std::to_string(row.middle) + " " + row.line;
        std::string events;
        for (const std::string& e : rig.out.Injected(true, base)) events += (events.empty() ? "" : ", ") + e;
        EXPECT_EQ(events, row.events) << what;
        EXPECT_EQ(rig.engine.State(), row.state) << what;
    }
}

// A stroke split into two deliveries at every byte boundary, and delivered
// one byte at a time, injects exactly what the whole stroke does at once.
TEST(PenDecoder, SplitAtEveryByteBoundary) {
    const std::string stream = "@0100050\rL0101051\rL0102052\r?T\r@0103053\r?M\r";
    auto run = [](const Lines& batches) {
        test::PenRig rig(1000);
        rig.engine.SetMiddleEnabled(1);
        for (const auto& b : batches) rig.Deliver(b);
        EXPECT_TRUE(rig.Pending().empty());
        return rig.out.Injected();
    };
    const Lines whole = run({stream});
    ASSERT_EQ(whole, (Lines{"1000 SetCursorPos 100 50", "1000 SetCursorPos 101 51", "1030 down left", "1030 SetCursorPos 102 52",
                            "1030 up left", "1060 down middle", "1060 up middle"}));
    for (std::size_t k = 0; k <= stream.size(); ++k) {
        EXPECT_EQ(run({stream.substr(0, k), stream.substr(k)}), whole) << "split at " << k;
    }
    Lines bytes;
    for (char ch : stream) bytes.push_back(std::string(1, ch));
    EXPECT_EQ(run(bytes), whole);
}

// A long line that ends in a CR is only dropped. Text without a CR that
// reaches 128 characters, in one delivery or over several, is thrown away,
// and so is everything up to the next CR, even a complete report. A zero
// byte ends its batch, and nothing past the count is read.
TEST(PenDecoder, OverflowResyncAndZeroBytes) {
    test::PenRig r(1000);
    r.Deliver(std::string(127, 'A'));
    EXPECT_EQ(r.Pending().size(), 127u);
    r.Deliver("\r@0100050\r");
    r.out.Advance(100);
    r.Deliver(std::string(300, 'A') + "\r@0200050\r");
    r.out.Advance(100);
    r.Deliver(std::string(127, 'A'));
    r.Deliver("B");
    EXPECT_TRUE(r.Pending().empty());
    r.Deliver("xx");  // still resynchronising: thrown away at once
    EXPECT_TRUE(r.Pending().empty());
    r.Deliver("L1234567\r@0300050\r");
    r.out.Advance(100);
    r.Deliver(std::string(200, 'A'));
    EXPECT_TRUE(r.Pending().empty());
    r.Deliver("R1234567\r@0400050\r");
    EXPECT_EQ(r.out.Injected(), (Lines{"1000 SetCursorPos 100 50", "1100 SetCursorPos 200 50",
                                       "1200 SetCursorPos 300 50", "1300 SetCursorPos 400 50"}));

    r.Deliver(std::string("L1234567\r\0?T\r", 13));
    EXPECT_EQ(r.engine.State(), B::Left);  // the release after the zero is lost
    const char unterminated[] = {'?', 'T', '\r', 'X', 'Y'};
    r.router.OnPenData(unterminated, 4);
    EXPECT_EQ(r.engine.State(), B::None);
    EXPECT_EQ(r.Pending(), "X");
    r.router.OnPenData(nullptr, 0);
    EXPECT_EQ(r.Pending(), "X");
}

// The port opened again: neither a half line nor the skip after an overlong
// one reaches into the new stream.
TEST(PenDecoder, NewStreamDropsWhatCameBefore) {
    test::PenRig r(1000);
    r.Deliver("@01");
    r.router.NewStream();
    r.Deliver("@0100050\r");
    r.out.Advance(100);
    r.Deliver(std::string(200, 'A'));
    r.router.NewStream();
    r.Deliver("@0200050\r");
    EXPECT_EQ(r.out.Injected(), (Lines{"1000 SetCursorPos 100 50", "1100 SetCursorPos 200 50"}));
}

// atof on a copied, zero-terminated field; values no int holds saturate;
// the screen position is trunc(board x ratio - offset) with the calibration
// that holds at that report.
TEST(PenDecoder, FieldsAndTheLiveCalibration) {
    const CalibValues identity{};
    const CalibValues halfX{0.5, 2.0, 0.25, 10.0};
    const struct { const char* line; CalibValues calib; int rawX, rawY, screenX, screenY; } cases[] = {
        {"@ 12 034\r", identity, 12, 34, 12, 34},     {"@-012-05\r", identity, -12, -5, -12, -5},
        {"@    0 1\r", identity, 0, 0, 0, 0},  // "0 1" stops at the space
        {"@abcdxyz\r", identity, 0, 0, 0, 0},         {"@+5  1e2\r", identity, 5, 100, 5, 100},
        {"@12.7-.9\r", identity, 12, 0, 12, 0},       {"@1e3 5e0\r", identity, 1000, 5, 1000, 5},
        {"@9e99inf\r", identity, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {"@-inf9e9\r", identity, INT_MIN, INT_MAX, INT_MIN, INT_MAX},
        {"@nan nan\r", identity, 0, 0, 0, 0},
        {"@0003020\r", halfX, 3, 20, 1, 30},   // trunc(1.25)
        {"@0000000\r", halfX, 0, 0, 0, -10},   // trunc(-0.25): toward zero
        {"@00012.5\r", halfX, 1, 2, 0, -5},    // the field as read, not truncated first
        {"@9e99002\r", halfX, INT_MAX, 2, INT_MAX, -6},
    };
    test::PenRig r(1000);
    for (const auto& c : cases) {
        r.out.Advance(100);
        r.calib = c.calib;
        r.Deliver(c.line);
        const BoardPoint raw = r.router.Decoder().RawBoardPosition();
        EXPECT_EQ(Point(raw.x, raw.y), Point(c.rawX, c.rawY)) << c.line;
        EXPECT_EQ(Point(r.engine.LastSetPosition().x, r.engine.LastSetPosition().y), Point(c.screenX, c.screenY)) << c.line;
    }
}

// A procedure that records what it is handed and ends a delivery at the
// first short line, delivering more from inside itself as a box would.
struct Recorder : PenProcedure, SmallButtonObserver {
    explicit Recorder(PenRouter& router) : router(router) {}
    // Each line as "<kind> <last raw x>".
    bool OnPenLine(const PenEvent& line) override {
        lines.push_back(std::to_string(static_cast<int>(line.kind)) + " " + std::to_string(line.lastRaw.x));
        return line.kind == PenReport::Short;
    }
    void OnDeliveryEnd() override {
        ++deliveries;
        const std::string text = std::exchange(nested, std::string());
        std::unique_ptr<PenReentry> open(reentry ? new PenReentry(router) : nullptr);
        if (!text.empty()) router.OnPenData(text.c_str(), text.size());
    }
    void OnSmallButton() override { ++smallButtons; }

    PenRouter& router;
    Lines lines;
    int deliveries = 0, smallButtons = 0;
    std::string nested;
    bool reentry = false;
};

TEST(PenRouter, ARunningProcedureTakesEveryLineAndThePointerNone) {
    test::PenRig r(1000);
    Recorder proc(r.router);
    r.router.SetObserver(&proc);
    r.Deliver("?M\rL0600300\rR0001002");
    ASSERT_EQ(r.engine.State(), B::Left);
    r.out.calls.clear();

    r.router.Attach(proc);
    EXPECT_TRUE(r.router.Calibrating());
    EXPECT_EQ(r.out.Injected(), (Lines{"1030 up left"}));  // nothing stays pressed
    EXPECT_TRUE(r.Pending().empty());
    EXPECT_EQ(proc.smallButtons, 1);

    r.Deliver("@0700100\rL0600300\r?M\r@0100100\r");
    EXPECT_EQ(proc.lines, (Lines{"1 700", "2 600", "5 600"}));  // with the last usable position
    EXPECT_TRUE(r.Pending().empty());  // the rest after the short line went
    EXPECT_EQ(proc.smallButtons, 2);
    r.Deliver("@07");
    EXPECT_EQ(proc.deliveries, 2);  // a delivery without a line ends too
    EXPECT_EQ(r.Pending(), "@07");

    // From inside the procedure a delivery is only appended, unless it
    // opened re-entry.
    proc.lines.clear();
    proc.nested = "00100\r";
    r.Deliver("");
    EXPECT_EQ(proc.deliveries, 3);
    EXPECT_EQ(r.Pending(), "@0700100\r");
    proc.reentry = true;
    proc.nested = "R0001002\r";
    r.Deliver("");
    EXPECT_EQ(proc.deliveries, 5);
    EXPECT_EQ(proc.lines, (Lines{"1 700", "3 1"}));
    EXPECT_EQ(r.engine.State(), B::None);
    EXPECT_EQ(r.out.Injected().size(), 1u);

    // Detached: the pointer again, starting from what is left.
    r.router.Detach(proc);
    EXPECT_FALSE(r.router.Calibrating());
    r.Deliver("L0");
    r.router.Detach(proc);  // a second end changes nothing
    r.Deliver("020030\r");
    EXPECT_EQ(r.engine.State(), B::Left);
    EXPECT_EQ(r.engine.LastSetPosition().x, 20);
}

}  // namespace
}  // namespace qx
