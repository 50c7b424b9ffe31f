#include "calib/cross_screen_win.h"

#include "calib/calib_screen_win.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr int kCrossPenWidth = 3;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kPromptPointSize = 14;
// The static that holds a message box's text: the system gives it this id.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kPromptTop = 40;
constexpr int kPromptExtraHeight = 60;
constexpr wchar_t kEscape = 27;
constexpr int kClassNameChars = 16;
// Above the top-most screen, or the user could not see what to answer.
constexpr UINT kQuestionFlags = MB_YESNO | MB_ICONQUESTION | MB_TOPMOST | MB_SETFOREGROUND;


struct FindBox {
    const std::wstring* text;
    HWND found;
};

BOOL CALLBACK FindQuestionBox(HWND hwnd, LPARAM param) {
    auto* find = reinterpret_cast<FindBox*>(param);
    wchar_t name[kClassNameChars] = {};
    ::GetClassNameW(hwnd, name, kClassNameChars);
    if (std::wstring(name) != L"#32770") return TRUE;
    HWND textControl = ::GetDlgItem(hwnd, kMessageBoxTextId);
    const int length = ::GetWindowTextLengthW(textControl);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(textControl, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(length));
    if (text != *find->text) return TRUE;
    find->found = hwnd;
    return FALSE;
}

}  // namespace

CCrossCalibScreen::CCrossCalibScreen(const CrossScreenServices& window,
                                     const CalibServices& services)
    : window_(window), services_(services), prompt_(IDS_CALIB_PROMPT) {
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(kPromptPointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    const std::wstring face = services_.strings->LoadText(IDS_PROMPT_FONT);
    promptFont_.Reset(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str()));
}

CCrossCalibScreen::~CCrossCalibScreen() { EndWithWindow(); }

void CCrossCalibScreen::EndWithWindow() {
    if (promptBox_ && ::IsWindow(promptBox_)) ::DestroyWindow(promptBox_);
    promptBox_ = nullptr;
    TakePen(false);
}

void CCrossCalibScreen::TakePen(bool take) {
    if (take == penTaken_) return;
    penTaken_ = take;
    if (take) window_.pen->Attach(*this);
    else window_.pen->Detach(*this);
    ::ShowCursor(take ? FALSE : TRUE);
}

bool CCrossCalibScreen::Start() {
    if (!procedure_.Start()) return false;
    prompt_ = IDS_CALIB_PROMPT;
    startWidth_ = services_.screen->ScreenWidth();
    startHeight_ = services_.screen->ScreenHeight();
    TakePen(true);
    ::ShowWindow(window_.window, SW_SHOWMAXIMIZED);
    // Maximised is the display the window was on; the crosses sit at the
    // corners of the panel's display as it is now.
    const Rect panel = services_.screen->PanelRect();
    ::SetWindowPos(window_.window, HWND_TOPMOST, panel.left, panel.top, panel.Width(),
                   panel.Height(), 0);
    ::SetForegroundWindow(window_.window);  // Esc reaches the screen
    ::InvalidateRect(window_.window, nullptr, TRUE);
    return true;
}

