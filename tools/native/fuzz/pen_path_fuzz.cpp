// libFuzzer target: arbitrary byte batches through the pen router, its line
// decoder and the pointer engine into a recording fake, with the four-cross
// procedure started and left between batches, checking what must hold
// whatever the board sends.
//
// Input: byte 0 picks the start tick (just before the 32-bit wrap), byte 1
// the calibration; then commands of
//   <head> <arg> <batch: head & 0x3F bytes>
// head bit 6 starts the four-cross procedure, or leaves it as Esc and Yes
// do; head bit 7 runs an action chosen by arg & 3 (toggle middle enabled,
// release the held button as a pen-disable does, next calibration, empty the
// buffer); arg is also the delay in ms before the batch and picks what the
// pen sends while the procedure's question is open and how it is answered.
//
// The test suite runs 200000 inputs (ctest -L fuzz). A longer run, keeping
// what it finds in a corpus of its own:
//   mkdir -p /tmp/pen_corpus
//   qx_pen_fuzz -max_total_time=1800 -max_len=4096 /tmp/pen_corpus tools/native/fuzz/seeds
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "calib/cross_calibration.h"
#include "fakes/fake_pointer_output.h"
#include "pen/pen_router.h"

namespace {

using qx::CalibValues;
using qx::CrossCalibration;
using qx::PenDecoder;
using qx::PointerEngine;
using qx::test::FakePointerOutput;
using Kind = FakePointerOutput::Kind;
using Event = CrossCalibration::Event;

#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

constexpr unsigned kLengthMask = 0x3F;
constexpr unsigned kToggleCalibration = 0x40;
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

// What the pen sends while the confirmation question is open.
const char* const kInsideTheBox[] = {"", "L0500300\r", "@0500300\r", "L05"};

// The cross screen without its window: the real procedure, attached to the
// router; its question is a box in which the pen may answer (re-entry open),
// and a touch in the wrong quadrant brings a delivery from inside the
// procedure that may only be appended.
class FuzzCrossScreen : public qx::PenProcedure {
public:
    explicit FuzzCrossScreen(qx::PenRouter& router) : router_(router) {}

    void Toggle() {
        if (procedure_.Active()) {
            Act(procedure_.OnEscAnswer(true, router_));
        } else if (procedure_.Start()) {
            router_.Attach(*this);
        }
    }
    void SetAnswer(unsigned arg) { answer_ = arg; }
    bool Running() const { return procedure_.Active(); }
    // Bytes delivered from inside the procedure since the last call: they
    // wait in the buffer for the next delivery.
    std::size_t TakeHeldBytes() {
        const std::size_t held = heldBytes_;
        heldBytes_ = 0;
        return held;
    }

    bool OnPenLine(const qx::PenEvent& line) override { return procedure_.OnPenLine(line); }
    void OnDeliveryEnd() override {
        ++depth_;
        FUZZ_CHECK(depth_ == 1 || boxOpen_ > 0);  // held back unless the box lets it in
        Act(procedure_.TakeEvent());
        --depth_;
    }

private:
    void Act(Event event) {
        switch (event) {
            case Event::AskConfirm: Ask(); break;
            case Event::Accepted:
            case Event::Left: router_.Detach(*this); break;
            case Event::Ignored: {
                static const char kNested[] = "?T\r";
                router_.OnPenData(kNested, sizeof(kNested) - 1);
                heldBytes_ += sizeof(kNested) - 1;
                break;
            }
            default: break;
        }
    }

    void Ask() {
        const unsigned ticket = procedure_.Ticket();
        const char* pen = kInsideTheBox[answer_ & 3];
        ++boxOpen_;
        {
            qx::PenReentry reentry(router_);
            router_.OnPenData(pen, std::strlen(pen));
        }
        --boxOpen_;
        Act(procedure_.OnConfirmAnswer(ticket, (answer_ & 4) != 0, router_));
    }

    qx::PenRouter& router_;
    CrossCalibration procedure_;
    unsigned answer_ = 0;
    int depth_ = 0;
    int boxOpen_ = 0;
    std::size_t heldBytes_ = 0;
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
        : out_(StartAt(startTick)), calib_(kCalibrations[calibIndex % kCalibrationCount]), calibIndex_(calibIndex) {}

