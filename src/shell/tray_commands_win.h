// The tray icon's callback, its popup menu and the menu's commands: the busy
// rule, Disable COM port, Help, About, Properties and Exit; Calibration and
// Test Mode are handed to their controllers.
#ifndef QXDRV_SHELL_TRAY_COMMANDS_WIN_H
#define QXDRV_SHELL_TRAY_COMMANDS_WIN_H

#include <windows.h>

#include <functional>
#include <string>

#include "base/busy_gate.h"
#include "base/settings_store.h"
#include "base/ui_ports.h"
#include "calib/calib_controller_win.h"
#include "diag/diag_controller_win.h"
#include "link/serial_link_win.h"
#include "pointer/pointer_engine.h"
#include "props/port_page_rules.h"
#include "shell/html_help_win.h"
#include "shell/tray_icon_win.h"

namespace qx {

struct TrayCommandServices {
    HWND window = nullptr;  // the main window: the menu's owner
    HINSTANCE instance = nullptr;
    std::wstring appName;
    std::string portName;  // the configured port, taken again when the pen is enabled
    SettingsStore* settings = nullptr;
    const StringTablePort* strings = nullptr;
    MessageBoxPort* boxes = nullptr;
    std::function<PropServices()> properties;  // what the property sheet's pages get
    BusyGate* busy = nullptr;
    SerialLink* link = nullptr;
    PointerEngine* engine = nullptr;
    TrayIcon* icon = nullptr;
    CCalibController* calibration = nullptr;
    CDiagController* diagnostics = nullptr;
    const ScreenPort* screen = nullptr;  // the panel's display, for "Current Resolution"
};

class CTrayCommands {
public:
    explicit CTrayCommands(TrayCommandServices services);
    CTrayCommands(const CTrayCommands&) = delete;
    CTrayCommands& operator=(const CTrayCommands&) = delete;

    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    // WM_COMMAND, and the hotkey as the Calibration command.
    void OnCommand(unsigned id);
    // Empty while the pen's COM port is disabled.
    const std::string& PortName() const { return portName_; }

private:
    void ShowTrayMenu();
    // Runs a command under the busy rule: a second one only beeps.
    template <typename Command>
    void RunExclusive(Command&& command);
    void OnDisableComPort();
    void OnHelp();
    void OnAbout();
    void OnProperties();
    void OnExit();

    TrayCommandServices services_;
    std::string portName_;
    HtmlHelpViewer help_;  // its windows close with the main window
};

}  // namespace qx

#endif
