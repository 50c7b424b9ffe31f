#include "diag/test_mode_rules.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "base/message_text.h"
#include "base/settings_store.h"
#include "base/startup_rules.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr unsigned kKeyDownBit = 0x80;
constexpr int kManualDigits = 15;
constexpr std::size_t kTextChars = 64;

std::wstring Format(const wchar_t* format, ...) {
    wchar_t text[kTextChars];
    va_list args;
    va_start(args, format);
    const int length = std::vswprintf(text, kTextChars, format, args);
    va_end(args);
    return length < 0 ? std::wstring() : std::wstring(text, static_cast<std::size_t>(length));
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The whole text as strtod reads it (infinite when it is too large); empty
// when strtod stops before its end.
std::optional<double> ReadDecimal(const std::string& number) {
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (number.empty() || stop != number.c_str() + number.size()) return std::nullopt;
    return value;
}

// The same decimal number divided by ten, by its exponent lowered by one.
std::string Tenth(const std::string& number) {
    const std::size_t e = number.find_first_of("eE");
    if (e == std::string::npos) return number + "e-1";
    const long long exponent = std::strtoll(number.c_str() + e + 1, nullptr, 10);
    return number.substr(0, e) + "e" + std::to_string(exponent - 1);
}

}  // namespace

std::wstring MarkText(Mark mark, const StringTablePort& strings) {
    switch (mark) {
    case Mark::Down:
        return strings.LoadText(IDS_MARK_DOWN);
    case Mark::Disabled:
        return strings.LoadText(IDS_MARK_DISABLED);
    case Mark::Up:
        break;
    }
    return strings.LoadText(IDS_MARK_UP);
}

Mark DriverButtonMark(ButtonState state, ButtonState button) {
    return state == button ? Mark::Down : Mark::Up;
}

std::optional<MiddleMarks::Update> MiddleMarks::OnUpdate(int hold, ButtonState state,
                                                         int middleEnabled) {
    if (holdMiddle_ == 1) {
        holdMiddle_ = 0;
        return std::nullopt;
    }
    Update update;
    const bool middle = state == ButtonState::Middle;
    if (middleEnabled != 0) {
        update.driver = middle ? Mark::Down : Mark::Up;
        update.system = update.driver;
    } else {
        update.driver = middle ? Mark::Disabled : Mark::Up;
    }
    holdMiddle_ = hold;
    return update;
}

bool SystemButtonDown(int osVersionClass, short keyState, short asyncKeyState) {
    if (osVersionClass == kOsNt5)
        return (static_cast<unsigned>(static_cast<unsigned short>(keyState)) & kKeyDownBit) != 0;
    return asyncKeyState != 0;
}

std::wstring PositionText(ScreenPoint at) { return Format(L"x=%d, y=%d", at.x, at.y); }
std::wstring IntText(int value) { return Format(L"%d", value); }
std::wstring UnsignedText(unsigned value) { return Format(L"%u", value); }
std::wstring RatioText(double ratio) { return Format(L"%.3f", ratio); }
std::wstring OffsetText(double offset) { return Format(L"%d", TruncateToInt(offset)); }
std::wstring ManualFieldText(double value) { return Format(L"%.*g", kManualDigits, value); }

std::optional<double> ReadManualNumber(const std::wstring& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) ++begin;
    std::size_t end = text.size();
    while (end > begin && IsBlank(text[end - 1])) --end;
    // Only a plain decimal number: no hexadecimal, "nan" or "inf", and no
    // character outside ASCII, whatever strtod would make of them.
    std::string number;
    for (std::size_t i = begin; i < end; ++i) {
        const wchar_t c = text[i];
        const bool allowed = (c >= L'0' && c <= L'9') || c == L'.' || c == L'+' || c == L'-' ||
                             c == L'e' || c == L'E';
        if (!allowed) return std::nullopt;
        number += static_cast<char>(c);
    }
    if (number.empty()) return std::nullopt;
    std::optional<double> value = ReadDecimal(number);
    if (!value) return std::nullopt;
    const std::string mantissa = number.substr(0, number.find_first_of("eE"));
    if (*value == 0.0) {
        // Zero in any spelling ("-0", ".0", "0e5") is zero; a number too
        // small for a double ("1e-999") is refused rather than taken as 0.
        if (mantissa.find_first_of("123456789") != std::string::npos) return std::nullopt;
        return value;
    }
    if (std::isfinite(*value)) return value;
    // Beyond the largest double. The display rounds the largest ones to 15
    // digits, a hair beyond it ("1.79769313486232e+308"): what it can show
    // reads as the largest double; anything further is no number to
    // calibrate with ("1e999").
    const std::optional<double> tenth = ReadDecimal(Tenth(number));
    const std::optional<double> largestShownTenth =
        ReadDecimal(Tenth(NarrowAscii(ManualFieldText(std::numeric_limits<double>::max()))));
    if (!tenth || !largestShownTenth || !std::isfinite(*tenth) ||
        std::fabs(*tenth) > *largestShownTenth)
        return std::nullopt;
    return std::copysign(std::numeric_limits<double>::max(), *tenth);
}

ManualReading ReadManualFields(const std::array<std::wstring, 4>& fields) {
    ManualReading reading;
    std::array<double, 4> numbers{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<double> number = ReadManualNumber(fields[i]);
        if (!number) {
            reading.failedField = static_cast<int>(i);
            return reading;
        }
        numbers[i] = *number;
    }
    reading.values = CalibValues{numbers[0], numbers[1], numbers[2], numbers[3]};
    return reading;
}

std::wstring TestModeCaption(const std::wstring& title, int modelCode,
                             const StringTablePort& strings) {
    const std::wstring model =
        strings.LoadText(modelCode == kModelPxA100 ? IDS_MODEL_A100 : IDS_MODEL_B200);
    return title + L" (" + model + L")";
}

std::vector<std::wstring> AddressEntries(bool nameIsAddress,
                                         const std::optional<std::vector<Ipv4Address>>& host,
                                         const StringTablePort& strings) {
    std::vector<std::wstring> entries;
    if (nameIsAddress) return entries;
    if (!host || host->empty()) {
        entries.push_back(strings.LoadText(IDS_NO_ADDRESS));
        return entries;
    }
    for (const Ipv4Address& a : *host) {
        const std::wstring text = Format(L" %d.%d.%d.%d", a[0], a[1], a[2], a[3]);
        bool seen = false;
        for (const std::wstring& e : entries) seen = seen || e == text;
        if (!seen) entries.push_back(text);
    }
    return entries;
}

bool IsDottedAddress(const std::string& name) {
    constexpr int kParts = 4;
    constexpr int kMaxDigits = 3;
    constexpr int kMaxPart = 255;
    int parts = 0;
    std::size_t i = 0;
    while (parts < kParts) {
        int digits = 0;
        int value = 0;
        while (i < name.size() && name[i] >= '0' && name[i] <= '9' && digits < kMaxDigits + 1) {
            value = value * 10 + (name[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > kMaxDigits || value > kMaxPart) return false;
        ++parts;
        if (parts < kParts) {
            if (i >= name.size() || name[i] != '.') return false;
            ++i;
        }
    }
    return i == name.size();
}

}  // namespace qx
