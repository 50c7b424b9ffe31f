#include "props/dblclick_rules.h"

#include <algorithm>
#include <limits>

#include "base/message_text.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign and digits from `pos`, saturated at 32 bits; `pos` ends after the
// digits. No digits: 0, and `digits` stays false.
std::int32_t ReadInteger(const std::string& text, std::size_t& pos, bool& digits) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    digits = false;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        digits = true;
        value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), limit);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::size_t SkipBlanks(const std::string& text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return pos;
}

// A pending exchange is a nonzero start: a click at tick count 0 is taken
// one millisecond later.
std::uint32_t StartAt(std::uint32_t now) { return now == 0 ? 1 : now; }

}  // namespace

AreaValidation ValidateAreaText(const std::string& text, std::int32_t previous) {
    const std::string read = text.substr(0, kDblClickAreaTextChars);
    const std::size_t first = SkipBlanks(read, 0);
    std::size_t pos = first;
    bool digits = false;
    const std::int32_t value = ReadInteger(read, pos, digits);
    const bool integer = digits && SkipBlanks(read, pos) == read.size() &&
                         (value != 0 || read[first] == '0');
    if (!integer) return {AreaCheck::NotInteger, previous};
    return {AreaInRange(value) ? AreaCheck::Valid : AreaCheck::OutOfRange, value};
}

std::int32_t LeadingInteger(const std::string& text) {
    std::size_t pos = SkipBlanks(text, 0);
    bool digits = false;
    return ReadInteger(text, pos, digits);
}

bool AreaInRange(std::int32_t area) { return area >= kDblClickAreaMin && area <= kDblClickAreaMax; }

std::int32_t ForcedArea(std::int32_t area) {
    return area < kDblClickAreaMin ? kDblClickAreaMin : kDblClickAreaMax;
}

void ShowAreaProblem(const PropServices& services, AreaCheck check) {
    const unsigned flags = kMbOk | kMbIconExclamation;
    if (check == AreaCheck::NotInteger) {
        services.boxes->ShowMessage(services.strings->LoadText(IDS_ENTER_INTEGER), flags);
    } else if (check == AreaCheck::OutOfRange) {
        services.boxes->ShowMessage(
            InsertArgs(services.strings->LoadText(IDS_ENTER_INTEGER_RANGE),
                       {std::to_wstring(kDblClickAreaMin), std::to_wstring(kDblClickAreaMax)}),
            flags);
    }
}

int ClampIntervalPosition(int position) {
    return std::clamp(position, kIntervalSliderMin, kIntervalSliderMax);
}

int IntervalFromPosition(int position) { return kIntervalScaleBase - position; }

int PositionFromInterval(std::int32_t ms) {
    // Far-off stored values stay far off without overflowing the scale.
    const std::int64_t position = std::int64_t{kIntervalScaleBase} - ms;
    return static_cast<int>(std::clamp<std::int64_t>(position, kIntervalSliderMin, kIntervalSliderMax));
}

AutoSettingStep AutoSettingRelease(std::uint32_t start, std::uint32_t now) {
    if (start == 0) return {StartAt(now), false, 0};
    const std::uint32_t d = now - start;  // the tick count may have wrapped between
    if (d < kAutoPairMinMs || d > kAutoPairMaxMs) return {StartAt(now), false, 0};
    return {0, true, ClampIntervalPosition(kIntervalScaleBase - static_cast<int>(d))};
}

TestStep TestRelease(std::uint32_t start, std::uint32_t now, int sliderPosition) {
    if (start == 0) return {StartAt(now), false};
    const auto d = static_cast<std::int32_t>(now - start);
    if (d > IntervalFromPosition(sliderPosition)) return {StartAt(now), false};
    return {0, true};
}

void ApplyDblClickArea(const PropServices& services, std::int32_t area) {
    if (!services.settings->SetDblClick(area)) ShowRightsNoticeOnce(services);
}

void ApplyDblClickInterval(const PropServices& services, int sliderPosition) {
    if (!services.settings->SetDblClickInterval(IntervalFromPosition(sliderPosition)))
        ShowRightsNoticeOnce(services);
}

}  // namespace qx
