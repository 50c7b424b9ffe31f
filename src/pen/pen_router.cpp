#include "pen/pen_router.h"

namespace qx {

void PenRouter::OnPenData(const char* text, std::size_t count) {
    const bool lineWaits = decoder_.Append(text, count);
    if (procedure_ != nullptr) {
        if (holdNested_) return;
        holdNested_ = true;
        ToProcedure(lineWaits);
        holdNested_ = false;
        return;
    }
    if (!lineWaits) return;
    PenEvent event;
    while (decoder_.Next(event)) {
        Notify(event);
        ToEngine(event);
    }
}

void PenRouter::ToProcedure(bool lineWaits) {
    PenProcedure& procedure = *procedure_;
    PenEvent event;
    // Without a complete line the decoder has applied its overflow rule
    // already; the procedure only hears that the delivery ended.
    while (lineWaits && decoder_.Next(event)) {
        Notify(event);
        if (procedure.OnPenLine(event)) {
            decoder_.ClearBuffer();
            break;
        }
    }
    procedure.OnDeliveryEnd();
}

void PenRouter::Notify(const PenEvent& event) {
    if (event.touch == PenTouch::SmallButton && observer_ != nullptr) observer_->OnSmallButton();
}

void PenRouter::ToEngine(const PenEvent& event) {
    const ScreenPoint onPanel = BoardToScreen(event.boardX, event.boardY, live_);
    const ScreenPoint at{origin_.x + onPanel.x, origin_.y + onPanel.y};
    switch (event.touch) {
        case PenTouch::Left: engine_.OnButtonReport(ButtonState::Left, at.x, at.y); break;
        case PenTouch::Right: engine_.OnButtonReport(ButtonState::Right, at.x, at.y); break;
        case PenTouch::Middle: engine_.OnButtonReport(ButtonState::Middle, at.x, at.y); break;
        case PenTouch::Hover:
            engine_.OnHoverRelease();
            if (event.positioned) engine_.OnHoverMove(at.x, at.y);
            break;
        case PenTouch::Release: engine_.OnRelease(); break;
        case PenTouch::SmallButton: engine_.OnSmallButton(); break;
        case PenTouch::None: break;
    }
}

void PenRouter::Attach(PenProcedure& procedure) {
    // Nothing will lift a button the pen holds now.
    engine_.ReleaseHeldButton();
    decoder_.ClearBuffer();
    procedure_ = &procedure;
}

void PenRouter::Detach(const PenProcedure& procedure) {
    if (procedure_ == &procedure) procedure_ = nullptr;
}

bool PenRouter::HoldNested(bool hold) {
    const bool was = holdNested_;
    holdNested_ = hold;
    return was;
}

}  // namespace qx
