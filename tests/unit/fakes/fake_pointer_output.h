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
    struct Call {
        Kind kind;
        std::uint32_t tick;
        int x = 0;                // SetCursorPos
        int y = 0;
        std::uint32_t value = 0;  // MouseEvent flags, Sleep milliseconds
    };

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

    // What reached the system, one line per call: "<tick> SetCursorPos <x> <y>"
    // or "<tick> down|up left|right|middle" (or "<tick> mouse_event <flags>"
    // for anything else).
    std::vector<std::string> Injected() const { return Format(false, 0); }
    // The same with times as "+<ms>" after `base`.
    std::vector<std::string> InjectedSince(std::uint32_t base) const { return Format(true, base); }

    std::uint32_t now = 0;
    ScreenPoint cursor;
    std::vector<Call> calls;

private:
    static std::string EventName(std::uint32_t flags) {
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

    std::vector<std::string> Format(bool relative, std::uint32_t base) const {
        std::vector<std::string> lines;
        for (const Call& c : calls) {
            const std::string t = relative ? "+" + std::to_string(c.tick - base) : std::to_string(c.tick);
            if (c.kind == Kind::SetCursorPos) {
                lines.push_back(t + " SetCursorPos " + std::to_string(c.x) + " " + std::to_string(c.y));
            } else if (c.kind == Kind::MouseEvent) {
                lines.push_back(t + " " + EventName(c.value));
            }
        }
        return lines;
    }
};

}  // namespace qx::test

#endif
