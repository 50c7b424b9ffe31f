// The pointer engine's output: the real cursor and injected button events.
#ifndef QXDRV_POINTER_POINTER_OUTPUT_WIN_H
#define QXDRV_POINTER_POINTER_OUTPUT_WIN_H

#include <windows.h>

#include "pointer/pointer_output_port.h"

namespace qx {

class Win32PointerOutput : public PointerOutputPort {
public:
    void SetCursorPos(int x, int y) override {
        ::SetCursorPos(x, y);
        last_ = ScreenPoint{x, y};
    }
    ScreenPoint GetCursorPos() override {
        POINT p;
        if (::GetCursorPos(&p)) last_ = ScreenPoint{p.x, p.y};
        return last_;
    }
    void MouseEvent(std::uint32_t flags) override { ::mouse_event(flags, 0, 0, 0, 0); }
    std::uint32_t GetTickCount() override { return ::GetTickCount(); }
    void Sleep(std::uint32_t ms) override { ::Sleep(ms); }

private:
    ScreenPoint last_;
};

}  // namespace qx

#endif
