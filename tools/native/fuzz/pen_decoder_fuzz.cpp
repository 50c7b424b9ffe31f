// libFuzzer target: arbitrary byte batches through the pen line decoder and
// the pointer engine into a recording fake, with the application's flags
// flipping between batches, checking what must hold whatever the board sends.
//
// Input: byte 0 picks the start tick (just before the 32-bit wrap), byte 1
// the calibration; then commands of
//   <head> <arg> <batch: head & 0x3F bytes>
// head bit 6 toggles `calibrating` before the batch; head bit 7 runs an
// action chosen by arg & 3 (toggle middle enabled, release the held button
// as a pen-disable does, next calibration, empty the buffer); arg is also the
// delay in ms before the batch.
//
// The test suite runs 200000 inputs (ctest -L fuzz). A longer run, keeping
// what it finds in a corpus of its own:
//   mkdir -p /tmp/pen_corpus
//   qx_pen_fuzz -max_total_time=1800 -max_len=4096 /tmp/pen_corpus tools/native/fuzz/seeds
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "fakes/fake_pointer_output.h"
#include "link/pen_decoder.h"

namespace {

using qx::CalibValues;
using qx::PenDecoder;
using qx::PenReport;
using qx::PointerEngine;
using qx::test::FakePointerOutput;
using Kind = FakePointerOutput::Kind;

#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

constexpr unsigned kLengthMask = 0x3F;
constexpr unsigned kToggleCalibrating = 0x40;
constexpr unsigned kAction = 0x80;

// Values no int holds, NaN and infinities reach the float-to-int conversions.
const CalibValues kCalibrations[] = {
    {1.0, 1.0, 0.0, 0.0},
    {0.5, 2.0, 0.25, -3.0},
    {1e300, -1e300, -1e300, 1e300},
    {std::numeric_limits<double>::quiet_NaN(), 1.0, 0.0, std::numeric_limits<double>::infinity()},
    {-1.0, -1.0, 0.0, 0.0},
    {1.0008, 1.0014, 0.0128, 0.0218},
};
constexpr std::size_t kCalibrationCount = sizeof(kCalibrations) / sizeof(kCalibrations[0]);

// Stands in for the calibration screen: one step per delivery, the buffer
// emptied on a short report, and on a left report a delivery of its own as
// if the board sent more while its confirmation box was open.
class FuzzCalibrationScreen : public qx::CalibrationPenHandler {
public:
    explicit FuzzCalibrationScreen(PenDecoder& decoder) : decoder_(decoder) {}
    void OnCalibrationPenData() override {
        ++depth_;
        FUZZ_CHECK(depth_ == 1);  // the guard keeps it from running inside itself
        const PenReport kind = decoder_.DecodeStep();
        if (kind == PenReport::Short) decoder_.ClearBuffer();
        if (kind == PenReport::Left) {
            static const char kInner[] = "?T\r";
            decoder_.OnPenData(kInner, sizeof(kInner) - 1);
        }
        --depth_;
    }

private:
    PenDecoder& decoder_;
    int depth_ = 0;
};

// 0 left, 1 right, 2 middle; -1 for flags that are no button event.
int ButtonIndex(std::uint32_t flags, bool& down) {
    switch (flags) {
        case qx::kMouseEventfLeftDown: down = true; return 0;
        case qx::kMouseEventfLeftUp: down = false; return 0;
        case qx::kMouseEventfRightDown: down = true; return 1;
        case qx::kMouseEventfRightUp: down = false; return 1;
        case qx::kMouseEventfMiddleDown: down = true; return 2;
        case qx::kMouseEventfMiddleUp: down = false; return 2;
        default: return -1;
    }
}

class Harness {
public:
    Harness(std::uint32_t startTick, std::size_t calibIndex)
        : out_(StartAt(startTick)), calib_(kCalibrations[calibIndex % kCalibrationCount]), calibIndex_(calibIndex) {
        decoder_.SetCalibrationHandler(&screen_);
    }

    void Deliver(const std::uint8_t* bytes, std::size_t count) {
        // Every button may see an up without a down after a delivery that
        // changed the state silently (calibrating); the middle button during
        // and after one that may have taken the state to Middle, or clicked
        // the small button, with middle disabled.
        middleOff_ = engine_.MiddleEnabled() == 0;
        Excuse();

        batch_.assign(bytes, bytes + count);
        batch_.push_back('\0');  // as the receive buffer always is
        const std::size_t before = decoder_.PendingText().size();
        const std::size_t firstCall = out_.calls.size();
        decoder_.OnPenData(batch_.data(), count);
        const std::size_t after = decoder_.PendingText().size();

        if (calibrating_ == 0) {
            FUZZ_CHECK(after < PenDecoder::kOverflowLength);
            FUZZ_CHECK(decoder_.PendingText().find('\r') == std::string::npos);
        } else {
            FUZZ_CHECK(after <= before + count + 3);  // plus the screen's inner "?T\r"
        }
        CheckCalls(firstCall);
        Excuse();
        middleOff_ = false;
    }

