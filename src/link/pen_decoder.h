// The pen board's line protocol: the line buffer, cut into CR-terminated
// lines, each line turned into one pen event in board coordinates. What the
// events do (the pointer, a calibration) is decided further on.
//
// Wire format (single-byte ASCII, every line ends in CR and nothing else):
//   "?T" CR            release report          (kind Short)
//   "?M" CR            small-button report     (kind Short)
//   any 2 chars + CR   other short line        (kind Short, no pointer action)
//   c XXXX YYY CR      coordinate report, c = 'L' Left, 'R' Right,
//                      'M' Middle, '@' Hover; X 4 and Y 3 characters
//   anything else      dropped (kind None)
#ifndef QXDRV_LINK_PEN_DECODER_H
#define QXDRV_LINK_PEN_DECODER_H

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace qx {

// Truncates toward zero. A field such as "9e99" or "nan" parses to a value no
// int can hold; those saturate (NaN gives 0) instead of being undefined.
inline int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// The kind of one decoded line.
enum class PenReport : int { None = 0, Hover = 1, Left = 2, Right = 3, Middle = 4, Short = 5 };

// What a line says the pen does.
enum class PenTouch : int {
    None = 0,     // nothing: a dropped line, or a short line other than the two below
    Hover,        // above the surface ('@'), whether or not its fields are usable
    Left,         // on the surface with the tip, or a button held: usable fields only
    Right,
    Middle,
    Release,      // "?T"
    SmallButton,  // "?M"
};

// A board position, each axis truncated toward zero.
struct BoardPoint {
    int x = 0;
    int y = 0;
};

// One line of the buffer.
struct PenEvent {
    PenReport kind = PenReport::None;
    PenTouch touch = PenTouch::None;
    bool positioned = false;  // both fields usable: boardX and boardY hold them
    double boardX = 0.0;      // the fields as read, untruncated
    double boardY = 0.0;
    // The last line whose two fields were usable, this one included.
    BoardPoint lastRaw;
};

class PenDecoder {
public:
    // Text without a CR that reaches this length is thrown away and the
    // decoder resynchronises on the next CR.
    static constexpr std::size_t kOverflowLength = 128;

    PenDecoder();
    PenDecoder(const PenDecoder&) = delete;
    PenDecoder& operator=(const PenDecoder&) = delete;

    // Appends `text` up to its first zero byte, never past `count` bytes.
    // False when no complete line waits; the overflow rule is then applied.
    bool Append(const char* text, std::size_t count);
    // Takes the first complete line off the buffer into `event`. Without
    // one, applies the overflow rule and returns false.
    bool Next(PenEvent& event);

    // The last coordinate report whose two fields were usable; (0, 0) before.
    BoardPoint RawBoardPosition() const { return raw_; }
    // Text received but not decoded yet (the test mode's "untreated data").
    std::string_view PendingText() const;
    void ClearBuffer();
    // A new stream (the port opened again): nothing received before, not even
    // the tail of an overlong line still to be skipped, belongs to it.
    void Restart() {
        ClearBuffer();
        resync_ = false;
    }

private:
    void ApplyOverflowRule();
    void Consume(std::size_t count);
    void DecodeCoordinates(std::string_view line, PenEvent& event);

    // Undecoded text is buffer_[start_, end): steps advance start_ and the
    // consumed front is dropped in one move when the next text arrives.
    std::string buffer_;
    std::size_t start_ = 0;
    // buffer_[start_, searched_) holds no CR.
    std::size_t searched_ = 0;
    bool resync_ = false;
    BoardPoint raw_;
};

}  // namespace qx

#endif
