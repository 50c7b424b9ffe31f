// The edge ("Detail-2") calibration screen: a full-screen dialog over a
// copy of the desktop, the pointer held on a red bar in the middle, two
// clicks for the topmost and the lowest visible rows.
#ifndef QXDRV_CALIB_CALIB_DETAIL2_DLG_WIN_H
#define QXDRV_CALIB_CALIB_DETAIL2_DLG_WIN_H

#include <windows.h>

#include "framework/dialog_win.h"
#include "framework/gdi_owners_win.h"
#include "calib/calib_services.h"
#include "calib/edge_calibration.h"

namespace qx {

class CCalibDetail2Dlg : public CDialog {
public:
    CCalibDetail2Dlg(HINSTANCE instance, const CalibServices& services);

private:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    // Enter does nothing: the screen ends only by its question or Esc.
    void OnOk() override {}
    void OnCancel() override;
    void OnPaint(HDC dc) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void OnDestroy() override;

    void CopyScreen();
    void Layout();
    void PaintBackground(HDC dc) const;
    void PointerOnBar() const;
    void RedrawControls() const;
    void NewAttempt();
    void OnBarClick();
    int Question(unsigned id, UINT flags) const;

    CalibServices services_;
    EdgeCalibration edges_;
    bool ownCursor_ = false;  // the up or down pointer is shown
    int panelTemplateHeight_ = 0;
    MemoryDC screenCopy_;
    UniqueBitmap screenBitmap_;
    Selection screenSelection_;  // the copy's bitmap in its DC, put back first
    UniqueBrush barBrush_;
    UniqueBitmap patternBitmap_;
    UniqueBrush patternBrush_;
    HCURSOR upCursor_ = nullptr;    // shared resources, not destroyed
    HCURSOR downCursor_ = nullptr;
};

}  // namespace qx

#endif
