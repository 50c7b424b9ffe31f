// The modeless test mode dialog: ten times a second, what the driver
// believes next to what the system reports, the text not yet decoded, and
// the computer's name and addresses; a hidden debug section with the
// double-click metrics and the live calibration, which can be set by hand.
#ifndef QXDRV_DIAG_TEST_MODE_DLG_WIN_H
#define QXDRV_DIAG_TEST_MODE_DLG_WIN_H

#include <windows.h>

#include <array>
#include <string>

#include "app/dialog_win.h"
#include "app/gdi_owners_win.h"
#include "calib/calib_services.h"
#include "diag/test_mode_rules.h"
#include "link/pen_decoder.h"
#include "pointer/pointer_engine.h"

namespace qx {

// The dialog's refresh timer.
constexpr UINT_PTR kTestModeTimer = 0x1403;
constexpr UINT kTestModeIntervalMs = 100;

// What the dialog reads and the one thing it writes (the live calibration,
// through its Set button), handed over by the main window: the calibration
// services, and the pen's decoder and engine.
struct TestModeServices {
    CalibServices calib;
    const PenDecoder* decoder = nullptr;
    const PointerEngine* engine = nullptr;
    int osVersionClass = 0;
};

class CTestModeDlg : public CDialog, public TestModeMarks {
public:
    CTestModeDlg(HINSTANCE instance, const TestModeServices& services);

    // TestModeMarks: hold 0 from the timer, 1 from the engine's small-button
    // report.
    void UpdateMiddleMarks(int hold) override;

private:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOk() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void OnDestroy() override;

    void CutOffDebugSection();
    void Centre();
    void FillComputerName();
    void OnTick();
    // Reads the manual fields into the exchange values; on a field that is
    // not a number, says so and puts the focus there.
    bool ReadManualInput();
    void OnSet();
    void ShowBox(const std::wstring& text, unsigned flags);
    void ShowText(int id, const std::wstring& text) const;
    void ShowMark(int id, Mark mark) const;

    TestModeServices services_;
    WindowTimer timer_;
    MiddleMarks middleMarks_;
    std::array<std::wstring, 3> marks_;  // "O", " ", "#", by Mark
    CalibValues manual_;  // the exchange values of edits 1028 to 1031
    bool boxOpen_ = false;  // a box of the dialog is open: its buttons wait
};

}  // namespace qx

#endif
