#include "app/pen_driver_app_win.h"

#include <commctrl.h>

#include <utility>

#include "base/message_text.h"
#include "base/startup_rules.h"
#include "app/version_info_win.h"
#include "calib/calib_model.h"
#include "props/prop_set_sheet_win.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr UINT kCalibHotKeyModifiers = MOD_CONTROL | MOD_SHIFT;

SettingsKeys LoadKeys(const Win32Strings& strings) {
    SettingsKeys keys;
    keys.maker = strings.LoadAscii(IDS_MAKER_KEY);
    keys.settings = strings.LoadAscii(IDS_SETTINGS_SUBKEY);
    keys.product = strings.LoadAscii(IDS_PRODUCT_SUBKEY);
    return keys;
}

}  // namespace

CPenDriverApp::CPenDriverApp(HINSTANCE instance)
    : instance_(instance),
      strings_(instance),
      boxes_(strings_),
      settings_(registry_, systemParams_, LoadKeys(strings_)),
      screen_(settings_) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (QueryVersionInfo(&info)) {
        osVersionClass_ = qx::OsVersionClass(true, info.dwPlatformId, info.dwMajorVersion,
                                         info.dwMinorVersion, osVersionClass_);
    }
    // The application has no name yet at this point, so the atom is the
    // unnamed one (0): the identifier every hotkey registration uses.
    hotKeyId_ = ::GlobalAddAtomA(nullptr);
}

CPenDriverApp::~CPenDriverApp() = default;

BOOL CPenDriverApp::InitInstance(const std::wstring& arguments) {
    appName_ = strings_.LoadText(IDS_APP_NAME);

    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&controls);

    registry_.CreateKey(Hive::LocalMachine, settings_.MakerKeyPath());
    registry_.CreateKey(Hive::CurrentUser, settings_.MakerKeyPath());

    saved_ = ReadPointerMetrics();
    if (settings_.GetSingleClickType() == 1) ApplyDragSize(settings_.GetSingleClick());
    portName_ = settings_.GetUsePort();

    if (IsInstallCommandLine(arguments)) {
        RunInstallMode();
        return FALSE;
    }

    // One call both claims the name and tells whether it was taken: an
    // open-then-create pair would let two copies started at the same moment
    // (autostart and a double-click at logon) both become resident.
    const std::string mutexName = strings_.LoadAscii(IDS_APP_NAME);
    UniqueHandle mutex(::CreateMutexA(nullptr, FALSE, mutexName.c_str()));
    if (InstanceMutexDecision(mutex.Valid(), ::GetLastError()) != InstanceDecision::Resident) {
        mutex.Reset();
        boxes_.ShowMessage(InsertArgs(strings_.LoadText(IDS_ALREADY_RUNNING), {appName_}),
                           MB_ICONSTOP | MB_OK);
        return FALSE;
    }
    instanceMutex_ = std::move(mutex);

    ApplyDoubleClickSettings();

    mainWnd_ = std::make_unique<CPenTrayWnd>(WindowServices());
    if (!mainWnd_->Create()) return FALSE;
    ::ShowWindow(mainWnd_->Hwnd(), SW_HIDE);
    ::UpdateWindow(mainWnd_->Hwnd());

    const unsigned key = HotKeyCode(settings_.GetCalibShortKey());
    if (!RegisterCalibHotKey(mainWnd_->Hwnd(), key))
        boxes_.ShowMessage(strings_.LoadText(IDS_HOTKEY_FAILED), MB_ICONEXCLAMATION | MB_OK);

    settings_.SetQXdrvVersion(strings_.LoadAscii(IDS_VERSION_STAMP));
    return TRUE;
}

TrayWndServices CPenDriverApp::WindowServices() {
    TrayWndServices services;
    services.instance = instance_;
    services.appName = appName_;
    services.portName = portName_;
    services.osVersionClass = osVersionClass_;
    services.settings = &settings_;
    services.strings = &strings_;
    services.boxes = &boxes_;
    services.screen = &screen_;
    services.properties = [this] { return PropertyServices(); };
    services.registerHotKey = [this](HWND window, unsigned key) {
        return RegisterCalibHotKey(window, key) != FALSE;
    };
    services.unregisterHotKey = [this](HWND window) { UnregisterCalibHotKey(window); };
    return services;
}

PropServices CPenDriverApp::PropertyServices() {
    PropServices services;
    services.settings = &settings_;
    services.strings = &strings_;
    services.boxes = &boxes_;
    services.ports = ports_;
    services.portList = &portList_;
    services.threads = &threads_;
    services.appPort = portName_;
    services.rightsNotice = &rightsNotice_;
    services.system = &systemParams_;
    services.startDragWidth = saved_.dragWidth;
    services.startDragHeight = saved_.dragHeight;
    return services;
}

void CPenDriverApp::RunInstallMode() {
    if (!portName_.empty()) return;
    boxes_.ShowMessage(strings_.LoadText(IDS_INSTALL_SET_PORT),
                       MB_ICONINFORMATION | MB_SYSTEMMODAL);
    const INT_PTR result = CPropSetSheet(instance_, PropertyServices(), IDS_PROPERTIES_CAPTION,
                                         nullptr, 0, SheetMode::Setup)
                               .DoModal();
    // Left without a choice (no port on the machine, or not now): nothing
    // is stored, and the user is told how to come back to it.
    if (result != IDOK || settings_.GetUsePort().empty()) {
        boxes_.ShowMessage(strings_.LoadText(IDS_INSTALL_NOT_SET), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    boxes_.ShowMessage(strings_.LoadText(IDS_INSTALL_PORT_APPLIED), MB_ICONINFORMATION);
    CalibrationModel(settings_, screen_, strings_, boxes_).ApplyInstallPreset();
}

void CPenDriverApp::ApplyDoubleClickSettings() {
    // These reads apply the double-click area and time to the system.
    settings_.GetDblClick();
    settings_.GetDblClickInterval();
}

int CPenDriverApp::Run() {
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (mainWnd_ && mainWnd_->PreTranslate(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int CPenDriverApp::ExitInstance(int exitCode) {
    mainWnd_.reset();
    ::GlobalDeleteAtom(hotKeyId_);
    RestorePointerMetrics(systemParams_, saved_);
    if (instanceMutex_.Valid()) ::ReleaseMutex(instanceMutex_.Get());
    instanceMutex_.Reset();
    return exitCode;
}

BOOL CPenDriverApp::RegisterCalibHotKey(HWND window, unsigned key) {
    return ::RegisterHotKey(window, hotKeyId_, kCalibHotKeyModifiers, key);
}

void CPenDriverApp::UnregisterCalibHotKey(HWND window) { ::UnregisterHotKey(window, hotKeyId_); }

void CPenDriverApp::ApplyDragSize(int pixels) { qx::ApplyDragSize(systemParams_, pixels); }

}  // namespace qx