    void Action(unsigned which) {
        const std::size_t firstCall = out_.calls.size();
        switch (which & 3) {
            case 0: engine_.SetMiddleEnabled(engine_.MiddleEnabled() == 0 ? 1 : 0); break;
            case 1: engine_.ReleaseHeldButton(); break;
            case 2: calib_ = kCalibrations[++calibIndex_ % kCalibrationCount]; break;
            default: decoder_.ClearBuffer(); break;
        }
        CheckCalls(firstCall);
    }

    void ToggleCalibrating() { calibrating_ = calibrating_ == 0 ? 1 : 0; }
    void Wait(std::uint32_t ms) { out_.Advance(ms); }

private:
    static FakePointerOutput StartAt(std::uint32_t tick) {
        FakePointerOutput out;
        out.now = tick;
        return out;
    }

    void Excuse() {
        if (calibrating_ != 0) excused_[0] = excused_[1] = excused_[2] = true;
        if (middleOff_) excused_[2] = true;
    }

    // Moves at least 20 ms apart and never to the same place, but for the
    // move a press makes to its own position (followed by the press wait);
    // no button events while calibrating; every down after the 30 ms press
    // wait; every up after its down unless excused.
    void CheckCalls(std::size_t first) {
        for (std::size_t i = first; i < out_.calls.size(); ++i) {
            const FakePointerOutput::Call& c = out_.calls[i];
            if (c.kind == Kind::SetCursorPos) {
                const bool pressMove = i + 1 < out_.calls.size() &&
                                       out_.calls[i + 1].kind == Kind::Sleep &&
                                       out_.calls[i + 1].value == PointerEngine::kPressDelayMs;
                if (haveMove_ && !pressMove) {
                    FUZZ_CHECK(static_cast<std::uint32_t>(c.tick - lastMoveTick_) >= PointerEngine::kMoveIntervalMs);
                    FUZZ_CHECK(c.x != lastMove_.x || c.y != lastMove_.y);
                }
                haveMove_ = true;
                lastMoveTick_ = c.tick;
                lastMove_ = qx::ScreenPoint{c.x, c.y};
            } else if (c.kind == Kind::MouseEvent) {
                FUZZ_CHECK(calibrating_ == 0);
                bool down = false;
                const int b = ButtonIndex(c.value, down);
                FUZZ_CHECK(b >= 0);
                if (down) {
                    FUZZ_CHECK(i > 0 && out_.calls[i - 1].kind == Kind::Sleep &&
                               out_.calls[i - 1].value == PointerEngine::kPressDelayMs);
                    held_[b] = true;
                } else {
                    FUZZ_CHECK(held_[b] || excused_[b] || (b == 2 && middleOff_));
                    held_[b] = false;
                    excused_[b] = false;
                }
            }
        }
        // Keep the record short; the checks above only look back one call.
        if (out_.calls.size() > 1024) out_.calls.erase(out_.calls.begin(), out_.calls.end() - 1);
    }

    FakePointerOutput out_;
    int calibrating_ = 0;
    CalibValues calib_;
    std::size_t calibIndex_ = 0;
    PointerEngine engine_{out_, calibrating_};
    PenDecoder decoder_{calib_, engine_, calibrating_};
    FuzzCalibrationScreen screen_{decoder_};
    std::vector<char> batch_;
    bool held_[3] = {false, false, false};
    bool excused_[3] = {false, false, false};
    bool middleOff_ = false;  // during a delivery with middle disabled
    bool haveMove_ = false;
    std::uint32_t lastMoveTick_ = 0;
    qx::ScreenPoint lastMove_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // Up to 255 x 32 ms before the wrap, which a long input reaches.
    constexpr std::uint32_t kTickStep = 32;
    Harness harness(0xFFFFFFFFu - data[0] * kTickStep, data[1]);
    std::size_t i = 2;
    while (i + 2 <= size) {
        const unsigned head = data[i];
        const unsigned arg = data[i + 1];
        i += 2;
        if ((head & kToggleCalibrating) != 0) harness.ToggleCalibrating();
        if ((head & kAction) != 0) harness.Action(arg);
        harness.Wait(arg);
        std::size_t count = head & kLengthMask;
        if (count > size - i) count = size - i;
        harness.Deliver(data + i, count);
        i += count;
    }
    return 0;
}
