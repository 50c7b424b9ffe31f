// The registry-backed settings of QXdrv: every value lives under one maker key
// in both hives. Reads prefer the per-user copy, writes go per-machine first.
// Nothing is cached: every accessor goes to the registry.
#ifndef QXDRV_BASE_SETTINGS_STORE_H
#define QXDRV_BASE_SETTINGS_STORE_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/registry_port.h"
#include "base/system_params_port.h"

namespace qx {

// Value kinds chosen by the caller of the primitives.
constexpr int kKindNumber = 1;
constexpr int kKindText = 2;  // any kind other than 1 is treated as text

// Display model codes of the QXMachine setting, as the COM port page stores
// them.
constexpr std::int32_t kModelPxA100 = 100;
constexpr std::int32_t kModelPxB200 = 200;

// A number that reads back as this counts as absent, whichever hive holds it.
constexpr std::int32_t kAbsentNumber = 9999;
// Texts move through a buffer of this size: the text plus its terminating zero.
constexpr std::size_t kTextBufferBytes = 256;

// Key path texts (string-table entries 60016, 60017, 60018).
struct SettingsKeys {
    std::string maker = "SOFTWARE\\NORVANE";
    std::string settings = "\\QXdrv1.2\\Setting";
    std::string product = "\\QXdrv1.2\\";
};

class SettingsStore {
public:
    SettingsStore(RegistryPort& registry, SystemParamsPort& system, SettingsKeys keys = {});

    // Primitives. A read prefers the per-user copy and falls back to the
    // per-machine one; number or text may be null when the caller does not
    // want it.
    void ReadRegValue(int kind, const std::string& name, const std::string& keyPath,
                      std::int32_t* number, std::string* text) const;
    // Writes per-machine, then per-user ("SleepTime" per-machine only).
    // Returns true when every hive it writes stored the value.
    bool WriteRegValue(int kind, const std::string& name, const std::string& keyPath,
                       std::int32_t number, const std::string& text);

    std::string MakerKeyPath() const;
    std::string SettingsKeyPath() const;
    // The calibration key of one screen resolution, e.g. ...\QXdrv1.2\1280_768.
    std::string CalibrationKeyPath(int width, int height) const;

    // Typed accessors. The flag-returning writes answer nonzero when stored.
    std::string GetUsePort() const;
    int SetUsePort(const std::string& port);
    // The panel's display by device name; "" means the primary display.
    std::string GetPanelDisplay() const;
    int SetPanelDisplay(const std::string& deviceName);
    std::int32_t GetDblClick();  // applies the double-click area
    int SetDblClick(std::int32_t pixels);
    std::int32_t GetSingleClick() const;
    int SetSingleClick(std::int32_t pixels);
    std::int32_t GetSingleClickType() const;
    int SetSingleClickType(std::int32_t type);
    std::int32_t GetDblClickInterval();  // applies the double-click time
    int SetDblClickInterval(std::int32_t ms);
    std::int32_t GetOSDmode() const;
    void SetOSDmode(std::int32_t mode);
    std::int32_t GetMiddleButon() const;
    int SetMiddleButon(std::int32_t on);
    std::int32_t GetCalibDisp() const;
    int SetCalibDisp(std::int32_t on);
    std::string GetCalibShortKey() const;
    void SetCalibShortKey(const std::string& key);
    std::int32_t GetQXMachine() const;
    void SetQXMachine(std::int32_t model);
    void SetQXdrvVersion(const std::string& version);
    std::int32_t GetSleepTime() const;
    void SetSleepTime(std::int32_t ms);

private:
    std::int32_t ReadNumber(const char* name) const;
    std::string ReadText(const char* name) const;
    bool WriteNumber(const char* name, std::int32_t value);
    bool WriteText(const char* name, const std::string& value);
    void ApplyDoubleClickArea(std::int32_t pixels);
    void ApplyDoubleClickTime(std::int32_t ms);

    RegistryPort& registry_;
    SystemParamsPort& system_;
    SettingsKeys keys_;
};

}  // namespace qx

#endif
