// What the test mode dialog computes and shows, without the system: the
// button marks with the middle-button hold, the system button rule per OS
// version, the texts of positions, metrics and calibration values, the
// reading of the manual calibration fields, the caption and the address list.
#ifndef QXDRV_DIAG_TEST_MODE_RULES_H
#define QXDRV_DIAG_TEST_MODE_RULES_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/ui_ports.h"
#include "calib/calib_values.h"
#include "pointer/pointer_engine.h"

namespace qx {

// The marks a button edit shows; each is a string-table text.
enum class Mark { Down, Up, Disabled };

// "O" for Down, " " for Up, "#" for Disabled (strings 57687 to 57689).
std::wstring MarkText(Mark mark, const StringTablePort& strings);

// Driver L (or R): Down while the engine holds that button.
Mark DriverButtonMark(ButtonState state, ButtonState button);

// The middle-button marks with their hold: a small-button press reported by
// the engine between two timer ticks stays shown for one further tick.
class MiddleMarks {
public:
    struct Update {
        Mark driver = Mark::Up;     // edit 1014
        std::optional<Mark> system;  // edit 1018, only while middle is enabled
    };

    // One UpdateMiddleMarks: hold 0 from the dialog's timer, 1 from the
    // engine's small-button report. Empty when the marks stay as they are.
    std::optional<Update> OnUpdate(int hold, ButtonState state, int middleEnabled);

private:
    int holdMiddle_ = 0;
};

// The system's mouse button as the OS version class allows it to be read:
// on class 12 the thread's key state (its down bit 0x80), elsewhere the
// asynchronous state (any nonzero value).
bool SystemButtonDown(int osVersionClass, short keyState, short asyncKeyState);

// "x=%d, y=%d".
std::wstring PositionText(ScreenPoint at);
// "%d" and "%u".
std::wstring IntText(int value);
std::wstring UnsignedText(unsigned value);
// A live ratio, "%.3f".
std::wstring RatioText(double ratio);
// A live offset, "%d" of the value truncated toward zero.
std::wstring OffsetText(double offset);
// A manual field, "%.*g" with 15 significant digits.
std::wstring ManualFieldText(double value);

// Reads one manual field: one finite decimal number, spaces and tabs allowed
// around it. Every text ManualFieldText shows reads back to what it showed
// ("-0", the smallest and the largest doubles included); zero counts when
// the text spells zero, not when a number underflows to it. Empty when the
// field is not a number.
std::optional<double> ReadManualNumber(const std::wstring& text);

// The four manual fields in the order ratio X, ratio Y, offset X, offset Y.
struct ManualReading {
    std::optional<CalibValues> values;  // set when all four are numbers
    int failedField = -1;               // else the first field that is not (0..3)
};
ManualReading ReadManualFields(const std::array<std::wstring, 4>& fields);

// "%s (%s)" of the dialog's title and the model name: 60010 for model code
// 100, 60011 for every other code.
std::wstring TestModeCaption(const std::wstring& title, int modelCode,
                             const StringTablePort& strings);

// What the address box lists for the computer name. `nameIsAddress`: the
// name is itself a dotted IPv4 address (nothing is listed). `host`: the IPv4
// addresses found for the name in the resolver's order, each in network byte
// order, or empty when the name could not be resolved ("Nothing.", 60103).
// Each address is " %d.%d.%d.%d", listed once.
using Ipv4Address = std::array<std::uint8_t, 4>;
std::vector<std::wstring> AddressEntries(bool nameIsAddress,
                                         const std::optional<std::vector<Ipv4Address>>& host,
                                         const StringTablePort& strings);

// True for a dotted IPv4 address of four decimal parts 0 to 255.
bool IsDottedAddress(const std::string& name);

}  // namespace qx

#endif
