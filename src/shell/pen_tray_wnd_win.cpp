#include "shell/pen_tray_wnd_win.h"

#include <algorithm>

#include "framework/callback_guard_win.h"
#include "base/message_text.h"
#include "app/pen_driver_app_win.h"
#include "res/resource_ids.h"

namespace qx {

CPenTrayWnd::CPenTrayWnd(CPenDriverApp& app)
    : app_(app),
      calibModel_(app.Settings(), app.Screen(), app.Strings(), app.Boxes()),
      calib_(calibModel_),
      engine_(pointerOutput_),
      router_(calib_.Values(), engine_),
      link_(app.Strings(), app.Boxes()) {}

CPenTrayWnd::~CPenTrayWnd() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool CPenTrayWnd::Create() {
    HINSTANCE instance = app_.Instance();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    // Double clicks matter while the window is the calibration screen.
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &CPenTrayWnd::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTrayWndClass;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    diagnosticsMessage_ = ::RegisterWindowMessageW(kDiagnosticsMessage);
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    ::CreateWindowExW(WS_EX_TOPMOST, kTrayWndClass, L"", WS_POPUP | WS_MAXIMIZE, 0, 0, width,
                      height, nullptr, nullptr, instance, this);
    if (!hwnd_) return false;

    MarkApplied(width, height);
    calib_.UseStored();
    engine_.SetMiddleEnabled(app_.Settings().GetMiddleButon());
    return true;
}

bool CPenTrayWnd::PreTranslate(MSG* msg) {
    // The modeless test mode dialog's keys: Tab, Enter, Esc and mnemonics.
    return testModeDlg_ && testModeDlg_->PreTranslate(msg);
}

LRESULT CALLBACK CPenTrayWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<CPenTrayWnd*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CPenTrayWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = GuardedCallback<LRESULT>(
        "main window", message, 0, [&] { return self->Handle(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT CPenTrayWnd::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_PENDATA:
        return OnPenData(wParam, reinterpret_cast<const char*>(lParam));
    case WM_PENLINKENDED:
        // The board went away: nothing will lift a button the pen holds.
        // Nothing is shown; the pen stays dead until the next start.
        engine_.ReleaseHeldButton();
        return 0;
    case WM_TRAYNOTIFY:
        return OnTrayNotify(wParam, lParam);
    case WM_HOTKEY:
        OnCommand(ID_APP_CALIBRATION);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        OnDisplayChange();
        return 0;
    case WM_TIMER:
        if (wParam == kDisplayPanelTimer) {
            OnDisplayPanelTimer();
            return 0;
        }
        break;
    case WM_PAINT:
        if (crossScreen_) {
            crossScreen_->Paint();
            return 0;
        }
        break;
    case WM_CHAR:
        if (router_.Calibrating() && crossScreen_) crossScreen_->OnChar(static_cast<wchar_t>(wParam));
        break;
    case WM_DESTROY:
        Teardown();
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (message != 0 && message == diagnosticsMessage_) return OnDiagnostics(wParam);
    if (message != 0 && message == taskbarCreatedMessage_) {
        // Explorer was restarted: without the icon the driver could no longer
        // be disabled, configured or ended.
        if (icon_) icon_->AddAgain();
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CPenTrayWnd::OnCreate() {
    icon_ = std::make_unique<TrayIcon>(
        hwnd_, app_.Instance(),
        InsertArgs(app_.Strings().LoadText(IDS_TRAY_TIP), {app_.AppName()}));
    icon_->Add(true);
    boxOwner_ = std::make_unique<BoxOwnerScope>(hwnd_);

    CrossScreenServices screen;
    screen.window = hwnd_;
    screen.instance = app_.Instance();
    screen.pen = &router_;
    screen.ended = [this](bool stored) { OnCrossCalibrationEnded(stored); };
    crossScreen_ = std::make_unique<CCrossCalibScreen>(screen, CalibrationServices());

    portName_ = app_.PortName();
    const std::int32_t sleepMs = app_.Settings().GetSleepTime();
    link_.Start(hwnd_, portName_, sleepMs > 0 ? static_cast<unsigned>(sleepMs) : 0u);
    return 0;
}

LRESULT CPenTrayWnd::OnPenData(WPARAM count, const char* text) {
    // A delivery that the stopping link still had in flight is not handled.
    if (link_.Stopping() || text == nullptr) return 0;
    receivedBytes_ += static_cast<std::uint64_t>(std::find(text, text + count, '\0') - text);
    router_.OnPenData(text, count);
    return 0;
}

LRESULT CPenTrayWnd::OnDiagnostics(WPARAM query) const {
    switch (query) {
    case kDiagReceivedBytes:
        return static_cast<LRESULT>(receivedBytes_);
    case kDiagLineBufferLength:
        return static_cast<LRESULT>(router_.Decoder().PendingText().size());
    case kDiagButtonState:
        return static_cast<LRESULT>(engine_.State());
    case kDiagPenEnabled:
        return portName_.empty() ? 0 : 1;
    case kDiagReceiving:
        return link_.ThreadRunning() ? 1 : 0;
    case kDiagBusy:
        return busy_.Busy();
    default:
        return -1;
    }
}

void CPenTrayWnd::Teardown() {
    if (tornDown_) return;
    tornDown_ = true;
    app_.UnregisterCalibHotKey(hwnd_);
    if (link_.HasThread()) link_.Stop();
    DestroyTestMode();
    // No report can release a button any more: do not leave one pressed.
    engine_.ReleaseHeldButton();
    if (icon_) icon_->Delete();
    // Ended in the middle of a calibration: the cursor comes back.
    if (crossScreen_) crossScreen_->EndWithWindow();
    boxOwner_.reset();
}

}  // namespace qx
