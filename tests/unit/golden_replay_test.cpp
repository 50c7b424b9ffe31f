// Golden replays: each capture in tests/golden/ (<name>.pen) is replayed
// through the decoder and the pointer engine on a fake clock, and what
// reaches the system must match <name>.events line by line. See
// tests/golden/README.md for both formats and for turning a field capture
// into a new case (QXDRV_GOLDEN_UPDATE=1 writes the events file).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "capture/pen_capture.h"
#include "fakes/fake_pointer_output.h"
#include "link/pen_decoder.h"

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::FakePointerOutput;

fs::path GoldenDir() { return fs::path(QXDRV_SOURCE_DIR) / "tests" / "golden"; }

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The conditions of a replay and the events it must produce.
struct Expected {
    CalibValues calib;
    int middle = 0;
    std::uint32_t start = 0;
    ScreenPoint cursor;
    std::vector<std::string> header;  // comment and setting lines, kept on update
    std::vector<std::string> events;
};

bool ParseExpected(const std::string& text, Expected& e, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#') {
            if (e.events.empty()) e.header.push_back(line);
            continue;
        }
        bool ok = true;
        if (first == "calib") {
            ok = static_cast<bool>(words >> e.calib.ratioX >> e.calib.ratioY >> e.calib.offsetX >> e.calib.offsetY);
        } else if (first == "middle") {
            ok = static_cast<bool>(words >> e.middle);
        } else if (first == "start") {
            ok = static_cast<bool>(words >> e.start);
        } else if (first == "cursor") {
            ok = static_cast<bool>(words >> e.cursor.x >> e.cursor.y);
        } else {
            // An event: normalised to single spaces, as the fake writes it.
            std::string event = first;
            for (std::string w; words >> w;) event += " " + w;
            e.events.push_back(event);
            continue;
        }
        if (!ok || !e.events.empty()) {
            error = "line " + std::to_string(lineNo) + ": bad setting (settings go before the events)";
            return false;
        }
        e.header.push_back(line);
    }
    return true;
}

std::vector<std::string> Replay(const std::vector<capture::CaptureBatch>& batches, const Expected& e) {
    FakePointerOutput out;
    out.now = e.start;
    out.cursor = e.cursor;
    int calibrating = 0;
    PointerEngine engine(out, calibrating);
    engine.SetMiddleEnabled(e.middle);
    PenDecoder decoder(e.calib, engine, calibrating);
    for (const auto& batch : batches) {
        out.Advance(batch.delayMs);
        if (!batch.bytes.empty()) decoder.OnPenData(batch.bytes.c_str(), batch.bytes.size());
    }
    return out.Injected();
}

std::vector<std::string> CaptureNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(GoldenDir(), ec)) {
        if (entry.path().extension() == ".pen") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(GoldenReplay, HandMadeCapturesArePresent) {
    const std::vector<std::string> names = CaptureNames();
    for (const char* name : {"handwritten_i", "double_tap", "drag_big_button"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
}

class GoldenReplayCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenReplayCase, MatchesItsEvents) {
    const fs::path capturePath = GoldenDir() / (GetParam() + ".pen");
    const fs::path eventsPath = GoldenDir() / (GetParam() + ".events");
    std::vector<capture::CaptureBatch> batches;
    std::string error;
    ASSERT_TRUE(capture::ParseCapture(ReadFile(capturePath), batches, error)) << capturePath << ": " << error;
    ASSERT_TRUE(fs::exists(eventsPath)) << eventsPath;
    Expected expected;
    ASSERT_TRUE(ParseExpected(ReadFile(eventsPath), expected, error)) << eventsPath << ": " << error;

    const std::vector<std::string> actual = Replay(batches, expected);
    const char* update = std::getenv("QXDRV_GOLDEN_UPDATE");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream file(eventsPath, std::ios::binary | std::ios::trunc);
        for (const auto& line : expected.header) file << line << "\n";
        for (const auto& line : actual) file << line << "\n";
        GTEST_SKIP() << "rewrote " << eventsPath << "; review the diff before committing it";
    }
    ASSERT_FALSE(expected.events.empty()) << eventsPath << " lists no events";
    const std::size_t common = std::min(actual.size(), expected.events.size());
    for (std::size_t i = 0; i < common; ++i) {
        ASSERT_EQ(actual[i], expected.events[i]) << "first difference at event " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.events.size())
        << "the replay has " << actual.size() << " events, the file " << expected.events.size();
}

// The lambda's parameter must not be called `info`: the macro expands inside
// a function with a parameter of that name, which g++ -Wshadow rejects.
INSTANTIATE_TEST_SUITE_P(Captures, GoldenReplayCase, ::testing::ValuesIn(CaptureNames()),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenReplayCase);

// The capture format itself, which other tools read and write too.
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
