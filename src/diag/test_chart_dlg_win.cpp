#include "diag/test_chart_dlg_win.h"

#include "base/message_text.h"
#include "base/win_ports_win.h"
#include "diag/test_chart_layout.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kFramePenWidth = 2;
constexpr int kStripePenWidth = 1;

void Line(HDC dc, const ChartLine& line) {
    ::MoveToEx(dc, line.x1, line.y1, nullptr);
    ::LineTo(dc, line.x2, line.y2);
}

void Place(HWND control, const ChartBox& box) {
    ::SetWindowPos(control, nullptr, box.x, box.y, box.width, box.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CTestChartDlg::CTestChartDlg(HINSTANCE instance, const StringTablePort& strings,
                             const ScreenPort& screen)
    : CDialog(instance, IDD_TEST_CHART), strings_(strings), screen_(screen) {}

BOOL CTestChartDlg::OnInitDialog() {
    const Rect panel = screen_.PanelRect();
    ::SetWindowPos(Hwnd(), HWND_TOP, panel.left, panel.top, panel.Width(), panel.Height(),
                   SWP_SHOWWINDOW);
    return TRUE;
}

HBRUSH CTestChartDlg::Brush() {
    if (!brush_.Get()) brush_.Reset(::CreateSolidBrush(kBlack));
    return brush_.Get();
}

void CTestChartDlg::OnPaint(HDC dc) {
    const int width = screen_.ScreenWidth();
    const int height = screen_.ScreenHeight();
    const TestChartLayout layout = ChartLayout(width, height);
    {
        // The chart's one brush: repaints make no further ones.
        SelectGuard brush(dc, Brush());
        ::SetBkColor(dc, kBlack);
        ::Rectangle(dc, 0, 0, width, height);
    }
    {
        UniquePen white(::CreatePen(PS_SOLID, kFramePenWidth, kWhite));
        SelectGuard pen(dc, white.Get());
        for (const ChartLine& line : layout.frame) Line(dc, line);
    }
    for (int x = layout.firstColumn; x <= layout.lastColumn; ++x) {
        UniquePen stripe(
            ::CreatePen(PS_SOLID, kStripePenWidth, StripeIsWhite(layout, x) ? kWhite : kBlack));
        SelectGuard pen(dc, stripe.Get());
        Line(dc, ChartLine{x, layout.stripeTop, x, layout.stripeBottom});
    }
    PlaceTexts(layout);
}

void CTestChartDlg::PlaceTexts(const TestChartLayout& layout) {
    HWND instruction = Item(IDC_CHART_INSTRUCTION);
    Place(instruction, layout.instruction);
    ::SetWindowTextW(instruction, strings_.LoadText(IDS_CHART_INSTRUCTION).c_str());
    // The system's default font: no font object of the chart's own.
    ::SendMessageW(instruction, WM_SETFONT, 0, FALSE);

    HWND modeLine = Item(IDC_CHART_MODE_LINE);
    Place(modeLine, layout.modeLine);
    // The same line as the tray menu's resolution entry, for the panel.
    ::SetWindowTextW(modeLine, ResolutionLine(strings_.LoadText(IDS_CHART_OUTPUT),
                                              screen_.ScreenWidth(), screen_.ScreenHeight(),
                                              PanelFrequency(screen_))
                                   .c_str());
    ::SendMessageW(modeLine, WM_SETFONT, 0, FALSE);
}

bool CTestChartDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    switch (message) {
    case WM_ERASEBKGND:
        // The paint covers every pixel.
        *result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC: {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id != IDC_CHART_INSTRUCTION && id != IDC_CHART_MODE_LINE) return false;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, kWhite);
        ::SetBkColor(dc, kBlack);
        *result = reinterpret_cast<INT_PTR>(Brush());
        return true;
    }
    case WM_LBUTTONDOWN:
        // The statics pass clicks through, so this is a click anywhere.
        End(IDCANCEL);
        *result = TRUE;
        return true;
    default:
        return false;
    }
}

void CTestChartDlg::OnDestroy() { brush_.Reset(); }

}  // namespace qx
