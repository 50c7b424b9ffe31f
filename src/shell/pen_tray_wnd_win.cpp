#include "shell/pen_tray_wnd_win.h"

#include <algorithm>
#include <utility>

#include "framework/callback_guard_win.h"
#include "framework/private_ids.h"
#include "base/message_text.h"
#include "res/resource_ids.h"

namespace qx {

CPenTrayWnd::CPenTrayWnd(TrayWndServices services)
    : services_(std::move(services)),
      calibModel_(*services_.settings, *services_.screen, *services_.strings, *services_.boxes),
      calib_(calibModel_),
      engine_(pointerOutput_),
      router_(calib_.Values(), engine_),
      link_(*services_.strings, *services_.boxes) {}

CPenTrayWnd::~CPenTrayWnd() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool CPenTrayWnd::Create() {
    HINSTANCE instance = services_.instance;
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

    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    const Rect panel = services_.screen->PanelRect();
    ::CreateWindowExW(WS_EX_TOPMOST, kTrayWndClass, L"", WS_POPUP | WS_MAXIMIZE, panel.left,
                      panel.top, panel.Width(), panel.Height(), nullptr, nullptr, instance, this);
    if (!hwnd_) return false;

    calibration_->StartOnPanel();
    calib_.UseStored();
    engine_.SetMiddleEnabled(services_.settings->GetMiddleButon());
    return true;
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
    if (message == WM_CREATE) return OnCreate();
    // Everything below is handed on to the objects WM_CREATE made.
    if (!commands_) return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    switch (message) {
    case WM_PENDATA:
        return OnPenData(wParam, reinterpret_cast<const char*>(lParam));
    case WM_PENLINKENDED:
        // The board went away: nothing will lift a button the pen holds.
        // Nothing is shown; the port is opened again when the device is back.
        engine_.ReleaseHeldButton();
        port_->OnLinkEnded();
        return 0;
    case WM_DEVICECHANGE:
        port_->OnDeviceChange(wParam, lParam);
        return TRUE;
    case WM_TRAYNOTIFY:
        return commands_->OnTrayNotify(wParam, lParam);
    case WM_HOTKEY:
        commands_->OnCommand(ID_APP_CALIBRATION);
        return 0;
    case WM_COMMAND:
        commands_->OnCommand(LOWORD(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        calibration_->OnDisplayChange();
        return 0;
    case WM_PANELDISPLAYCHANGED:
        calibration_->OnPanelDisplayChanged();
        return 0;
    case WM_TIMER:
        if (wParam == kPortRetryTimer) port_->OnRetryTimer();
        if (wParam != kDisplayPanelTimer) break;
        calibration_->OnDisplayPanelTimer();
        return 0;
    case WM_PAINT:
        calibration_->CrossScreen()->Paint();
        return 0;
    case WM_CHAR:
        if (router_.Calibrating()) calibration_->CrossScreen()->OnChar(static_cast<wchar_t>(wParam));
        break;
    case WM_DESTROY:
        Teardown();
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (message != 0 && message == diag_->Message()) return diag_->Answer(wParam);
    if (message != 0 && message == taskbarCreatedMessage_) {
        // Explorer was restarted: without the icon the driver could no longer
        // be disabled, configured or ended.
        icon_->AddAgain();
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CPenTrayWnd::OnCreate() {
    icon_ = std::make_unique<TrayIcon>(
        hwnd_, services_.instance,
        InsertArgs(services_.strings->LoadText(IDS_TRAY_TIP), {services_.appName}));
    icon_->Add(true);
    boxOwner_ = std::make_unique<BoxOwnerScope>(hwnd_);

    const CalibServices calib{&calibModel_, services_.settings, services_.strings,
                              services_.boxes, services_.screen, &calib_};
    CalibControllerServices calibration{calib, {}, &busy_, &tornDown_,
                                        [this](ScreenPoint origin) { router_.SetOrigin(origin); }};
    calibration.hotkey.registerKey = [this](unsigned key) { return services_.registerHotKey(hwnd_, key); };
    calibration.hotkey.unregisterKey = [this] { services_.unregisterHotKey(hwnd_); };
    calibration.hotkey.osVersionClass = services_.osVersionClass;
    const CrossScreenServices screen{hwnd_, services_.instance,
                                     &router_, {}};
    calibration_ = std::make_unique<CCalibController>(calibration, screen);

    DiagControllerServices diag{hwnd_, services_.instance,
                                TestModeServices{calib, &router_.Decoder(), &engine_, services_.osVersionClass},
                                [this](SmallButtonObserver* marks) { router_.SetObserver(marks); },
                                {&receivedBytes_, &link_, &busy_,
                                 [this] { return !commands_->PortName().empty(); }}};
    diag_ = std::make_unique<CDiagController>(std::move(diag));

    commands_ = std::make_unique<CTrayCommands>(TrayCommandServices{
        hwnd_, services_.instance, services_.appName, services_.portName, services_.settings,
        services_.strings, services_.boxes, services_.properties, &busy_, &link_, &engine_,
        icon_.get(), calibration_.get(), diag_.get(), services_.screen});

    const std::int32_t sleepMs = services_.settings->GetSleepTime();
    port_ = std::make_unique<PortReconnector>(PortReconnectServices{
        hwnd_, &link_, services_.portName, sleepMs > 0 ? static_cast<unsigned>(sleepMs) : 0u,
        services_.strings, services_.boxes, [this] { router_.NewStream(); }});
    port_->Start();
    return 0;
}

LRESULT CPenTrayWnd::OnPenData(WPARAM count, const char* text) {
    // A delivery that the stopping link still had in flight is not handled.
    if (link_.Stopping() || text == nullptr) return 0;
    receivedBytes_ += static_cast<std::uint64_t>(std::find(text, text + count, '\0') - text);
    router_.OnPenData(text, count);
    return 0;
}

void CPenTrayWnd::Teardown() {
    if (tornDown_) return;
    tornDown_ = true;
    services_.unregisterHotKey(hwnd_);
    port_->Stop();
    diag_->DestroyTestMode();
    // No report can release a button any more: do not leave one pressed.
    engine_.ReleaseHeldButton();
    icon_->Delete();
    // Ended in the middle of a calibration: the cursor comes back.
    calibration_->CrossScreen()->EndWithWindow();
    boxOwner_.reset();
}

}  // namespace qx
