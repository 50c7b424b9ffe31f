// Replays of captured board data: each capture in tests/golden/ (<name>.pen)
// goes through the router, decoder and engine on a fake clock. What the user
// saw is written here as facts: where each button went down and up, where
// the cursor ended, and the engine's rules on every call in between.
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

std::string ButtonName(std::uint32_t flags) {
    switch (flags) {
        case kMouseEventfLeftDown: return "down left";
        case kMouseEventfLeftUp: return "up left";
        case kMouseEventfRightDown: return "down right";
        case kMouseEventfRightUp: return "up right";
        case kMouseEventfMiddleDown: return "down middle";
        case kMouseEventfMiddleUp: return "up middle";
        default: return "?";
    }
}

TEST(GoldenReplay, CapturedStrokes) {
    const struct {
        const char* name;
        CalibValues calib;
        std::uint32_t start;
        ScreenPoint cursor;
        Lines buttons;  // each button event where the cursor was
        ScreenPoint last;
    } cases[] = {
        // Two taps 90 ms apart at nearly the same place.
        {"double_tap", {}, 50000, {0, 0},
         {"down left 603 401", "up left 604 401", "down left 604 401", "up left 604 402"}, {620, 385}},
        // A right-button drag across the wrap of the tick count: it must not stall.
        {"drag_big_button", {}, 4294967200u, {0, 0}, {"down right 200 200", "up right 350 260"},
         {356, 266}},
        // The letter "i" with split and coalesced batches, on a four-cross
        // calibration of a 1280 x 768 desktop.
        {"handwritten_i", {1.0008, 1.0014, 0.0128, 0.0218}, 50000, {640, 384},
         {"down left 420 320", "up left 420 411", "down left 421 280", "up left 421 281"}, {421, 281}},
    };
    for (const auto& c : cases) {
        std::vector<capture::CaptureBatch> batches;
        std::string error;
        ASSERT_TRUE(capture::ParseCapture(ReadCapture(c.name), batches, error)) << c.name << ": " << error;
        ASSERT_FALSE(batches.empty()) << c.name;
        test::PenRig rig(c.start);
        rig.out.cursor = c.cursor;
        rig.calib = c.calib;
        for (const auto& batch : batches) {
            rig.out.Advance(batch.delayMs);
            if (!batch.bytes.empty()) rig.Deliver(batch.bytes);  // a pause sends nothing
        }

        Lines buttons;
        ScreenPoint at = c.cursor;
        const auto& calls = rig.out.calls;
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].kind == Kind::MouseEvent) {
                buttons.push_back(ButtonName(calls[i].value) + " " + std::to_string(at.x) + " " +
                                  std::to_string(at.y));
                continue;
            }
            if (calls[i].kind != Kind::SetCursorPos) continue;
            const bool press = i + 1 < calls.size() && calls[i + 1].kind == Kind::Sleep;
            if (press) {
                // A down 30 ms after its press moved the cursor.
                ASSERT_LT(i + 2, calls.size()) << c.name;
                EXPECT_EQ(calls[i + 2].tick - calls[i].tick, PointerEngine::kPressDelayMs) << c.name;
            }
            for (std::size_t k = i; k-- > 0;) {
                if (calls[k].kind != Kind::SetCursorPos) continue;
                // Moves at most every 20 ms (a press excepted), never to the same place.
                if (!press) EXPECT_GE(calls[i].tick - calls[k].tick, PointerEngine::kMoveIntervalMs) << c.name;
                if (!press) EXPECT_TRUE(calls[i].x != calls[k].x || calls[i].y != calls[k].y) << c.name;
                break;
            }
            at = ScreenPoint{calls[i].x, calls[i].y};
        }
        EXPECT_EQ(buttons, c.buttons) << c.name;
        EXPECT_EQ(at.x, c.last.x) << c.name;
        EXPECT_EQ(at.y, c.last.y) << c.name;
        EXPECT_TRUE(rig.Pending().empty()) << c.name;
    }
}

// The capture format itself, which the pen board simulator reads too.
TEST(PenCapture, ParsesEscapesAndRejectsBadLines) {
    std::vector<capture::CaptureBatch> batches;
    std::string error;
    ASSERT_TRUE(capture::ParseCapture("# c\n\n5 L 12 034\\r\r\n0 \\x41\\0\\s\\\\\\n\\t\n30\n", batches, error))
        << error;
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].delayMs, 5u);
    EXPECT_EQ(batches[0].bytes, "L 12 034\r");
    EXPECT_EQ(batches[1].bytes, std::string("A\0 \\\n\t", 6));
    EXPECT_EQ(batches[2].delayMs, 30u);
    EXPECT_TRUE(batches[2].bytes.empty());

    for (const char* bad : {"x 1\n", "5x\n", "4294967296 a\n", "1 a\\q\n", "1 \\x4\n", "1 a\\\n", "1 a\tb\n"}) {
        batches.clear();
        EXPECT_FALSE(capture::ParseCapture(bad, batches, error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << bad;
    }
}

}  // namespace
}  // namespace qx