    void Deliver(const std::uint8_t* bytes, std::size_t count) {
        // The middle button may see an up without a down during and after a
        // delivery that may have taken the state to Middle, or clicked the
        // small button, with middle disabled.
        middleOff_ = engine_.MiddleEnabled() == 0;
        if (middleOff_) excusedMiddle_ = true;

        batch_.assign(bytes, bytes + count);
        batch_.push_back('\0');  // as the receive buffer always is
        const std::size_t firstCall = out_.calls.size();
        const bool calibrating = router_.Calibrating();
        router_.OnPenData(batch_.data(), count);
        // Whoever has the pen, every complete line is handled: the buffer
        // stays bounded.
        const std::size_t held = screen_.TakeHeldBytes();
        const std::string_view pending = router_.Decoder().PendingText();
        FUZZ_CHECK(pending.size() < PenDecoder::kOverflowLength + held);
        if (held == 0) FUZZ_CHECK(pending.find('\r') == std::string_view::npos);
        FUZZ_CHECK(router_.Calibrating() == screen_.Running());
        CheckCalls(firstCall, calibrating);
        if (middleOff_) excusedMiddle_ = true;
        middleOff_ = false;
    }

    void Action(unsigned which) {
        const std::size_t firstCall = out_.calls.size();
        switch (which & 3) {
            case 0: engine_.SetMiddleEnabled(engine_.MiddleEnabled() == 0 ? 1 : 0); break;
            case 1: engine_.ReleaseHeldButton(); break;
            case 2: calib_ = kCalibrations[++calibIndex_ % kCalibrationCount]; break;
            default: router_.ClearPending(); break;
        }
        CheckCalls(firstCall, false);
    }

    void ToggleCalibration() {
        const std::size_t firstCall = out_.calls.size();
        screen_.Toggle();
        // Taking the pen lifts a held button (its up only); leaving sends nothing.
        CheckCalls(firstCall, false);
        if (router_.Calibrating()) FUZZ_CHECK(engine_.State() == qx::ButtonState::None);
    }
    void Wait(std::uint32_t ms) { out_.Advance(ms); }
    void SetAnswer(unsigned arg) { screen_.SetAnswer(arg); }

private:
    static FakePointerOutput StartAt(std::uint32_t tick) {
        FakePointerOutput out;
        out.now = tick;
        return out;
    }

    // Moves at least 20 ms apart and never to the same place, but for the
    // move a press makes to its own position (followed by the press wait);
    // nothing while a calibration has the pen; every down after the 30 ms
    // press wait; every up after its down unless excused.
    void CheckCalls(std::size_t first, bool calibrating) {
        for (std::size_t i = first; i < out_.calls.size(); ++i) {
            FUZZ_CHECK(!calibrating);
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
                bool down = false;
                const int b = ButtonIndex(c.value, down);
                FUZZ_CHECK(b >= 0);
                if (down) {
                    FUZZ_CHECK(i > 0 && out_.calls[i - 1].kind == Kind::Sleep &&
                               out_.calls[i - 1].value == PointerEngine::kPressDelayMs);
                    held_[b] = true;
                } else {
                    FUZZ_CHECK(held_[b] || (b == 2 && (excusedMiddle_ || middleOff_)));
                    held_[b] = false;
                    if (b == 2) excusedMiddle_ = false;
                }
            }
        }
        // Keep the record short; the checks above only look back one call.
        if (out_.calls.size() > 1024) out_.calls.erase(out_.calls.begin(), out_.calls.end() - 1);
    }

    FakePointerOutput out_;
    CalibValues calib_;
    std::size_t calibIndex_ = 0;
    PointerEngine engine_{out_};
    qx::PenRouter router_{calib_, engine_};
    FuzzCrossScreen screen_{router_};
    std::vector<char> batch_;
    bool held_[3] = {false, false, false};
    bool excusedMiddle_ = false;
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
        harness.SetAnswer(arg);
        if ((head & kToggleCalibration) != 0) harness.ToggleCalibration();
        if ((head & kAction) != 0) harness.Action(arg);
        harness.Wait(arg);
        std::size_t count = head & kLengthMask;
        if (count > size - i) count = size - i;
        harness.Deliver(data + i, count);
        i += count;
    }
    return 0;
}
