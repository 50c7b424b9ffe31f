// Replays of captured board data: each capture in tests/golden/ (<name>.pen)
// goes through the router, decoder and engine on a fake clock. What the user
// saw is written here as facts: where each button went down and up, and
// where the cursor ended.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "capture/pen_capture.h"
#include "fakes/pen_rig.h"

namespace qx {
namespace {

namespace fs = std::filesystem;
using Kind = test::FakePointerOutput::Kind;
using Lines = std::vector<std::string>;

std::string ReadCapture(const std::string& name) {
    std::ifstream in(fs::path(QXDRV_SOURCE_DIR) / "tests" / "golden" / (name + ".pen"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(GoldenReplay, CapturedStrokes) {
    // The buttons: each button event where the cursor was; last: where it ended.
    struct Case { const char* name; CalibValues calib; std::uint32_t start; ScreenPoint cursor; Lines buttons; ScreenPoint last; };
    const Case cases[] = {
        // Two taps 90 ms apart at nearly the same place.
        {"double_tap", {}, 50000, {}, {"down left 603 401", "up left 604 401", "down left 604 401", "up left 604 402"}, {620, 385}},
        // A right-button drag across the wrap of the tick count: it must not stall.
        {"drag_big_button", {}, 4294967200u, {}, {"down right 200 200", "up right 350 260"}, {356, 266}},
        // The letter "i" with split and coalesced batches, on a four-cross
        // calibration of a 1280 x 768 desktop.
        {"handwritten_i", {1.0008, 1.0014, 0.0128, 0.0218}, 50000, {640, 384},
         {"down left 420 320", "up left 420 411", "down left 421 280", "up left 421 281"}, {421, 281}},
    };
    for (const auto& c : cases) {
        std::vector<capture::CaptureBatch> batches;
        std::string error;
        ASSERT_TRUE(capture::ParseCapture(ReadCapture(c.name), batches, error)) << c.name << ": " << error;
        test::PenRig rig(c.start);
        rig.out.cursor = c.cursor;
        rig.calib = c.calib;
        for (const auto& batch : batches) {
            rig.out.Advance(batch.delayMs);
            if (!batch.bytes.empty()) rig.Deliver(batch.bytes);  // a pause sends nothing
        }

        Lines buttons;
        ScreenPoint at = c.cursor;
        for (const auto& e : rig.out.calls) {
            if (e.kind == Kind::SetCursorPos) at = ScreenPoint{e.x, e.y};
            if (e.kind != Kind::MouseEvent) continue;
            buttons.push_back(test::FakePointerOutput::ButtonName(e.value) + " " + std::to_string(at.x) + " " + std::to_string(at.y));
        }
        EXPECT_EQ(buttons, c.buttons) << c.name;
        EXPECT_EQ(std::make_pair(at.x, at.y), std::make_pair(c.last.x, c.last.y)) << c.name;
        EXPECT_TRUE(rig.Pending().empty()) << c.name;
    }
}

// The capture format itself, which the pen board simulator reads too.
TEST(PenCapture, ParsesEscapesAndRejectsBadLines) {
    std::vector<capture::CaptureBatch> batches;
    std::string error;
    ASSERT_TRUE(capture::ParseCapture("# c\n\n5 L 12 034\\r\r\n0 \\x41\\0\\s\\\\\\n\\t\n30\n", batches, error))
        << error;
    std::vector<std::pair<std::uint32_t, std::string>> got;
    for (const auto& b : batches) got.push_back({b.delayMs, b.bytes});
    EXPECT_EQ(got, (decltype(got){{5, "L 12 034\r"}, {0, std::string("A\0 \\\n\t", 6)}, {30, ""}}));

    for (const char* bad : {"x 1\n", "5x\n", "4294967296 a\n", "1 a\\q\n", "1 \\x4\n", "1 a\\\n", "1 a\tb\n"}) {
        EXPECT_FALSE(capture::ParseCapture(bad, batches, error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << bad;
    }
}

}  // namespace
}  // namespace qx
