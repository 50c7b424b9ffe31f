// Recording fake of the pointer output: a fake millisecond clock that only
// Sleep and the test move, a cursor that SetCursorPos moves, and every call
// that acts on the system recorded with the clock's time.
#ifndef QXDRV_TESTS_FAKE_POINTER_OUTPUT_H
#define QXDRV_TESTS_FAKE_POINTER_OUTPUT_H

#include <cstdint>
#include <string>
#include <vector>

#include "pointer/pointer_output_port.h"

namespace qx::test {

class FakePointerOutput : public PointerOutputPort {
public:
    enum class Kind { SetCursorPos, MouseEvent, Sleep };
    // x, y: SetCursorPos's; value: MouseEvent's flags, Sleep's milliseconds.
    struct Call { Kind kind; std::uint32_t tick; int x, y; std::uint32_t value; };

    explicit FakePointerOutput(std::uint32_t start = 0, ScreenPoint at = {}) : now(start), cursor(at) {}

    void SetCursorPos(int x, int y) override {
        calls.push_back({Kind::SetCursorPos, now, x, y, 0});
        cursor = ScreenPoint{x, y};
    }
    ScreenPoint GetCursorPos() override { return cursor; }
    void MouseEvent(std::uint32_t flags) override { calls.push_back({Kind::MouseEvent, now, 0, 0, flags}); }
    std::uint32_t GetTickCount() override { return now; }
    void Sleep(std::uint32_t ms) override {
        calls.push_back({Kind::Sleep, now, 0, 0, ms});
        now += ms;
    }
    // Unsigned, so it wraps past 2^32 like the system's tick count.
    void Advance(std::uint32_t ms) { now += ms; }

    static std::string ButtonName(std::uint32_t flags) {
        switch (flags) {
            case kMouseEventfLeftDown: return "down left";
            case kMouseEventfLeftUp: return "up left";
            case kMouseEventfRightDown: return "down right";
            case kMouseEventfRightUp: return "up right";
            case kMouseEventfMiddleDown: return "down middle";
            case kMouseEventfMiddleUp: return "up middle";
            default: return "mouse_event " + std::to_string(flags);
        }
    }

    // What reached the system, one line per call: "<tick> SetCursorPos <x> <y>"
    // or "<tick> down|up left|right|middle"; with `relative`, the times are
    // "+<ms>" after `base`.
    std::vector<std::string> Injected(bool relative = false, std::uint32_t base = 0) const {
        std::vector<std::string> lines;
        for (const Call& c : calls) {
            const std::string t = relative ? "+" + std::to_string(c.tick - base) : std::to_string(c.tick);
            if (c.kind == Kind::SetCursorPos) {
                lines.push_back(t + " SetCursorPos " + std::to_string(c.x) + " " + std::to_string(c.y));
            } else if (c.kind == Kind::MouseEvent) {
                lines.push_back(t + " " + ButtonName(c.value));
            }
        }
        return lines;
    }

    std::uint32_t now = 0;
    ScreenPoint cursor;
    std::vector<Call> calls;
};

}  // namespace qx::test

#endif
