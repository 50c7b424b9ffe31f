#include "base/settings_store.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace qx {
namespace {

constexpr std::size_t kNumberBytes = 4;
constexpr std::size_t kMaxTextLength = kTextBufferBytes - 1;  // room for the zero

// Defaults that replace a stored (or absent) 0.
constexpr std::int32_t kDefaultDblClick = 32;
constexpr std::int32_t kDefaultSingleClick = 16;
constexpr std::int32_t kDefaultDblClickInterval = 500;
const char* const kDefaultCalibShortKey = "C";

// The one value that lives in the per-machine hive only.
const char* const kMachineOnlyName = "SleepTime";

// A value counts as absent in the hive that holds it, exactly as a missing
// one, unless it has the type and shape the program itself writes. Values
// typed in with a registry editor must not be taken as the caller's kind: a
// REG_SZ "100" read as a number is 3158065, and a REG_DWORD read as a
// calibration text pins the pen to an edge. So:
// - a number is a REG_DWORD of exactly 4 bytes;
// - a text is a REG_SZ (or REG_EXPAND_SZ, taken as it stands) with at most
//   255 characters before its first zero, so that it fits the 256-byte
//   buffer together with its terminator.
std::optional<std::int32_t> NumberFromBytes(const RegValueData& value) {
    if (value.type != kRegDword || value.bytes.size() != kNumberBytes) return std::nullopt;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < kNumberBytes; ++i) {
        bits |= static_cast<std::uint32_t>(value.bytes[i]) << (8 * i);  // little-endian
    }
    // Two's complement without relying on implementation-defined conversion.
    constexpr std::uint32_t kMaxPositive = std::numeric_limits<std::int32_t>::max();
    if (bits <= kMaxPositive) return static_cast<std::int32_t>(bits);
    return -static_cast<std::int32_t>(~bits) - 1;
}

// The text up to the first zero byte, whether the value was stored with a
// terminator (as Wine's A functions report it) or without one.
std::optional<std::string> TextFromBytes(const RegValueData& value) {
    if (value.type != kRegSz && value.type != kRegExpandSz) return std::nullopt;
    const auto& bytes = value.bytes;
    const std::size_t scanned = std::min(bytes.size(), kTextBufferBytes);
    const auto end = std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(scanned),
                               std::uint8_t{0});
    const std::size_t length = static_cast<std::size_t>(end - bytes.begin());
    if (length > kMaxTextLength) return std::nullopt;
    return std::string(bytes.begin(), end);
}

std::optional<std::int32_t> QueryNumber(RegistryPort& registry, Hive hive,
                                        const std::string& keyPath, const std::string& name) {
    RegValueData value;
    if (!registry.QueryValue(hive, keyPath, name, &value)) return std::nullopt;
    return NumberFromBytes(value);
}

std::optional<std::string> QueryText(RegistryPort& registry, Hive hive,
                                     const std::string& keyPath, const std::string& name) {
    RegValueData value;
    if (!registry.QueryValue(hive, keyPath, name, &value)) return std::nullopt;
    return TextFromBytes(value);
}

}  // namespace

SettingsStore::SettingsStore(RegistryPort& registry, SystemParamsPort& system, SettingsKeys keys)
    : registry_(registry), system_(system), keys_(std::move(keys)) {}

void SettingsStore::ReadRegValue(int kind, const std::string& name, const std::string& keyPath,
                                 std::int32_t* number, std::string* text) const {
    std::int32_t foundNumber = kAbsentNumber;
    std::string foundText;
    if (kind == kKindNumber) {
        const auto user = QueryNumber(registry_, Hive::CurrentUser, keyPath, name);
        if (user && *user != kAbsentNumber) {
            foundNumber = *user;
        } else {
            foundNumber = QueryNumber(registry_, Hive::LocalMachine, keyPath, name).value_or(0);
        }
    } else {
        const auto user = QueryText(registry_, Hive::CurrentUser, keyPath, name);
        if (user && !user->empty()) {
            foundText = *user;
        } else {
            foundText = QueryText(registry_, Hive::LocalMachine, keyPath, name).value_or("");
        }
    }
    if (foundNumber == kAbsentNumber) foundNumber = 0;
    if (number) *number = foundNumber;
    if (text) *text = std::move(foundText);
}

bool SettingsStore::WriteRegValue(int kind, const std::string& name, const std::string& keyPath,
                                  std::int32_t number, const std::string& text) {
    std::uint32_t type = kRegSz;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::uint8_t numberBytes[kNumberBytes] = {};
    if (kind == kKindNumber) {
        const auto bits = static_cast<std::uint32_t>(number);
        for (std::size_t i = 0; i < kNumberBytes; ++i) {
            numberBytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));  // little-endian
        }
        type = kRegDword;
        data = numberBytes;
        size = kNumberBytes;
    } else {
        // The characters as a C string sees them, without a terminating zero.
        // A text that would not fit the 256-byte buffer is stored nowhere.
        size = std::min(text.find('\0'), text.size());
        if (size > kMaxTextLength) return false;
        data = reinterpret_cast<const std::uint8_t*>(text.data());
    }
    // Both hives are always tried: a per-machine refusal (no rights) must not
    // keep the per-user copy from being written, yet it still counts as failure.
    bool stored = registry_.SetValue(Hive::LocalMachine, keyPath, name, type, data, size);
    if (name != kMachineOnlyName) {
        stored = registry_.SetValue(Hive::CurrentUser, keyPath, name, type, data, size) && stored;
    }
    return stored;
}

