// The application object: start-up, the single-instance rule, the pointer
// metrics applied while resident, and shutdown.
#ifndef QXDRV_APP_PEN_DRIVER_APP_WIN_H
#define QXDRV_APP_PEN_DRIVER_APP_WIN_H

#include <windows.h>

#include <memory>
#include <string>

#include "base/pointer_metrics.h"
#include "base/registry_win.h"
#include "framework/scoped_handles_win.h"
#include "base/settings_store.h"
#include "base/win_ports_win.h"
#include "props/port_page_rules.h"
#include "props/system_ports_win.h"
#include "props/user_port_set_page_win.h"
#include "shell/pen_tray_wnd_win.h"

namespace qx {

class CPenDriverApp {
public:
    explicit CPenDriverApp(HINSTANCE instance);
    ~CPenDriverApp();
    CPenDriverApp(const CPenDriverApp&) = delete;
    CPenDriverApp& operator=(const CPenDriverApp&) = delete;

    // Nonzero: run the message loop. Zero: end at once (ExitInstance still runs).
    BOOL InitInstance(const std::wstring& arguments);
    int Run();
    int ExitInstance(int exitCode);

private:
    // What the main window and the property sheet's pages are handed.
    TrayWndServices WindowServices();
    PropServices PropertyServices();
    BOOL RegisterCalibHotKey(HWND window, unsigned key);
    void UnregisterCalibHotKey(HWND window);
    void ApplyDragSize(int pixels);
    void ApplyDoubleClickSettings();
    // "-i": asks for the port and the model once, then stores the preset
    // calibration of the current resolution.
    void RunInstallMode();

    HINSTANCE instance_;
    Win32Strings strings_;
    Win32MessageBoxes boxes_;
    Win32SystemParams systemParams_;
    Win32Registry registry_;
    // Shared with probes that may outlive a property sheet.
    std::shared_ptr<const Win32PortProbe> ports_ = std::make_shared<Win32PortProbe>();
    Win32SerialPortList portList_;
    Win32WorkerThreads threads_;
    SettingsStore settings_;
    Win32Screen screen_;  // the panel's display, by settings_

    int osVersionClass_ = 0;
    std::wstring appName_;
    std::string portName_;
    UniqueHandle instanceMutex_;
    // 1 while message 60102 may still be shown in the current opening of the
    // property sheet.
    int rightsNotice_ = 0;
    SavedPointerMetrics saved_;
    ATOM hotKeyId_ = 0;
    std::unique_ptr<CPenTrayWnd> mainWnd_;
};

}  // namespace qx

#endif
