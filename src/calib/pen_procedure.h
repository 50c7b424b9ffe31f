// A calibration procedure that takes the pen while it runs, and the place it
// takes it from (the pen router). While one is attached, every line of a
// delivery goes to it in board coordinates and none to the pointer.
#ifndef QXDRV_CALIB_PEN_PROCEDURE_H
#define QXDRV_CALIB_PEN_PROCEDURE_H

#include "link/pen_decoder.h"

namespace qx {

class PenProcedure {
public:
    virtual ~PenProcedure() = default;
    // One complete line of a delivery, in order; true empties the line
    // buffer and ends the delivery's lines.
    virtual bool OnPenLine(const PenEvent& line) = 0;
    // The delivery's lines are handled: what they decided may be shown now,
    // a box opened included.
    virtual void OnDeliveryEnd() = 0;
};

class PenProcedureSlot {
public:
    virtual ~PenProcedureSlot() = default;
    // The procedure takes the pen: a button the pointer holds goes up and
    // the line buffer is emptied. `procedure` must stay alive until Detach.
    virtual void Attach(PenProcedure& procedure) = 0;
    // The pen goes back to the pointer (nothing if `procedure` is not attached).
    virtual void Detach(const PenProcedure& procedure) = 0;
    // A procedure is attached: a calibration is running.
    virtual bool Calibrating() const = 0;
    virtual void ClearPending() = 0;

protected:
    friend class PenReentry;
    // Whether a delivery that comes while the procedure handles one is only
    // appended; returns the previous setting.
    virtual bool HoldNested(bool hold) = 0;
};

// While alive, deliveries reach the procedure again although it has not
// returned from the current one: it waits in a box of its own that the pen
// may answer. The hold is back when this goes.
class PenReentry {
public:
    explicit PenReentry(PenProcedureSlot& slot) : slot_(slot), held_(slot.HoldNested(false)) {}
    ~PenReentry() { slot_.HoldNested(held_); }
    PenReentry(const PenReentry&) = delete;
    PenReentry& operator=(const PenReentry&) = delete;

private:
    PenProcedureSlot& slot_;
    bool held_;
};

}  // namespace qx

#endif