void CCrossCalibScreen::BringToFront() const {
    ::SetWindowPos(window_.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(window_.window);
}

void CCrossCalibScreen::DrawCross(HDC dc, int cross, bool active) const {
    const ScreenPoint origin = CrossBoxOrigin(cross, services_.screen->ScreenWidth(), services_.screen->ScreenHeight());
    UniquePen pen(::CreatePen(PS_SOLID, kCrossPenWidth, active ? kCalibRed : kBlack));
    SelectGuard select(dc, pen.Get());
    const int size = 2 * kCrossMargin;
    ::MoveToEx(dc, origin.x, origin.y + kCrossMargin, nullptr);
    ::LineTo(dc, origin.x + size, origin.y + kCrossMargin);
    ::MoveToEx(dc, origin.x + kCrossMargin, origin.y, nullptr);
    ::LineTo(dc, origin.x + kCrossMargin, origin.y + size);
}

void CCrossCalibScreen::DrawCrossNow(int cross, bool active) const {
    HDC dc = ::GetDC(window_.window);
    if (!dc) return;
    DrawCross(dc, cross, active);
    ::ReleaseDC(window_.window, dc);
}

void CCrossCalibScreen::Paint() {
    PaintDC paint(window_.window);
    for (int k = 0; k < kCrossCount; ++k) DrawCross(paint.Get(), k, false);
    // The cross the procedure waits for: a repaint in the middle of the
    // procedure must not point the user back at the first one.
    const int step = procedure_.Step();
    DrawCross(paint.Get(), step < kCrossCount ? step : kCrossTopRight, step < kCrossCount);
    if (procedure_.Active()) ShowPrompt(prompt_);
}

void CCrossCalibScreen::ShowPrompt(unsigned id) {
    prompt_ = id;
    const int width = services_.screen->ScreenWidth();
    const int height = services_.screen->ScreenHeight();
    const RECT r{width / 4, kPromptTop, (width / 4) * 3, (height / 5) * 2 + kPromptExtraHeight};
    if (!promptBox_ || !::IsWindow(promptBox_)) {
        promptBox_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_LEFT,
                                       r.left, r.top, r.right - r.left, r.bottom - r.top,
                                       window_.window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CALIB_PROMPT_BOX)),
                                       window_.instance, nullptr);
    } else {
        ::MoveWindow(promptBox_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    if (!promptBox_) return;
    ::SendMessageW(promptBox_, WM_SETFONT, reinterpret_cast<WPARAM>(promptFont_.Get()), TRUE);
    ::SetWindowTextW(promptBox_, services_.strings->LoadText(id).c_str());
}

bool CCrossCalibScreen::OnPenLine(const PenEvent& line) { return procedure_.OnPenLine(line); }

void CCrossCalibScreen::OnDeliveryEnd() { Act(procedure_.TakeEvent()); }

void CCrossCalibScreen::Act(CrossCalibration::Event event) {
    using Event = CrossCalibration::Event;
    // An answer that comes back after the program began to end stores nothing.
    if (!::IsWindow(window_.window)) return;
    switch (event) {
    case Event::Advanced:
        DrawCrossNow(procedure_.Step() - 1, false);
        DrawCrossNow(procedure_.Step(), true);
        break;
    case Event::AskConfirm:
        DrawCrossNow(kCrossTopRight, false);
        Ask();
        break;
    case Event::Accepted:
        CloseOpenQuestion();
        Accept();
        break;
    case Event::Restarted:
        CloseOpenQuestion();
        Restart();
        break;
    case Event::Left:
        End(false);
        break;
    case Event::None:
    case Event::Ignored:
        break;
    }
}

void CCrossCalibScreen::Ask() {
    ShowPrompt(IDS_CALIB_CONFIRM_PROMPT);
    // The pen answers as well as the keys: let the receive thread go on (its
    // bytes are in the line buffer already) and let its deliveries reach the
    // procedure while the box is open.
    if (::InSendMessage()) ::ReplyMessage(0);
    const unsigned ticket = procedure_.Ticket();
    openQuestion_ = services_.strings->LoadText(IDS_CALIB_CONFIRM_QUESTION);
    const std::wstring question = openQuestion_;
    int answer = 0;
    {
        PenReentry reentry(*window_.pen);
        answer = services_.boxes->ShowMessage(question, kQuestionFlags);
    }
    openQuestion_.clear();
    Act(procedure_.OnConfirmAnswer(ticket, answer == IDYES, *window_.pen));
}

void CCrossCalibScreen::CloseOpenQuestion() const {
    if (openQuestion_.empty()) return;
    FindBox find{&openQuestion_, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindQuestionBox, reinterpret_cast<LPARAM>(&find));
    // Its answer is stale now and ignored; No is the button every such box has.
    if (find.found) ::PostMessageW(find.found, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
}

void CCrossCalibScreen::Accept() {
    const int width = services_.screen->ScreenWidth();
    const int height = services_.screen->ScreenHeight();
    // The crosses were touched on a desktop of another size: nothing fits.
    const bool sameSize = width == startWidth_ && height == startHeight_;
    if (sameSize) {
        services_.live->Set(ComputeCrossCalibration(procedure_.Points(), width, height));
    }
    End(sameSize);
}

void CCrossCalibScreen::End(bool stored) {
    TakePen(false);
    ::ShowWindow(window_.window, SW_HIDE);
    if (window_.ended) window_.ended(stored);
}

void CCrossCalibScreen::Restart() {
    DrawCrossNow(kCrossTopRight, false);
    DrawCrossNow(kCrossTopLeft, true);
    ShowPrompt(IDS_CALIB_PROMPT);
}

void CCrossCalibScreen::OnChar(wchar_t ch) {
    if (ch != kEscape || !procedure_.Active()) return;
    const int answer = services_.boxes->ShowMessage(
        services_.strings->LoadText(IDS_CALIB_EXIT_QUESTION), kQuestionFlags);
    const int waited = procedure_.Step();
    const CrossCalibration::Event event =
        procedure_.OnEscAnswer(answer == IDYES, *window_.pen);
    if (event == CrossCalibration::Event::Restarted) {
        DrawCrossNow(waited < kCrossCount ? waited : kCrossTopRight, false);
        ShowPrompt(IDS_CALIB_PROMPT);
        DrawCrossNow(kCrossTopLeft, true);
        return;
    }
    Act(event);
}

}  // namespace qx
