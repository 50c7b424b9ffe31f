// The pen board's line protocol: the main window's line buffer, cut into
// CR-terminated lines, each line classified, its coordinate fields parsed and
// mapped through the live calibration, and the pointer engine driven.
//
// Wire format (single-byte ASCII, every line ends in CR and nothing else):
//   "?T" CR            release report          (kind Short)
//   "?M" CR            small-button report     (kind Short)
//   any 2 chars + CR   other short line        (kind Short, no pointer action)
//   c XXXX YYY CR      coordinate report, c = 'L' Left, 'R' Right,
//                      'M' Middle, '@' Hover; X 4 and Y 3 characters
//   anything else      dropped (kind None)
//
// Owned by the main window and called on its thread only. The window keeps
// the live calibration, the engine and the application's `calibrating` flag;
// all three must outlive the decoder.
#ifndef QXDRV_LINK_PEN_DECODER_H
#define QXDRV_LINK_PEN_DECODER_H

#include <cstddef>
#include <string>
#include <string_view>

#include "calib/calib_values.h"
#include "pointer/pointer_engine.h"

namespace qx {

// The result of one decoding step.
enum class PenReport : int { None = 0, Hover = 1, Left = 2, Right = 3, Middle = 4, Short = 5 };

// The board position of a coordinate report, each axis truncated toward zero.
struct BoardPoint {
    int x = 0;
    int y = 0;
};

// The calibration screen's pen handler. While `calibrating` is nonzero it is
// called once per delivery, after the bytes were appended; it decodes with
// PenDecoder::DecodeStep itself and reads RawBoardPosition. A delivery that
// arrives while it runs (inside one of its message boxes) is only appended.
class CalibrationPenHandler {
public:
    virtual ~CalibrationPenHandler() = default;
    virtual void OnCalibrationPenData() = 0;
};

class PenDecoder {
public:
    // Text without a CR that reaches this length is thrown away and the
    // decoder resynchronises on the next CR.
    static constexpr std::size_t kOverflowLength = 128;

    // `calib` is the window's live calibration, read afresh for every report,
    // so replacing its values takes effect at the next report.
    PenDecoder(const CalibValues& calib, PointerEngine& engine, const int& calibrating);

    PenDecoder(const PenDecoder&) = delete;
    PenDecoder& operator=(const PenDecoder&) = delete;

    // The calibration screen, or null (then calibrating deliveries are only
    // appended). Not owned; set by the four-cross calibration screen.
    void SetCalibrationHandler(CalibrationPenHandler* handler) { calibHandler_ = handler; }

    // While alive, deliveries reach the calibration handler again although
    // it has not returned: it waits in a box of its own that the pen may
    // answer. The guard is back when this goes.
    class CalibrationReentry {
    public:
        explicit CalibrationReentry(PenDecoder& decoder)
            : decoder_(decoder), saved_(decoder.calibGuard_) {
            decoder_.calibGuard_ = 0;
        }
        ~CalibrationReentry() { decoder_.calibGuard_ = saved_; }
        CalibrationReentry(const CalibrationReentry&) = delete;
        CalibrationReentry& operator=(const CalibrationReentry&) = delete;

    private:
        PenDecoder& decoder_;
        int saved_;
    };

    // WM_PENDATA: appends `text` up to its first zero byte (and never past
    // `count` bytes, which the receive thread's buffer always holds), then
    // either hands over to the calibration screen or decodes every complete
    // line and applies the overflow rule.
    void OnPenData(const char* text, std::size_t count);

    // One decoding step: takes the first line off the buffer and acts on it.
    // Without a complete line it applies the overflow rule and returns None.
    PenReport DecodeStep();

    // A CR-terminated line is waiting to be decoded.
    bool HasCompleteLine() const { return HasCr(); }

    // The last coordinate report whose two fields were usable; (0, 0) before.
    BoardPoint RawBoardPosition() const { return raw_; }

    // Text received but not decoded yet (the test mode's "untreated data").
    std::string_view PendingText() const;
    // Empties the line buffer (the calibration screen does so between touches).
    void ClearBuffer();

private:
    bool HasCr() const;
    void ApplyOverflowRule();
    void Consume(std::size_t count);
    PenReport DecodeShort(std::string_view line);
    PenReport DecodeCoordinates(std::string_view line);
    // Both fields usable: stores the raw position and sets `screen`.
    bool ParseFields(std::string_view line, ScreenPoint& screen);

    const CalibValues& calib_;
    PointerEngine& engine_;
    const int* calibrating_;
    CalibrationPenHandler* calibHandler_ = nullptr;
    // Undecoded text is buffer_[start_, end): steps advance start_ and the
    // consumed front is dropped in one move when the next delivery arrives.
    std::string buffer_;
    std::size_t start_ = 0;
    int resync_ = 0;
    int calibGuard_ = 0;
    BoardPoint raw_;
};

}  // namespace qx

#endif
