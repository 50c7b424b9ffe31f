// The four-cross ("Detail-1") calibration: the user touches the centres of
// four red crosses near the screen's corners with the pen, then confirms;
// the four board positions and the crosses' pixel positions give the
// calibration. The main window is the screen; this is its procedure.
#ifndef QXDRV_CALIB_CROSS_CALIBRATION_H
#define QXDRV_CALIB_CROSS_CALIBRATION_H

#include "calib/calib_values.h"
#include "calib/pen_procedure.h"
#include "link/pen_decoder.h"

namespace qx {

// Distance of each cross centre from the screen's edges, in pixels.
constexpr int kCrossMargin = 16;
constexpr int kCrossCount = 4;
// Crosses in touch order: top-left, bottom-left, bottom-right, top-right.
constexpr int kCrossTopLeft = 0;
constexpr int kCrossBottomLeft = 1;
constexpr int kCrossBottomRight = 2;
constexpr int kCrossTopRight = 3;
// The board's mid-lines, which tell the quadrant of a touch.
constexpr int kBoardMidX = 640;
constexpr int kBoardMidY = 384;

// The top-left corner of cross k's 2 x margin square on a width x height screen.
ScreenPoint CrossBoxOrigin(int cross, int width, int height);
// Whether a touch at `raw` lies in the board quadrant of cross k.
bool InCrossQuadrant(int cross, BoardPoint raw);

// Per axis: the mean board position of the two crosses on each side maps to
// the margin and to the size less the margin; a spread below 1 board unit
// counts as 1.
CalibValues ComputeCrossCalibration(const BoardPoint (&points)[kCrossCount], int width,
                                    int height);

class CrossCalibration {
public:
    enum class Event {
        None,        // nothing to show
        Ignored,     // a touch in the wrong quadrant
        Advanced,    // a point was taken; the next cross is red
        AskConfirm,  // four points taken: prompt 57350 and question 57351
        Accepted,    // compute and store, cursor back, screen hidden
        Restarted,   // red cross back to 0, prompt 57349
        Left,        // left with Esc, nothing stored
    };

    // Crosses 0 to 3 wait for a touch; kConfirming waits for the answer.
    static constexpr int kConfirming = 5;

    // False, changing nothing, while the procedure runs already: a second
    // start would hide the cursor once more than the end shows it again.
    bool Start();
    bool Active() const { return active_; }
    // 0 to 3: the cross waited for (the red one); kConfirming.
    int Step() const { return step_; }
    const BoardPoint (&Points() const)[kCrossCount] { return points_; }
    // Changes every time a confirmation question is opened: an answer that
    // comes back with an older ticket is stale and ignored.
    unsigned Ticket() const { return ticket_; }

    // One line of a delivery; true when the rest of the delivery goes.
    // While a touch is awaited, lines are taken up to the first Short report
    // (the end of a touch), whose position is the last raw board position,
    // and the rest goes; without one every complete line is taken, so the
    // buffer cannot grow and a lift never waits behind a backlog. While
    // confirming, the first complete line decides (a Left report accepts,
    // anything else restarts) and the rest goes; a delivery without a
    // complete line leaves its text for the next.
    bool OnPenLine(const PenEvent& line);
    // What the delivery's lines decided (None when nothing), once.
    Event TakeEvent();
    // The question 57351 came back with Yes or No (ticket from AskConfirm).
    Event OnConfirmAnswer(unsigned ticket, bool yes, PenProcedureSlot& pen);
    // The Esc question 57348 came back with Yes or No.
    Event OnEscAnswer(bool yes, PenProcedureSlot& pen);

private:
    Event TouchEnded(BoardPoint raw);
    Event Restart(PenProcedureSlot& pen);

    bool active_ = false;
    int step_ = 0;
    unsigned ticket_ = 0;
    Event decided_ = Event::None;
    BoardPoint points_[kCrossCount] = {};
};

}  // namespace qx

#endif
