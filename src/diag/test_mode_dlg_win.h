// The modeless test mode dialog: ten times a second, what the driver
// believes next to what the system reports, the text not yet decoded, and
// the computer's name and addresses; a hidden debug section with the
// double-click metrics and the live calibration, which can be set by hand.
#ifndef QXDRV_DIAG_TEST_MODE_DLG_WIN_H
#define QXDRV_DIAG_TEST_MODE_DLG_WIN_H

#include <windows.h>

#include <array>
#include <string>

#include "framework/dialog_win.h"
#include "framework/gdi_owners_win.h"
#include "framework/private_ids.h"
#include "calib/calib_services.h"
#include "diag/test_mode_rules.h"
#include "link/pen_decoder.h"
#include "pen/pen_router.h"
#include "pointer/pointer_engine.h"

namespace qx {

// The dialog's refresh timer (kTestModeTimer) runs at this interval.
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

class CTestModeDlg : public CDialog, public SmallButtonObserver {
public:
    CTestModeDlg(HINSTANCE instance, const TestModeServices& services);

    // A small-button report: the press is shown and kept one more tick.
    void OnSmallButton() override { UpdateMiddleMarks(1, ButtonState::Middle); }

    // What may have changed while the dialog was hidden: the caption's
    // model, the computer's name and addresses, the manual fields from the
    // live calibration.
    void Refresh();
    // The dialog's keys (Tab, Enter, Esc, Alt and a mnemonic), from the
    // message loop; true when the message was taken.
    bool PreTranslate(MSG* msg);
    // A box or the chart of the dialog is open: its window must not go
    // while that call is still running.
    bool InModal() const { return modal_ > 0; }
    // The program ends while a box is open: the window goes (its box with
    // it) and the object stays until its owner frees it; the returning box
    // shows nothing further.
    void Abandon();

private:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOk() override;
    void OnCancel() override;
    bool OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

    void CutOffDebugSection();
    void FillComputerName();
    void OnTick();
    // Reads the manual fields into the exchange values; on a field that is
    // not a number, says so and puts the focus there.
    bool ReadManualInput();
    void OnSet();
    // False when the dialog was abandoned while (or before) the box showed.
    bool ShowBox(const std::wstring& text, unsigned flags);
    void ShowText(int id, const std::wstring& text) const;
    void ShowMark(int id, Mark mark) const;
    // Hold 0 from the timer with the engine's state, 1 from a small-button report.
    void UpdateMiddleMarks(int hold, ButtonState state);

    TestModeServices services_;
    WindowTimer timer_;
    MiddleMarks middleMarks_;
    std::array<std::wstring, 3> marks_;  // "O", " ", "#", by Mark
    CalibValues manual_;  // the exchange values of edits 1028 to 1031
    std::wstring title_;  // the template's title, before the model is added
    int modal_ = 0;       // boxes or the chart open: the buttons wait
    bool abandoned_ = false;
};

}  // namespace qx

#endif
