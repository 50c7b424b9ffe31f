// The pointer engine: turns decoded pen reports into cursor moves and
// button events. It does not recognise clicks itself; the system makes
// clicks and double-clicks out of the downs and ups by its own metrics.
//
// Owned by the main window and called on its thread only, from the pen
// router (PenRouter) and from the window itself (middle setting, pen
// disabled, destruction). Positions are screen pixels, already calibrated.
#ifndef QXDRV_POINTER_POINTER_ENGINE_H
#define QXDRV_POINTER_POINTER_ENGINE_H

#include <cstdint>

#include "framework/geometry.h"
#include "pointer/pointer_output_port.h"

namespace qx {

// The button the engine believes it holds down.
enum class ButtonState : int { None = 0, Left = 1, Right = 2, Middle = 3 };

class PointerEngine {
public:
    // Cursor moves are at most one per this many milliseconds.
    static constexpr std::uint32_t kMoveIntervalMs = 20;
    // A press waits this long between moving the cursor and the down event.
    static constexpr std::uint32_t kPressDelayMs = 30;

    // Reads the cursor position and the tick count as the starting last-set
    // position and next move time. `output` must outlive the engine.
    explicit PointerEngine(PointerOutputPort& output);

    PointerEngine(const PointerEngine&) = delete;
    PointerEngine& operator=(const PointerEngine&) = delete;

    // Left, right or middle coordinate report at (x, y): press, drag or
    // switch buttons. `button` None is ignored.
    void OnButtonReport(ButtonState button, int x, int y);
    // Release report ('?', 'T'): the held button goes up.
    void OnRelease();
    // Small-button report ('?', 'M'): a middle click where the cursor is. A
    // button held before is dropped from the state without its up event.
    void OnSmallButton();
    // Hover report, before its fields are parsed: the held button goes up
    // and the state becomes None.
    void OnHoverRelease();
    // Hover report whose fields parsed: throttled move, no button.
    void OnHoverMove(int x, int y);

    // Pen disabled, window destroyed or a calibration taking the pen: sends
    // the held button's up event and sets the state to None, so that no
    // button stays pressed in the system after the pen can no longer release it.
    void ReleaseHeldButton();

    // The `MiddleButon` setting: nonzero lets the small button and middle
    // reports press the middle button.
    void SetMiddleEnabled(int enabled) { middleEnabled_ = enabled != 0 ? 1 : 0; }
    int MiddleEnabled() const { return middleEnabled_; }  // shown by test mode

    ButtonState State() const { return state_; }
    // The position last passed to SetCursorPos (shown by test mode).
    ScreenPoint LastSetPosition() const { return lastSet_; }

private:
    void ThrottledMove(int x, int y);
    // Sets the cursor and restarts the move interval from there.
    void MoveNow(int x, int y);
    // Moves the cursor to (x, y) unthrottled, then Down.
    void Press(int x, int y, std::uint32_t downFlag);
    // Waits kPressDelayMs, then the down event.
    void Down(std::uint32_t downFlag);
    // State None and the up event of `button`.
    void Up(ButtonState button);

    PointerOutputPort& output_;
    ButtonState state_ = ButtonState::None;
    ScreenPoint lastSet_;
    std::uint32_t nextMoveTick_ = 0;
    int middleEnabled_ = 0;
};

}  // namespace qx

#endif
