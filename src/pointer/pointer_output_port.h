// What the pointer engine does to the machine: cursor position, button
// events, the millisecond tick count and the blocking wait of a press.
// The shell implements it with SetCursorPos, GetCursorPos, mouse_event,
// GetTickCount and Sleep; tests use a recording fake with its own clock.
#ifndef QXDRV_POINTER_POINTER_OUTPUT_PORT_H
#define QXDRV_POINTER_POINTER_OUTPUT_PORT_H

#include <cstdint>

#include "framework/geometry.h"

namespace qx {

// mouse_event flags (MOUSEEVENTF_*), with the system's numbers. Button events
// carry no move and no absolute flag, so each acts where the cursor is.
constexpr std::uint32_t kMouseEventfLeftDown = 0x0002;    // MOUSEEVENTF_LEFTDOWN
constexpr std::uint32_t kMouseEventfLeftUp = 0x0004;      // MOUSEEVENTF_LEFTUP
constexpr std::uint32_t kMouseEventfRightDown = 0x0008;   // MOUSEEVENTF_RIGHTDOWN
constexpr std::uint32_t kMouseEventfRightUp = 0x0010;     // MOUSEEVENTF_RIGHTUP
constexpr std::uint32_t kMouseEventfMiddleDown = 0x0020;  // MOUSEEVENTF_MIDDLEDOWN
constexpr std::uint32_t kMouseEventfMiddleUp = 0x0040;    // MOUSEEVENTF_MIDDLEUP

class PointerOutputPort {
public:
    virtual ~PointerOutputPort() = default;
    // SetCursorPos(x, y); the system clamps to the screen, the result is ignored.
    virtual void SetCursorPos(int x, int y) = 0;
    // GetCursorPos; where the call fails the shell returns the last position it knows.
    virtual ScreenPoint GetCursorPos() = 0;
    // mouse_event(flags, 0, 0, 0, 0) with one of the kMouseEventf* button flags.
    virtual void MouseEvent(std::uint32_t flags) = 0;
    // GetTickCount: milliseconds since start-up, wrapping past 2^32.
    virtual std::uint32_t GetTickCount() = 0;
    // Sleep(ms): blocks the calling (window) thread.
    virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace qx

#endif
