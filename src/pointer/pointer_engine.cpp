#include "pointer/pointer_engine.h"

namespace qx {
namespace {

std::uint32_t DownFlag(ButtonState button) {
    switch (button) {
        case ButtonState::Left: return kMouseEventfLeftDown;
        case ButtonState::Right: return kMouseEventfRightDown;
        case ButtonState::Middle: return kMouseEventfMiddleDown;
        case ButtonState::None: break;
    }
    return 0;
}

std::uint32_t UpFlag(ButtonState button) {
    switch (button) {
        case ButtonState::Left: return kMouseEventfLeftUp;
        case ButtonState::Right: return kMouseEventfRightUp;
        case ButtonState::Middle: return kMouseEventfMiddleUp;
        case ButtonState::None: break;
    }
    return 0;
}

// True while `now` lies before `next` on the wrapping 32-bit tick clock.
// `next` is never set more than kMoveIntervalMs ahead of the tick it was
// computed from, so "before" means 1 to kMoveIntervalMs ticks ahead, taken
// modulo 2^32. A plain `now < next` would stall every move for up to 49.7
// days when `next` wraps to a small number while `now` is still large (or
// the other way round); a signed difference would stall them for up to 24.8
// days once the last move is more than 2^31 ms old. This form only loses a
// move if one lands in the same 20 ms of a tick period 49.7 days later.
bool BeforeNextMove(std::uint32_t now, std::uint32_t next) {
    const std::uint32_t ahead = next - now;
    return ahead != 0 && ahead <= PointerEngine::kMoveIntervalMs;
}

}  // namespace

PointerEngine::PointerEngine(PointerOutputPort& output) : output_(output) {
    lastSet_ = output_.GetCursorPos();
    nextMoveTick_ = output_.GetTickCount();
}

void PointerEngine::ThrottledMove(int x, int y) {
    if (BeforeNextMove(output_.GetTickCount(), nextMoveTick_)) return;
    if (x == lastSet_.x && y == lastSet_.y) return;
    MoveNow(x, y);
}

void PointerEngine::MoveNow(int x, int y) {
    output_.SetCursorPos(x, y);
    lastSet_ = ScreenPoint{x, y};
    nextMoveTick_ = output_.GetTickCount() + kMoveIntervalMs;
}

void PointerEngine::Press(int x, int y, std::uint32_t downFlag) {
    // Never throttled: a touch that follows a hover report within the move
    // interval would otherwise press where the hover left the cursor, and the
    // next report would drag from there.
    MoveNow(x, y);
    Down(downFlag);
}

void PointerEngine::Down(std::uint32_t downFlag) {
    output_.Sleep(kPressDelayMs);
    output_.MouseEvent(downFlag);
}

void PointerEngine::Up(ButtonState button) {
    state_ = ButtonState::None;
    output_.MouseEvent(UpFlag(button));
}

void PointerEngine::OnButtonReport(ButtonState button, int x, int y) {
    if (button == ButtonState::None) return;
    if (state_ == button) {
        ThrottledMove(x, y);
        return;
    }
    if (state_ != ButtonState::None) Up(state_);
    if (button != ButtonState::Middle || middleEnabled_ != 0) Press(x, y, DownFlag(button));
    state_ = button;
}

void PointerEngine::OnRelease() {
    if (state_ == ButtonState::None) return;
    Up(state_);
}

void PointerEngine::OnSmallButton() {
    const ScreenPoint cursor = output_.GetCursorPos();
    // A button held before is dropped without its up event.
    state_ = ButtonState::Middle;
    // The small button presses where the cursor already is.
    if (middleEnabled_ != 0) {
        ThrottledMove(cursor.x, cursor.y);
        Down(kMouseEventfMiddleDown);
    }
    output_.MouseEvent(kMouseEventfMiddleUp);
    state_ = ButtonState::None;
}

void PointerEngine::OnHoverRelease() {
    if (state_ != ButtonState::None) output_.MouseEvent(UpFlag(state_));
    state_ = ButtonState::None;
}

void PointerEngine::OnHoverMove(int x, int y) { ThrottledMove(x, y); }

void PointerEngine::ReleaseHeldButton() { OnHoverRelease(); }

}  // namespace qx