std::string SettingsStore::MakerKeyPath() const { return keys_.maker; }

std::string SettingsStore::SettingsKeyPath() const { return keys_.maker + keys_.settings; }

std::string SettingsStore::CalibrationKeyPath(int width, int height) const {
    return keys_.maker + keys_.product + std::to_string(width) + "_" + std::to_string(height);
}

std::int32_t SettingsStore::ReadNumber(const char* name) const {
    std::int32_t value = 0;
    ReadRegValue(kKindNumber, name, SettingsKeyPath(), &value, nullptr);
    return value;
}

std::string SettingsStore::ReadText(const char* name) const {
    std::string value;
    ReadRegValue(kKindText, name, SettingsKeyPath(), nullptr, &value);
    return value;
}

bool SettingsStore::WriteNumber(const char* name, std::int32_t value) {
    return WriteRegValue(kKindNumber, name, SettingsKeyPath(), value, std::string());
}

bool SettingsStore::WriteText(const char* name, const std::string& value) {
    return WriteRegValue(kKindText, name, SettingsKeyPath(), 0, value);
}

void SettingsStore::ApplyDoubleClickArea(std::int32_t pixels) {
    const auto value = static_cast<unsigned>(pixels);
    system_.SetSystemParam(kSpiSetDoubleClkHeight, value);
    system_.SetSystemParam(kSpiSetDoubleClkWidth, value);
}

void SettingsStore::ApplyDoubleClickTime(std::int32_t ms) {
    system_.SetSystemParam(kSpiSetDoubleClickTime, static_cast<unsigned>(ms));
}

std::string SettingsStore::GetUsePort() const { return ReadText("UsePort"); }

int SettingsStore::SetUsePort(const std::string& port) {
    return WriteText("UsePort", port) ? 1 : 0;
}

std::string SettingsStore::GetPanelDisplay() const { return ReadText("PanelDisplay"); }

int SettingsStore::SetPanelDisplay(const std::string& deviceName) {
    return WriteText("PanelDisplay", deviceName) ? 1 : 0;
}

std::int32_t SettingsStore::GetDblClick() {
    std::int32_t pixels = ReadNumber("DblClick");
    if (pixels == 0) pixels = kDefaultDblClick;
    ApplyDoubleClickArea(pixels);
    return pixels;
}

int SettingsStore::SetDblClick(std::int32_t pixels) {
    ApplyDoubleClickArea(pixels);
    return WriteNumber("DblClick", pixels) ? 1 : 0;
}

std::int32_t SettingsStore::GetSingleClick() const {
    const std::int32_t pixels = ReadNumber("SingleClick");
    return pixels == 0 ? kDefaultSingleClick : pixels;
}

int SettingsStore::SetSingleClick(std::int32_t pixels) {
    return WriteNumber("SingleClick", pixels) ? 1 : 0;
}

std::int32_t SettingsStore::GetSingleClickType() const { return ReadNumber("SingleClickType"); }

int SettingsStore::SetSingleClickType(std::int32_t type) {
    return WriteNumber("SingleClickType", type) ? 1 : 0;
}

std::int32_t SettingsStore::GetDblClickInterval() {
    std::int32_t ms = ReadNumber("DblClickInterval");
    if (ms == 0) ms = kDefaultDblClickInterval;
    ApplyDoubleClickTime(ms);
    return ms;
}

int SettingsStore::SetDblClickInterval(std::int32_t ms) {
    ApplyDoubleClickTime(ms);
    return WriteNumber("DblClickInterval", ms) ? 1 : 0;
}

std::int32_t SettingsStore::GetOSDmode() const { return ReadNumber("OSDmode"); }

void SettingsStore::SetOSDmode(std::int32_t mode) { WriteNumber("OSDmode", mode); }

std::int32_t SettingsStore::GetMiddleButon() const { return ReadNumber("MiddleButon"); }

int SettingsStore::SetMiddleButon(std::int32_t on) {
    return WriteNumber("MiddleButon", on) ? 1 : 0;
}

std::int32_t SettingsStore::GetCalibDisp() const { return ReadNumber("CalibDisp"); }

int SettingsStore::SetCalibDisp(std::int32_t on) {
    return WriteNumber("CalibDisp", on) ? 1 : 0;
}

std::string SettingsStore::GetCalibShortKey() const {
    const std::string key = ReadText("CalibShortKey");
    return key.empty() ? kDefaultCalibShortKey : key;
}

void SettingsStore::SetCalibShortKey(const std::string& key) {
    WriteText("CalibShortKey", key);
}

std::int32_t SettingsStore::GetQXMachine() const { return ReadNumber("QXMachine"); }

void SettingsStore::SetQXMachine(std::int32_t model) { WriteNumber("QXMachine", model); }

void SettingsStore::SetQXdrvVersion(const std::string& version) {
    WriteText("QXdrvVersion", version);
}

std::int32_t SettingsStore::GetSleepTime() const { return ReadNumber(kMachineOnlyName); }

void SettingsStore::SetSleepTime(std::int32_t ms) { WriteNumber(kMachineOnlyName, ms); }

}  // namespace qx
