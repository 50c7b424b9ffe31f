#include "shell/tray_commands_win.h"

#include <cwchar>
#include <utility>

#include "base/message_text.h"
#include "base/win_ports_win.h"
#include "framework/gdi_owners_win.h"
#include "framework/scoped_handles_win.h"
#include "props/about_dlg_win.h"
#include "props/prop_set_sheet_win.h"
#include "res/resource_ids.h"
#include "shell/tray_menu.h"

namespace qx {
namespace {

constexpr int kClassNameChars = 260;

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
        case MenuEntry::Kind::Separator:
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            break;
        case MenuEntry::Kind::SubMenu: {
            UniqueMenu sub(::CreatePopupMenu());
            AppendEntries(sub.Get(), e.children);
            // The parent destroys the sub-menu with itself.
            ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.Release()),
                          e.text.c_str());
            break;
        }
        case MenuEntry::Kind::Command:
            ::AppendMenuW(menu, MF_STRING | (e.checked ? MF_CHECKED : MF_UNCHECKED), e.id,
                          e.text.c_str());
            break;
        }
    }
}

BOOL CALLBACK FindNotifyArea(HWND child, LPARAM found) {
    wchar_t name[kClassNameChars] = {};
    ::GetClassNameW(child, name, kClassNameChars);
    if (std::wcscmp(name, L"TrayNotifyWnd") == 0) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// The notification area's screen rectangle, or all zeros without a taskbar.
MenuRect NotifyAreaRect() {
    MenuRect rect;
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!taskbar) return rect;
    HWND area = nullptr;
    ::EnumChildWindows(taskbar, &FindNotifyArea, reinterpret_cast<LPARAM>(&area));
    RECT r;
    if (area && ::GetWindowRect(area, &r)) rect = MenuRect{r.left, r.top, r.right, r.bottom};
    return rect;
}

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

CTrayCommands::CTrayCommands(TrayCommandServices services)
    : services_(std::move(services)), portName_(services_.portName) {}

LRESULT CTrayCommands::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId) return 0;
    if (mouseMessage != WM_MOUSEMOVE) ::SetForegroundWindow(services_.window);
    if (mouseMessage == WM_LBUTTONUP) ShowTrayMenu();
    return 0;
}

void CTrayCommands::ShowTrayMenu() {
    TrayMenuState state;
    state.penEnabled = !portName_.empty();
    state.busy = services_.busy->Busy() != 0;
    // The panel's display: the one whose calibration is live.
    state.width = services_.screen->ScreenWidth();
    state.height = services_.screen->ScreenHeight();
    state.frequency = PanelFrequency(*services_.screen);

    UniqueMenu menu(::CreatePopupMenu());
    AppendEntries(menu.Get(), BuildTrayMenu(state, *services_.strings));

    int screenWidth = 0;
    int screenHeight = 0;
    {
        WindowDC dc(services_.window);
        screenWidth = ::GetDeviceCaps(dc.Get(), HORZRES);
        screenHeight = ::GetDeviceCaps(dc.Get(), VERTRES);
    }
    const MenuPoint at = MenuPlacement(NotifyAreaRect(), screenWidth, screenHeight);
    ::TrackPopupMenuEx(menu.Get(), 0, at.x, at.y, services_.window, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    ::PostMessageW(services_.window, WM_NULL, 0, 0);
}

template <typename Command>
void CTrayCommands::RunExclusive(Command&& command) {
    if (!services_.busy->RunExclusive(std::forward<Command>(command))) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    services_.calibration->ResumeDisplayChange();
}

void CTrayCommands::OnCommand(unsigned id) {
    switch (id) {
    case ID_APP_DISABLE_PORT:
        RunExclusive([this] { OnDisableComPort(); });
        break;
    case ID_APP_HELP:
        RunExclusive([this] { OnHelp(); });
        break;
    case ID_APP_ABOUT:
        RunExclusive([this] { OnAbout(); });
        break;
    case ID_APP_EXIT:
        RunExclusive([this] { OnExit(); });
        break;
    case ID_APP_CALIBRATION:
        // A calibration that runs already is brought to the front instead.
        if (services_.calibration->BringRunningToFront()) {
            ::MessageBeep(MB_ICONEXCLAMATION);
            break;
        }
        RunExclusive([this] { services_.calibration->OnCalibration(); });
        break;
    case ID_APP_PROPERTIES:
        RunExclusive([this] { OnProperties(); });
        break;
    case ID_APP_TEST_MODE:
        // Modeless: no busy rule.
        services_.diagnostics->OnTestMode();
        break;
    default:
        break;  // the resolution line, among others, does nothing
    }
}

void CTrayCommands::OnDisableComPort() {
    if (!portName_.empty()) {
        const int answer = services_.boxes->ShowMessage(
            services_.strings->LoadText(IDS_DISABLE_PORT_QUESTION), MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) return;
        portName_.clear();
        services_.link->SetDelivery(0);
        // The pen can no longer lift a button it holds: lift it now.
        services_.engine->ReleaseHeldButton();
        services_.icon->SetPenEnabled(false);
    } else {
        portName_ = services_.portName;
        services_.link->SetDelivery(1);
        services_.icon->SetPenEnabled(true);
    }
}

void CTrayCommands::OnHelp() {
    const HelpChoice help =
        ChooseHelpHere(ExecutablePath(), services_.strings->LoadText(IDS_HELP_FILE));
    if (!help.winHelpFile.empty()) {
        ::WinHelpW(services_.window, help.winHelpFile.c_str(), HELP_FINDER, 0);
        return;
    }
    UINT message = IDS_HELP_MISSING;
    if (help.found) {
        switch (help_.ShowContents(services_.window, help.htmlHelpFile)) {
        case HtmlHelpViewer::Result::Shown: return;
        case HtmlHelpViewer::Result::NoViewer: message = IDS_HELP_NO_VIEWER; break;
        case HtmlHelpViewer::Result::Refused: message = IDS_HELP_REFUSED; break;
        }
    }
    services_.boxes->ShowMessage(InsertArgs(services_.strings->LoadText(message), {help.htmlHelpFile}),
                             MB_ICONEXCLAMATION | MB_OK);
}

void CTrayCommands::OnAbout() { CAboutDlg(services_.instance).DoModal(nullptr); }

void CTrayCommands::OnProperties() {
    CPropSetSheet sheet(services_.instance, services_.properties(), IDS_PROPERTIES_CAPTION, services_.window, 0,
                        SheetMode::Normal);
    // A changed port waits for the next start; the small button's role
    // takes effect at once.
    if (sheet.DoModal() == IDOK) services_.engine->SetMiddleEnabled(services_.settings->GetMiddleButon());
}

void CTrayCommands::OnExit() {
    const std::wstring question =
        InsertArgs(services_.strings->LoadText(IDS_QUIT_QUESTION), {services_.appName});
    if (services_.boxes->ShowMessage(question, MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL) == IDYES)
        ::DestroyWindow(services_.window);
}

}  // namespace qx
