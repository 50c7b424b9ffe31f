// The line decoder and the router behind it: what each line is, what
// reaches the pointer, and what a running calibration procedure gets.
#include "link/pen_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "fakes/pen_rig.h"

namespace qx {

void PrintTo(PenReport r, std::ostream* os) { *os << "PenReport " << static_cast<int>(r); }
void PrintTo(ButtonState b, std::ostream* os) { *os << "ButtonState " << static_cast<int>(b); }

namespace {

using Lines = std::vector<std::string>;
using B = ButtonState;
using R = PenReport;

constexpr std::uint32_t kStart = 1000;

struct Rig : test::PenRig {
    Rig() : PenRig(kStart) {}
};

// One line: its kind and the raw position it leaves from the decoder alone,
// then through the router with the left button held at (-7, -7), the
// engine's state and what reaches the system. A dropped line must leave the
// held button alone; a hover releases it even when its fields are unusable.
TEST(PenDecoder, EveryLineKind) {
    const Lines kept{};
    const struct {
        const char* line;
        PenReport kind;
        int rawX, rawY;
        ButtonState state;
        Lines events;
    } cases[] = {
        {"L1234567\r", R::Left, 1234, 567, B::Left, {"+0 SetCursorPos 1234 567"}},
        {"R1234567\r", R::Right, 1234, 567, B::Right,
         {"+0 up left", "+0 SetCursorPos 1234 567", "+30 down right"}},
        {"M1234567\r", R::Middle, 1234, 567, B::Middle,
         {"+0 up left", "+0 SetCursorPos 1234 567", "+30 down middle"}},
        {"@0100050\r", R::Hover, 100, 50, B::None, {"+0 up left", "+0 SetCursorPos 100 50"}},
        {"@12?4567\r", R::None, -7, -7, B::None, {"+0 up left"}},
        {"?T\r", R::Short, -7, -7, B::None, {"+0 up left"}},
        {"?M\r", R::Short, -7, -7, B::None, {"+30 down middle", "+30 up middle"}},
        {"?X\r", R::Short, -7, -7, B::Left, kept},
        {"AT\r", R::Short, -7, -7, B::Left, kept},
        {"X1234567\r", R::None, -7, -7, B::Left, kept},
        {"l1234567\r", R::None, -7, -7, B::Left, kept},
        {"\r", R::None, -7, -7, B::Left, kept},
        {"?\r", R::None, -7, -7, B::Left, kept},
        {"ABC\r", R::None, -7, -7, B::Left, kept},
        {"L123456\r", R::None, -7, -7, B::Left, kept},
        {"L12345678\r", R::None, -7, -7, B::Left, kept},
        {"L12?4567\r", R::None, -7, -7, B::Left, kept},
        {"L1234?67\r", R::None, -7, -7, B::Left, kept},
        {"R????567\r", R::None, -7, -7, B::Left, kept},
        {"M1234??7\r", R::None, -7, -7, B::Left, kept},
        {"\nL1234567\r", R::None, -7, -7, B::Left, kept},  // a line feed is a character of the line
    };
    for (const auto& c : cases) {
        const std::string text = std::string("L-007-07\r") + c.line;
        PenDecoder decoder;
        decoder.Append(text.c_str(), text.size());
        PenEvent first;
        PenEvent event;
        ASSERT_TRUE(decoder.Next(first) && decoder.Next(event)) << c.line;
        EXPECT_EQ(event.kind, c.kind) << c.line;
        EXPECT_EQ(event.lastRaw.x, c.rawX) << c.line;
        EXPECT_EQ(event.lastRaw.y, c.rawY) << c.line;
        EXPECT_EQ(decoder.RawBoardPosition().x, c.rawX) << c.line;
        EXPECT_FALSE(decoder.Next(event)) << c.line;

        Rig rig;
        rig.engine.SetMiddleEnabled(1);
        rig.Deliver("L-007-07\r");
        rig.out.Advance(100);
        const std::uint32_t base = rig.out.now;
        rig.out.calls.clear();
        rig.Deliver(c.line);
        EXPECT_TRUE(rig.Pending().empty()) << c.line;
        EXPECT_EQ(rig.engine.State(), c.state) << c.line;
        EXPECT_EQ(rig.out.InjectedSince(base), c.events) << c.line;
    }
}

// A stroke split into two deliveries at every byte boundary, and delivered
// one byte at a time, injects exactly what the whole stroke does at once.
TEST(PenDecoder, SplitAtEveryByteBoundary) {
    const std::string stream = "@0100050\rL0101051\rL0102052\r?T\r@0103053\r?M\r";
    auto run = [](const Lines& batches) {
        Rig rig;
        rig.engine.SetMiddleEnabled(1);
        for (const auto& b : batches) rig.Deliver(b);
        EXPECT_TRUE(rig.Pending().empty());
        return rig.out.Injected();
    };
    const Lines whole = run({stream});
    ASSERT_EQ(whole, (Lines{"1000 SetCursorPos 100 50", "1000 SetCursorPos 101 51", "1030 down left",
                            "1030 SetCursorPos 102 52", "1030 up left", "1060 down middle",
                            "1060 up middle"}));
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
    Rig r;
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

// atof on a copied, zero-terminated field; values no int holds saturate;
// the screen position is trunc(board x ratio - offset) with the calibration
// that holds at that report.
TEST(PenDecoder, FieldsAndTheLiveCalibration) {
    const CalibValues identity{};
    const CalibValues halfX{0.5, 2.0, 0.25, 10.0};
    const struct {
        const char* line;
        CalibValues calib;
        int rawX, rawY, screenX, screenY;
    } cases[] = {
        {"@ 12 034\r", identity, 12, 34, 12, 34},
        {"@    0 1\r", identity, 0, 0, 0, 0},  // "0 1" stops at the space
        {"@-012-05\r", identity, -12, -5, -12, -5},
        {"@abcdxyz\r", identity, 0, 0, 0, 0},
        {"@+5  1e2\r", identity, 5, 100, 5, 100},
        {"@12.7-.9\r", identity, 12, 0, 12, 0},
        {"@1e3 5e0\r", identity, 1000, 5, 1000, 5},
        {"@9e99inf\r", identity, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {"@-inf9e9\r", identity, INT_MIN, INT_MAX, INT_MIN, INT_MAX},
        {"@nan nan\r", identity, 0, 0, 0, 0},
        {"@0003020\r", halfX, 3, 20, 1, 30},   // trunc(1.25)
        {"@0000000\r", halfX, 0, 0, 0, -10},   // trunc(-0.25): toward zero
        {"@00012.5\r", halfX, 1, 2, 0, -5},    // the field as read, not truncated first
        {"@9e99002\r", halfX, INT_MAX, 2, INT_MAX, -6},
    };
    Rig r;
    for (const auto& c : cases) {
        r.out.Advance(100);
        r.calib = c.calib;
        r.Deliver(c.line);
        EXPECT_EQ(r.router.Decoder().RawBoardPosition().x, c.rawX) << c.line;
        EXPECT_EQ(r.router.Decoder().RawBoardPosition().y, c.rawY) << c.line;
        EXPECT_EQ(r.engine.LastSetPosition().x, c.screenX) << c.line;
        EXPECT_EQ(r.engine.LastSetPosition().y, c.screenY) << c.line;
    }
}

// A procedure that records what it is handed and ends a delivery at the
// first short line, delivering more from inside itself as a box would.
struct Recorder : PenProcedure, SmallButtonObserver {
    explicit Recorder(PenRouter& router) : router(router) {}
    bool OnPenLine(const PenEvent& line) override {
        kinds.push_back(line.kind);
        raws.push_back(line.lastRaw.x);
        return line.kind == PenReport::Short;
    }
    void OnDeliveryEnd() override {
        ++deliveries;
        if (nested.empty()) return;
        const std::string text = nested;
        nested.clear();
        if (reentry) {
            PenReentry open(router);
            router.OnPenData(text.c_str(), text.size());
        } else {
            router.OnPenData(text.c_str(), text.size());
        }
    }
    void OnSmallButton() override { ++smallButtons; }

    PenRouter& router;
    std::vector<PenReport> kinds;
    std::vector<int> raws;
    int deliveries = 0;
    int smallButtons = 0;
    std::string nested;
    bool reentry = false;
};

TEST(PenRouter, ARunningProcedureTakesEveryLineAndThePointerNone) {
    Rig r;
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
    EXPECT_EQ(proc.kinds, (std::vector<PenReport>{R::Hover, R::Left, R::Short}));
    EXPECT_EQ(proc.raws, (std::vector<int>{700, 600, 600}));  // the last usable position
    EXPECT_TRUE(r.Pending().empty());  // the rest after the short line went
    EXPECT_EQ(proc.smallButtons, 2);
    r.Deliver("@07");
    EXPECT_EQ(proc.deliveries, 2);  // a delivery without a line ends too
    EXPECT_EQ(r.Pending(), "@07");

    // From inside the procedure a delivery is only appended, unless it
    // opened re-entry.
    proc.kinds.clear();
    proc.nested = "00100\r";
    r.Deliver("");
    EXPECT_EQ(proc.deliveries, 3);
    EXPECT_EQ(r.Pending(), "@0700100\r");
    proc.reentry = true;
    proc.nested = "R0001002\r";
    r.Deliver("");
    EXPECT_EQ(proc.deliveries, 5);
    EXPECT_EQ(proc.kinds, (std::vector<PenReport>{R::Hover, R::Right}));
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
