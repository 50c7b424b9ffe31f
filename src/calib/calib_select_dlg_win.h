// "Select Calibration": Easy Setting (a preset of the panel's screen mode) or
// Detail Setting (the four-cross screen, or the edge procedure for a zoomed
// 1280 x 1024 picture). The rules of what it shows come from the core.
#ifndef QXDRV_CALIB_CALIB_SELECT_DLG_WIN_H
#define QXDRV_CALIB_CALIB_SELECT_DLG_WIN_H

#include <windows.h>

#include <string>

#include "framework/dialog_win.h"
#include "framework/scoped_handles_win.h"
#include "calib/calib_hotkey_dlg_win.h"
#include "calib/calib_services.h"
#include "calib/calib_select_rules.h"

namespace qx {

class CCalibSelectDlg : public CDialog {
public:
    // Apply puts the preset into the live calibration.
    CCalibSelectDlg(HINSTANCE instance, const CalibServices& services,
                    const CalibHotkeyServices& hotkey);

    // After OK: what to run, with the chosen screen mode.
    CalibMethod Method() const { return result_; }
    int Mode() const { return view_.mode; }

private:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    std::wstring TooltipText(int controlId) const override;
    void OnOk() override;

    void LoadIcons();
    // View to controls, and the radios back into the view.
    void Show();
    void ReadRadios();
    bool Validate();
    void ShowHotkeyText();

    CalibServices services_;
    CalibHotkeyServices hotkey_;
    CalibSelectFacts facts_;
    CalibSelectView view_;
    CalibMethod result_ = CalibMethod::EasySetting;
    std::int32_t modelCode_ = 0;
    int openWidth_ = 0;  // the desktop size the dialog was opened for
    int openHeight_ = 0;
    // Enabled and greyed pictures of the three modes and two procedures.
    UniqueIcon icons_[5][2];
};

}  // namespace qx

#endif
