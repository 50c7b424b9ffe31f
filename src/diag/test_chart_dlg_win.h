// The full-screen test chart: one-pixel stripes in the middle of a black
// screen with a white frame, for adjusting the panel's sampling of the video
// signal; a click, Esc or Enter ends it.
#ifndef QXDRV_DIAG_TEST_CHART_DLG_WIN_H
#define QXDRV_DIAG_TEST_CHART_DLG_WIN_H

#include <windows.h>

#include "framework/dialog_win.h"
#include "framework/gdi_owners_win.h"
#include "base/ui_ports.h"
#include "diag/test_chart_layout.h"

namespace qx {

class CTestChartDlg : public CDialog {
public:
    // Covers the panel's display (`screen`).
    CTestChartDlg(HINSTANCE instance, const StringTablePort& strings, const ScreenPort& screen);

private:
    BOOL OnInitDialog() override;
    void OnPaint(HDC dc) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void OnDestroy() override;

    void PlaceTexts(const TestChartLayout& layout);
    // The chart's black brush, made when first needed.
    HBRUSH Brush();

    const StringTablePort& strings_;
    const ScreenPort& screen_;
    UniqueBrush brush_;  // black: the fill and the two statics' background
};

}  // namespace qx

#endif
