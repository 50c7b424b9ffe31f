#include "calib/calib_model.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/message_text.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr unsigned kNoticeFlags = kMbIconInformation | kMbSystemModal;

// The four stored values, in the order they are read and written.
struct StoredField {
    const char* name;
    double CalibValues::*member;
};
constexpr StoredField kStoredFields[] = {
    {kCalibRatioXName, &CalibValues::ratioX},
    {kCalibRatioYName, &CalibValues::ratioY},
    {kCalibOffsetXName, &CalibValues::offsetX},
    {kCalibOffsetYName, &CalibValues::offsetY},
};

}  // namespace

std::string FormatCalibNumber(double value) {
    if (!std::isfinite(value)) value = 0.0;
    // Sized by a first pass: "%f" of a large double runs to over 300 digits.
    const int length = std::snprintf(nullptr, 0, "%f", value);
    if (length <= 0) return "0.000000";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%f", value);
    text.resize(static_cast<std::size_t>(length));
    // Zero has no sign in the store: -0 and a negative value too small for
    // six decimals ("-0.000000") are written as 0.
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

double ParseCalibNumber(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::wstring FormatResolution(const std::wstring& pattern, int width, int height) {
    const int numbers[] = {width, height};
    std::size_t used = 0;
    std::wstring out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == L'd') {
                if (used < 2) out += std::to_wstring(numbers[used]);
                ++used;
                ++i;
                continue;
            }
            if (pattern[i + 1] == L'%') {
                out += L'%';
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

CalibrationModel::CalibrationModel(SettingsStore& store, const ScreenPort& screen,
                                   const StringTablePort& strings, MessageBoxPort& boxes)
    : store_(store), screen_(screen), strings_(strings), boxes_(boxes) {}

int CalibrationModel::IsModeAvailable(int mode) const {
    return IsModeAvailableAt(store_.GetQXMachine(), screen_.ScreenWidth(), screen_.ScreenHeight(),
                             mode);
}

int CalibrationModel::FirstAvailableMode() const {
    const std::int32_t model = store_.GetQXMachine();
    const int width = screen_.ScreenWidth();
    const int height = screen_.ScreenHeight();
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (IsModeAvailableAt(model, width, height, mode)) return mode;
    }
    return kNoMode;
}

bool CalibrationModel::IsSupportedResolution() const {
    return IsSupportedResolutionOf(store_.GetQXMachine(), screen_.ScreenWidth(),
                                   screen_.ScreenHeight());
}

std::wstring CalibrationModel::ScreenModeName(int mode) const {
    if (mode == kModeFull) return strings_.LoadText(IDS_MODE_FULL);
    if (mode == kMode4By3) return strings_.LoadText(IDS_MODE_4_3);
    return strings_.LoadText(store_.GetQXMachine() == kModelPxA100 ? IDS_MODE_ORIGINAL
                                                                   : IDS_MODE_DOT_BY_DOT);
}

CalibValues CalibrationModel::StoredCalibration() const { return ReadStored(CalibValues{}); }

CalibValues CalibrationModel::PresetCalibration(int mode) const {
    return LookupPreset(store_.GetQXMachine(), screen_.ScreenWidth(), screen_.ScreenHeight(),
                        mode);
}

CalibValues CalibrationModel::ReadStoredWithoutDefaults() const {
    return ReadStored(CalibValues{0.0, 0.0, 0.0, 0.0});
}

std::string CalibrationModel::CurrentKey() const {
    return store_.CalibrationKeyPath(screen_.ScreenWidth(), screen_.ScreenHeight());
}

CalibValues CalibrationModel::ReadStored(const CalibValues& missing) const {
    // One size for all four values, so they come from one key.
    const std::string key = CurrentKey();
    CalibValues values = missing;
    for (const StoredField& field : kStoredFields) {
        std::int32_t number = 0;
        std::string text;
        store_.ReadRegValue(kKindText, field.name, key, &number, &text);
        if (!text.empty()) values.*field.member = ParseCalibNumber(text);
    }
    return values;
}

void CalibrationModel::WriteCalibration(const CalibValues& values) {
    const std::string key = CurrentKey();
    for (const StoredField& field : kStoredFields) {
        const std::string text = FormatCalibNumber(values.*field.member);
        store_.WriteRegValue(kKindText, field.name, key, 0, text);
    }
}

std::wstring CalibrationModel::ResolutionText() const {
    return FormatResolution(strings_.LoadText(IDS_RESOLUTION_PIXELS), screen_.ScreenWidth(),
                            screen_.ScreenHeight());
}

void CalibrationModel::ShowModeSelectedNotice(int mode) const {
    boxes_.ShowMessage(InsertArgs(strings_.LoadText(IDS_MODE_SELECTED), {ScreenModeName(mode)}),
                       kNoticeFlags);
}

void CalibrationModel::ApplyInstallPreset() {
    int mode = FirstAvailableMode();
    unsigned message = IDS_PRESET_APPLIED;
    if (mode == kNoMode) {
        mode = kModeFull;
        message = IDS_PRESET_APPLIED_NO_MODE;
    }
    WriteCalibration(PresetCalibration(mode));
    boxes_.ShowMessage(
        InsertArgs(strings_.LoadText(message), {ResolutionText(), ScreenModeName(mode)}),
        kNoticeFlags);
}

}  // namespace qx
