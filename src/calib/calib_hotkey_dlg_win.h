// The hotkey dialog: picks the key of Ctrl + Shift + key that opens the
// calibration selection, offering only keys no other program holds.
#ifndef QXDRV_CALIB_CALIB_HOTKEY_DLG_WIN_H
#define QXDRV_CALIB_CALIB_HOTKEY_DLG_WIN_H

#include <windows.h>

#include <functional>
#include <string>

#include "framework/dialog_win.h"
#include "calib/calib_services.h"

namespace qx {

// The driver's hotkey registration on its main window.
struct CalibHotkeyServices {
    std::function<bool(unsigned key)> registerKey;
    std::function<void()> unregisterKey;
    int osVersionClass = 0;
};

class CCalibHotkeyDlg : public CDialog {
public:
    CCalibHotkeyDlg(HINSTANCE instance, const CalibServices& services,
                    const CalibHotkeyServices& hotkey);

private:
    BOOL OnInitDialog() override;
    void OnOk() override;

    CalibServices services_;
    CalibHotkeyServices hotkey_;
};

}  // namespace qx

#endif
