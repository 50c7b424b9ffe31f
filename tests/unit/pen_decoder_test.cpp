#include "link/pen_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "fakes/pen_rig.h"

namespace qx {

// Readable failure messages.
void PrintTo(PenReport r, std::ostream* os) { *os << "PenReport " << static_cast<int>(r); }
void PrintTo(ButtonState b, std::ostream* os) { *os << "ButtonState " << static_cast<int>(b); }

namespace {

using Lines = std::vector<std::string>;

constexpr std::uint32_t kStart = 1000;

// A fresh decoder, engine and fake clock starting at kStart.
struct Rig : test::PenRig {
    Rig() : PenRig(kStart) {}

    // Puts text into the buffer without decoding it (a calibrating delivery
    // with no calibration screen only appends), for stepping by hand.
    void Load(const std::string& bytes) {
        const int was = calibrating;
        calibrating = 1;
        Deliver(bytes);
        calibrating = was;
    }
};

class PenDecoderTest : public ::testing::Test, public Rig {};

// One line, stepped by hand with the left button held at (-7, -7): its kind,
// the raw position it leaves, the engine's state and what reaches the system.
// A dropped line must leave the held button alone; a hover releases it even
// when its fields are unusable.
TEST_F(PenDecoderTest, EveryLineKind) {
    struct Case {
        const char* line;
        PenReport kind;
        int rawX, rawY;
        ButtonState state;
        Lines events;
    };
    using B = ButtonState;
    using R = PenReport;
    const Lines kept{};
    const Case cases[] = {
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
    for (const Case& c : cases) {
        Rig rig;
        rig.engine.SetMiddleEnabled(1);
        rig.Load("L-007-07\r");
        ASSERT_EQ(rig.decoder.DecodeStep(), R::Left);
        rig.out.Advance(100);
        const std::uint32_t base = rig.out.now;
        rig.out.calls.clear();
        rig.Load(c.line);
        EXPECT_EQ(rig.decoder.DecodeStep(), c.kind) << c.line;
        EXPECT_TRUE(rig.decoder.PendingText().empty()) << c.line;
        EXPECT_EQ(rig.decoder.RawBoardPosition().x, c.rawX) << c.line;
        EXPECT_EQ(rig.decoder.RawBoardPosition().y, c.rawY) << c.line;
        EXPECT_EQ(rig.engine.State(), c.state) << c.line;
        EXPECT_EQ(rig.out.InjectedSince(base), c.events) << c.line;
    }
}

// A stroke split into two deliveries at every byte boundary, and delivered
// one byte at a time, injects exactly what the whole stroke does at once.
TEST_F(PenDecoderTest, SplitAtEveryByteBoundary) {
    const std::string stream = "@0100050\rL0101051\rL0102052\r?T\r@0103053\r?M\r";
    auto run = [](const Lines& batches) {
        Rig rig;
        rig.engine.SetMiddleEnabled(1);
        for (const auto& b : batches) rig.Deliver(b);
        EXPECT_TRUE(rig.decoder.PendingText().empty());
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
// and so is everything up to the next CR, even a complete report.
TEST_F(PenDecoderTest, OverflowAndResync) {
    Deliver(std::string(127, 'A'));
    EXPECT_EQ(decoder.PendingText().size(), 127u);
    Deliver("\r@0100050\r");
    out.Advance(100);
    Deliver(std::string(300, 'A') + "\r@0200050\r");

    out.Advance(100);
    Deliver(std::string(127, 'A'));
    Deliver("B");
    EXPECT_TRUE(decoder.PendingText().empty());
    Deliver("xx");  // still resynchronising: thrown away at once
    EXPECT_TRUE(decoder.PendingText().empty());
    Deliver("L1234567\r@0300050\r");

    out.Advance(100);
    Deliver(std::string(200, 'A'));
    EXPECT_TRUE(decoder.PendingText().empty());
    Deliver("R1234567\r@0400050\r");
    EXPECT_EQ(out.Injected(), (Lines{"1000 SetCursorPos 100 50", "1100 SetCursorPos 200 50",
                                     "1200 SetCursorPos 300 50", "1300 SetCursorPos 400 50"}));
}

TEST_F(PenDecoderTest, ZeroByteEndsTheBatch) {
    const std::string batch("L1234567\r\0?T\r", 13);
    Deliver(batch);
    EXPECT_EQ(engine.State(), ButtonState::Left);  // the release after the zero is lost
    EXPECT_TRUE(decoder.PendingText().empty());

    // Nothing past the count is read either, even without a terminator.
    const char unterminated[] = {'?', 'T', '\r', 'X', 'Y'};
    decoder.OnPenData(unterminated, 4);
    EXPECT_EQ(engine.State(), ButtonState::None);
    EXPECT_EQ(decoder.PendingText(), "X");
    decoder.OnPenData(nullptr, 0);
    EXPECT_EQ(decoder.PendingText(), "X");
}

// atof on a copied, zero-terminated field; values no int holds saturate.
TEST_F(PenDecoderTest, FieldConversion) {
    struct Case {
        const char* line;
        int rawX, rawY;
        int screenX, screenY;
    };
    const Case cases[] = {
        {"@ 12 034\r", 12, 34, 12, 34},
        {"@    0 1\r", 0, 0, 0, 0},  // "0 1" stops at the space
        {"@-012-05\r", -12, -5, -12, -5},
        {"@abcdxyz\r", 0, 0, 0, 0},
        {"@+5  1e2\r", 5, 100, 5, 100},
        {"@12.7-.9\r", 12, 0, 12, 0},
        {"@1e3 5e0\r", 1000, 5, 1000, 5},
        {"@9e99inf\r", INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {"@-inf9e9\r", INT_MIN, INT_MAX, INT_MIN, INT_MAX},
        {"@nan nan\r", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        out.calls.clear();
        out.Advance(100);
        Load(c.line);
        EXPECT_EQ(decoder.DecodeStep(), PenReport::Hover) << c.line;
        EXPECT_EQ(decoder.RawBoardPosition().x, c.rawX) << c.line;
        EXPECT_EQ(decoder.RawBoardPosition().y, c.rawY) << c.line;
        EXPECT_EQ(engine.LastSetPosition().x, c.screenX) << c.line;
        EXPECT_EQ(engine.LastSetPosition().y, c.screenY) << c.line;
    }
}

TEST_F(PenDecoderTest, EveryReportUsesTheLiveCalibration) {
    calib = CalibValues{0.5, 2.0, 0.25, 10.0};
    Deliver("@0003020\r");
    EXPECT_EQ(engine.LastSetPosition().x, 1);  // trunc(1.25)
    EXPECT_EQ(engine.LastSetPosition().y, 30);
    out.Advance(100);
    Deliver("@0000000\r");
    EXPECT_EQ(engine.LastSetPosition().x, 0);  // trunc(-0.25): toward zero
    EXPECT_EQ(engine.LastSetPosition().y, -10);
    out.Advance(100);
    calib = CalibValues{};
    Deliver("@0100050\r");
    EXPECT_EQ(engine.LastSetPosition().x, 100);
    EXPECT_EQ(engine.LastSetPosition().y, 50);
}

// The calibration screen's side: one call per delivery, under the guard.
class RecordingCalibration : public CalibrationPenHandler {
public:
    explicit RecordingCalibration(PenDecoder& decoder) : decoder_(decoder) {}
    void OnCalibrationPenData() override {
        ++calls;
        kinds.push_back(decoder_.DecodeStep());
        if (!reentrant.empty()) {
            const std::string text = reentrant;
            reentrant.clear();
            decoder_.OnPenData(text.c_str(), text.size());  // as inside its message box
        }
    }
    int calls = 0;
    std::vector<PenReport> kinds;
    std::string reentrant;

private:
    PenDecoder& decoder_;
};

TEST_F(PenDecoderTest, CalibratingHandsEachDeliveryToTheCalibrationScreen) {
    RecordingCalibration screen(decoder);
    decoder.SetCalibrationHandler(&screen);
    calibrating = 1;
    Deliver("L0600300\r?T\r");
    EXPECT_EQ(screen.calls, 1);
    EXPECT_EQ(decoder.PendingText(), "?T\r");  // the screen decides about the rest
    EXPECT_EQ(decoder.RawBoardPosition().x, 600);

    screen.reentrant = "@0700100\r";
    Deliver("");
    EXPECT_EQ(screen.calls, 2);  // the inner delivery only appended
    EXPECT_EQ(decoder.PendingText(), "@0700100\r");
    Deliver("R0001002\r");
    EXPECT_EQ(screen.calls, 3);  // the guard is down again
    EXPECT_EQ(screen.kinds, (std::vector<PenReport>{PenReport::Left, PenReport::Short, PenReport::Hover}));
    EXPECT_EQ(out.Injected(), (Lines{"1000 SetCursorPos 700 100"}));  // the hidden cursor moves
    EXPECT_EQ(engine.State(), ButtonState::None);

    decoder.SetCalibrationHandler(nullptr);
    Deliver("?T\r");
    EXPECT_EQ(decoder.PendingText(), "R0001002\r?T\r");
    decoder.ClearBuffer();
    EXPECT_TRUE(decoder.PendingText().empty());
}

}  // namespace
}  // namespace qx
