// What the two double-click pages decide: the area page's edit validation
// and the value it forces when the edit is left invalid; the speed page's
// slider scale and its two-click exchanges on the auto-setting target and
// the test picture. The pages only move these into and out of controls.
#ifndef QXDRV_PROPS_DBLCLICK_RULES_H
#define QXDRV_PROPS_DBLCLICK_RULES_H

#include <cstdint>
#include <string>

#include "props/port_page_rules.h"

namespace qx {

// Double-click area, pixels: the edit, the slider and the circle.
constexpr std::int32_t kDblClickAreaMin = 8;
constexpr std::int32_t kDblClickAreaMax = 64;
constexpr std::int32_t kDblClickAreaDefault = 32;
constexpr int kDblClickAreaLine = 1;
constexpr int kDblClickAreaPage = 4;
constexpr int kDblClickAreaTicks = 11;
// The edit's validation reads no more than this many characters.
constexpr std::size_t kDblClickAreaTextChars = 31;

enum class AreaCheck { Valid, NotInteger, OutOfRange };

struct AreaValidation {
    AreaCheck check = AreaCheck::Valid;
    // The area field afterwards: the integer typed, even out of range; the
    // previous value when the text is no integer.
    std::int32_t area = 0;
};

// The edit text as the page validates it: one signed decimal integer with
// blanks around it; a text that converts to 0 counts only when it starts
// with "0". Integers beyond 32 bits are out of range.
AreaValidation ValidateAreaText(const std::string& text, std::int32_t previous);
// The leading integer of the text as the edit's change follows it: blanks,
// a sign, digits; 0 when there are none; saturated at 32 bits.
std::int32_t LeadingInteger(const std::string& text);
bool AreaInRange(std::int32_t area);
// The area an invalid edit is forced to when it loses the focus.
std::int32_t ForcedArea(std::int32_t area);
// The box an invalid edit shows: 61712 or 61714 with 8 and 64.
void ShowAreaProblem(const PropServices& services, AreaCheck check);

// Double-click time, milliseconds, shown on a slider whose position is
// 1300 - time: slow (1000 ms) at the left, fast (300 ms) at the right.
constexpr int kIntervalScaleBase = 1300;
constexpr int kIntervalSliderMin = 300;
constexpr int kIntervalSliderMax = 1000;
constexpr int kIntervalSliderLine = 10;
constexpr int kIntervalSliderPage = 100;
constexpr int kIntervalSliderTicks = 140;
constexpr int kIntervalDefaultPosition = 800;  // 500 ms
// The pair of clicks the auto setting takes as a double-click.
constexpr std::uint32_t kAutoPairMinMs = 50;
constexpr std::uint32_t kAutoPairMaxMs = 1000;

// The slider keeps positions inside its range.
int ClampIntervalPosition(int position);
int IntervalFromPosition(int position);
int PositionFromInterval(std::int32_t ms);

// A release on the auto-setting target, with the first click's tick count
// (0: none pending). It opens a pair, or closes it and sets the slider.
struct AutoSettingStep {
    std::uint32_t start = 0;
    bool setsSlider = false;
    int position = 0;  // the slider's position when setsSlider
};
AutoSettingStep AutoSettingRelease(std::uint32_t start, std::uint32_t now);

// A release on the test picture: the animation rewinds and a pair opens,
// or the pair came fast enough for the slider as it stands now and the
// animation plays once.
struct TestStep {
    std::uint32_t start = 0;
    bool plays = false;  // otherwise it rewinds
};
TestStep TestRelease(std::uint32_t start, std::uint32_t now, int sliderPosition);

// OK on each page: the value is stored and applied, and a store that
// refuses it brings the rights notice once.
void ApplyDblClickArea(const PropServices& services, std::int32_t area);
void ApplyDblClickInterval(const PropServices& services, int sliderPosition);

}  // namespace qx

#endif
