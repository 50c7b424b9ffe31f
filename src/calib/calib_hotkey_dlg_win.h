// The hotkey dialog: picks the key of Ctrl + Shift + key that opens the
// calibration selection, offering only keys no other program holds.
#ifndef QXDRV_CALIB_CALIB_HOTKEY_DLG_WIN_H
#define QXDRV_CALIB_CALIB_HOTKEY_DLG_WIN_H

#include <windows.h>

#include <functional>
#include <string>

#include "app/dialog_win.h"
#include "app/settings_store.h"
#include "app/ui_ports.h"

namespace qx {

// The driver's hotkey registration on its main window.
struct CalibHotkeyServices {
    std::function<bool(unsigned key)> registerKey;
    std::function<void()> unregisterKey;
    int osVersionClass = 0;
    const SettingsStore* settings = nullptr;
    const StringTablePort* strings = nullptr;
    MessageBoxPort* boxes = nullptr;
};

class CCalibHotkeyDlg : public CDialog {
public:
    CCalibHotkeyDlg(HINSTANCE instance, const CalibHotkeyServices& services);

private:
    BOOL OnInitDialog() override;
    void OnOk() override;

    CalibHotkeyServices services_;
};

}  // namespace qx

#endif
