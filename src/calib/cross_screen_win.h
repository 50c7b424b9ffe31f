// The four-cross calibration screen. The main window itself becomes the
// screen: shown maximised and top-most with the cursor hidden, four crosses
// near its corners and a prompt box; the pen's touches go to the procedure
// instead of the pointer.
#ifndef QXDRV_CALIB_CROSS_SCREEN_WIN_H
#define QXDRV_CALIB_CROSS_SCREEN_WIN_H

#include <windows.h>

#include <functional>
#include <string>

#include "framework/gdi_owners_win.h"
#include "calib/calib_services.h"
#include "calib/cross_calibration.h"
#include "calib/pen_procedure.h"

namespace qx {

// The main window's side of the screen; the rest comes in CalibServices.
struct CrossScreenServices {
    HWND window = nullptr;  // the main window
    HINSTANCE instance = nullptr;
    PenProcedureSlot* pen = nullptr;  // where the procedure takes the pen from
    // The procedure ended, with a stored result (true) or without one.
    std::function<void(bool stored)> ended;
};

class CCrossCalibScreen : public PenProcedure {
public:
    CCrossCalibScreen(const CrossScreenServices& window, const CalibServices& services);
    ~CCrossCalibScreen() override;
    CCrossCalibScreen(const CCrossCalibScreen&) = delete;
    CCrossCalibScreen& operator=(const CCrossCalibScreen&) = delete;

    // False, doing nothing, while the procedure runs already.
    bool Start();
    // The router knows whether a calibration has the pen.
    bool Running() const { return window_.pen->Calibrating(); }
    // A second request while it runs: the screen comes to the front.
    void BringToFront() const;
    // WM_PAINT of the main window.
    void Paint();
    // WM_CHAR of the main window while calibrating.
    void OnChar(wchar_t ch);
    // The window's teardown: the prompt box goes, and a procedure still
    // running gives the pen and the cursor back, storing nothing.
    void EndWithWindow();

    // PenProcedure: the lines of each delivery while the procedure runs.
    bool OnPenLine(const PenEvent& line) override;
    void OnDeliveryEnd() override;

private:
    void Act(CrossCalibration::Event event);
    void Ask();
    void Accept();
    void End(bool stored);
    // Takes the pen and hides the cursor, or the other way round.
    void TakePen(bool take);
    void Restart();
    void ShowPrompt(unsigned id);
    void DrawCross(HDC dc, int cross, bool active) const;
    void DrawCrossNow(int cross, bool active) const;
    // Closes the confirmation box that the pen has answered already.
    void CloseOpenQuestion() const;

    CrossScreenServices window_;
    CalibServices services_;
    CrossCalibration procedure_;
    unsigned prompt_;
    UniqueFont promptFont_;
    HWND promptBox_ = nullptr;
    bool penTaken_ = false;
    std::wstring openQuestion_;  // text of the confirmation box while it is open
    // The screen size the procedure started at; a result for another size
    // is not stored.
    int startWidth_ = 0;
    int startHeight_ = 0;
};

}  // namespace qx

#endif
