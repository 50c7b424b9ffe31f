#include "calib/calib_detail2_dlg_win.h"

#include "base/message_text.h"
#include "calib/hotkey_candidates.h"
#include "calib/calib_screen_win.h"
#include "framework/geometry_win.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr int kBarHalfWidth = 2;
constexpr int kBarWidth = 4;
constexpr int kPanelGap = 3;
constexpr int kTextIndent = 2;
constexpr int kTextShrink = 10;
constexpr int kBottomStart = 32;  // the pointer's move after the top click
constexpr int kPatternSize = 8;
constexpr int kTexts[] = {IDC_EDGE_TEXT_TOP, IDC_EDGE_TEXT_BOTTOM, IDC_EDGE_TEXT_ESC};
constexpr int kControls[] = {IDC_EDGE_BAR, IDC_EDGE_PANEL, IDC_EDGE_TEXT_TOP, IDC_EDGE_TEXT_BOTTOM,
                             IDC_EDGE_TEXT_ESC};

}  // namespace

CCalibDetail2Dlg::CCalibDetail2Dlg(HINSTANCE instance, const CalibServices& services)
    : CDialog(instance, IDD_CALIB_DETAIL2),
      services_(services),
      barBrush_(::CreateSolidBrush(kCalibRed)) {
    upCursor_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_EDGE_TOP));
    downCursor_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_EDGE_BOTTOM));
    // A one-pixel checkerboard: white, black where x + y is even.
    WORD rows[kPatternSize];
    for (int y = 0; y < kPatternSize; ++y) rows[y] = (y % 2 == 0) ? 0x55 : 0xAA;
    patternBitmap_.Reset(::CreateBitmap(kPatternSize, kPatternSize, 1, 1, rows));
    patternBrush_.Reset(::CreatePatternBrush(patternBitmap_.Get()));
}

int CCalibDetail2Dlg::Question(unsigned id, UINT flags) const {
    return services_.boxes->ShowMessage(services_.strings->LoadText(id), flags | MB_TOPMOST);
}

void CCalibDetail2Dlg::CopyScreen() {
    // The panel's part of the desktop, whose DC speaks desktop coordinates.
    WindowDC desktop(nullptr);
    const Rect panel = services_.screen->PanelRect();
    const int width = panel.Width();
    const int height = panel.Height();
    screenCopy_.Reset(::CreateCompatibleDC(desktop.Get()));
    if (screenCopy_.Valid()) {
        screenBitmap_.Reset(::CreateCompatibleBitmap(desktop.Get(), width, height));
        screenSelection_.Reset(::SelectObject(screenCopy_.Get(), screenBitmap_.Get()),
                               screenCopy_.Get());
        ::BitBlt(screenCopy_.Get(), 0, 0, width, height, desktop.Get(), panel.left, panel.top,
                 SRCCOPY);
    }
}

BOOL CCalibDetail2Dlg::OnInitDialog() {
    // The desktop as it is, before the dialog covers it.
    CopyScreen();
    if (Question(IDS_EDGE_ADJUST_QUESTION, MB_YESNO) == IDYES) {
        const std::wstring key =
            HotkeyText(*services_.strings, services_.settings->GetCalibShortKey());
        services_.boxes->ShowMessage(
            InsertArgs(services_.strings->LoadText(IDS_EDGE_ADJUST_NOTICE), {key}),
            MB_ICONINFORMATION | MB_TOPMOST);
        End(IDCANCEL);
        return TRUE;
    }
    const Rect panel = services_.screen->PanelRect();
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, panel.left, panel.top, panel.Width(), panel.Height(),
                   SWP_SHOWWINDOW);
    SetItemText(IDC_EDGE_TEXT_TOP, services_.strings->LoadText(IDS_EDGE_TOP_TEXT));
    SetItemText(IDC_EDGE_TEXT_BOTTOM, services_.strings->LoadText(IDS_EDGE_BOTTOM_TEXT));
    SetItemText(IDC_EDGE_TEXT_ESC, services_.strings->LoadText(IDS_EDGE_ESC_TEXT));
    ::UpdateWindow(Hwnd());
    Layout();
    ::SetForegroundWindow(Hwnd());
    NewAttempt();
    return TRUE;
}

