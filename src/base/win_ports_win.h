// The Win32 implementations of the core's small ports.
#ifndef QXDRV_BASE_WIN_PORTS_WIN_H
#define QXDRV_BASE_WIN_PORTS_WIN_H

#include <windows.h>

#include "base/pointer_metrics.h"
#include "base/settings_store.h"
#include "base/system_params_port.h"
#include "base/ui_ports.h"

namespace qx {

class Win32Strings : public StringTablePort {
public:
    explicit Win32Strings(HINSTANCE instance) : instance_(instance) {}
    std::wstring LoadText(unsigned id) const override;
    // Narrow form for registry paths and names, which are ASCII.
    std::string LoadAscii(unsigned id) const;

private:
    HINSTANCE instance_;
};

// Message boxes captioned with the application name, owned by the window the
// user is working in (see BoxOwnerScope). Safe to call from the receive
// thread, whose boxes have no owner.
class Win32MessageBoxes : public MessageBoxPort {
public:
    explicit Win32MessageBoxes(const StringTablePort& strings) : strings_(strings) {}
    int ShowMessage(const std::wstring& text, unsigned flags) override;

private:
    const StringTablePort& strings_;
};

// The panel's display from the monitors the system reports now and the
// setting (read afresh at every call, as every setting is).
class Win32Screen : public ScreenPort {
public:
    explicit Win32Screen(const SettingsStore& settings) : settings_(settings) {}
    PanelChoice Panel() const override;

private:
    const SettingsStore& settings_;
};

// The panel display's refresh rate, 0 when the system does not say.
int PanelFrequency(const ScreenPort& screen);

class Win32SystemParams : public SystemParamsPort {
public:
    void SetSystemParam(unsigned action, unsigned value) override {
        ::SystemParametersInfoA(action, value, nullptr, SPIF_SENDCHANGE);
    }
};

SavedPointerMetrics ReadPointerMetrics();

}  // namespace qx

#endif