void CCalibDetail2Dlg::Layout() {
    HWND bar = Item(IDC_EDGE_BAR);
    HWND panel = Item(IDC_EDGE_PANEL);
    if (!bar || !panel) return;
    const int width = services_.screen->ScreenWidth();
    const int height = services_.screen->ScreenHeight();
    const int barX = width / 2 - kBarHalfWidth;
    ::SetWindowPos(bar, HWND_TOP, barX, 0, kBarWidth, height + 1, SWP_SHOWWINDOW);

    // The template gives the panel's and the texts' sizes.
    const Rect p = ChildRect(Hwnd(), panel);
    const int panelX = barX + kBarWidth + kPanelGap;
    int panelWidth = p.Width();
    if (panelWidth > width - panelX) panelWidth = width - panelX;
    // The template's height, read before the first layout changes it.
    if (panelTemplateHeight_ == 0) panelTemplateHeight_ = p.Height();
    const int panelY = height / 2 - panelTemplateHeight_;
    // Down to the screen's lower part, so the three texts lie inside it.
    const int panelHeight = height - panelX;
    ::SetWindowPos(panel, HWND_TOP, panelX, panelY, panelWidth, panelHeight, SWP_SHOWWINDOW);
    int line = 1;
    for (const int id : kTexts) {
        const int textHeight = ItemRect(id).Height();
        ::SetWindowPos(Item(id), HWND_TOP, panelX + kTextIndent, panelY + line * textHeight,
                       panelWidth - kTextShrink, textHeight, SWP_SHOWWINDOW);
        ++line;
    }
}

void CCalibDetail2Dlg::PaintBackground(HDC dc) const {
    const Rect client = ClientRect(Hwnd());
    {
        SelectGuard brush(dc, patternBrush_.Get());
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
    }
    if (screenCopy_.Get())
        ::BitBlt(dc, 0, 0, client.right, client.bottom, screenCopy_.Get(), 0, 0, SRCAND);
}

void CCalibDetail2Dlg::RedrawControls() const {
    for (const int id : kControls)
        ::RedrawWindow(Item(id), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CCalibDetail2Dlg::PointerOnBar() const {
    const Rect bar = WindowRect(Item(IDC_EDGE_BAR));
    ::SetCursorPos(bar.right - bar.Width() / 2, CursorPosition().y);
}

void CCalibDetail2Dlg::NewAttempt() {
    ownCursor_ = true;
    edges_.Restart();
    PointerOnBar();
    ::SetCursor(upCursor_);
    WindowDC dc(Hwnd());
    if (dc.Valid()) PaintBackground(dc.Get());
    RedrawControls();
}

void CCalibDetail2Dlg::OnBarClick() {
    const Point at = CursorPosition();
    // The rows count from the panel's top, as its calibration does.
    if (!edges_.OnClick(at.y - services_.screen->PanelRect().top)) {
        ::SetCursor(downCursor_);
        ::SetCursorPos(at.x, at.y + kBottomStart);
        RedrawControls();
        return;
    }
    ownCursor_ = false;
    RedrawControls();
    const bool valid = EdgesValid(edges_.Top(), edges_.Bottom());
    if (!valid) Question(IDS_EDGE_ERROR, MB_OK);
    if (valid && Question(IDS_EDGE_APPLY_QUESTION, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        services_.live->Set(ComputeEdgeCalibration(services_.model->PresetCalibration(kModeFull),
                                                   edges_.Top(), edges_.Bottom()));
        End(IDOK);
        return;
    }
    NewAttempt();
}

bool CCalibDetail2Dlg::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDC_EDGE_BAR || code != STN_CLICKED) return false;
    OnBarClick();
    return true;
}

void CCalibDetail2Dlg::OnCancel() {
    ownCursor_ = false;
    if (Question(IDS_CALIB_EXIT_QUESTION, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        End(IDCANCEL);
        return;
    }
    NewAttempt();
}

bool CCalibDetail2Dlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    switch (message) {
    case WM_SIZE:
        Layout();
        return false;
    case WM_ERASEBKGND:
        *result = TRUE;  // the paint covers everything
        return true;
    case WM_MOUSEMOVE:
        if (ownCursor_) PointerOnBar();
        return false;
    case WM_SETCURSOR:
        if (ownCursor_) {
            ::SetCursor(edges_.Current() == EdgeCalibration::Step::Top ? upCursor_ : downCursor_);
        } else {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        }
        ::SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
        *result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id == IDC_EDGE_BAR) {
            *result = reinterpret_cast<INT_PTR>(barBrush_.Get());
            return true;
        }
        const EdgeCalibration::Step step = edges_.Current();
        const bool red = (id == IDC_EDGE_TEXT_TOP && step == EdgeCalibration::Step::Top) ||
                         (id == IDC_EDGE_TEXT_BOTTOM && step == EdgeCalibration::Step::Bottom);
        if (!red) return false;
        ::SetTextColor(dc, kCalibRed);
        ::SetBkColor(dc, ::GetSysColor(COLOR_3DFACE));
        *result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_3DFACE));
        return true;
    }
    default:
        return false;
    }
}

void CCalibDetail2Dlg::OnPaint(HDC dc) { PaintBackground(dc); }

void CCalibDetail2Dlg::OnDestroy() {
    screenSelection_.Reset();
    screenCopy_.Reset();
    screenBitmap_.Reset();
}

}  // namespace qx
