#include "probe_tray_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "probe_find_win.h"
#include "probe_output_win.h"
#include "shell/tray_icon_win.h"

namespace qx::probe {
namespace {

// Icon window classes of Wine's X11 tray and of Wine's explorer tray.
constexpr const wchar_t* kIconClasses[] = {L"__winex11_tray_icon", L"__wine_tray_icon"};
constexpr const wchar_t* kTooltipClass = L"tooltips_class32";

bool IsIconClass(const std::wstring& cls) {
    for (const wchar_t* name : kIconClasses) {
        if (cls == name) return true;
    }
    return false;
}

BOOL CALLBACK CollectIconChild(HWND hwnd, LPARAM param) {
    if (IsWindowVisible(hwnd) && IsIconClass(ClassOf(hwnd))) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK CollectIconTopLevel(HWND hwnd, LPARAM param) {
    // A docked icon is a top-level window; a stand-alone one a child.
    CollectIconChild(hwnd, param);
    EnumChildWindows(hwnd, &CollectIconChild, param);
    return TRUE;
}

struct TooltipSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TooltipSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->processId && ClassOf(hwnd) == kTooltipClass) search->found.push_back(hwnd);
    return TRUE;
}

// The visible icon windows of the notification area, in the shell's order.
std::vector<HWND> FindTrayIcons() {
    std::vector<HWND> icons;
    EnumWindows(&CollectIconTopLevel, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

// Top-level tooltip windows of one process (the shell keeps one per icon).
std::vector<HWND> FindTooltips(DWORD processId) {
    TooltipSearch search{processId, {}};
    EnumWindows(&CollectTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The tooltip control shows after its initial delay once the cursor rests
// on the icon; moving by one pixel now and then restarts a missed hover.
constexpr DWORD kHoverNudgeMs = 1000;
constexpr DWORD kTextTimeoutMs = 2000;
constexpr const wchar_t* kTaskbarCreated = L"TaskbarCreated";

// A number option, or the fallback when it is absent; false when malformed.
bool NumberOption(const Args& args, const std::wstring& name, long long fallback,
                  long long& value) {
    value = fallback;
    return args.GetNumber(name, value);
}

// The shell's first icon, waited for until the deadline.
HWND WaitForIcon(const Deadline& deadline) {
    do {
        const std::vector<HWND> icons = FindTrayIcons();
        if (!icons.empty()) return icons.front();
    } while (PollPause(deadline));
    return nullptr;
}

// A visible tooltip of the shell with text: the one the hover brought up.
bool ShownTip(DWORD shellPid, std::wstring& text) {
    for (HWND tip : FindTooltips(shellPid)) {
        if (!IsWindowVisible(tip)) continue;
        text = TextOf(tip, Deadline(kTextTimeoutMs));
        if (!text.empty()) return true;
    }
    return false;
}

}  // namespace

int CmdIcons(const Args& options, const Deadline& deadline) {
    long long wanted = 0;
    if (!NumberOption(options, L"equals", -1, wanted)) return kExitUsage;
    std::size_t count = 0;
    do {
        const std::vector<HWND> icons = FindTrayIcons();
        count = icons.size();
        if (wanted < 0 || count == static_cast<std::size_t>(wanted)) {
            Out(L"icons " + std::to_wstring(count));
            for (HWND icon : icons) {
                RECT r{};
                GetWindowRect(icon, &r);
                Out(L"icon " + HwndText(icon) + L" " + std::to_wstring(r.left) + L" " +
                    std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L" " +
                    std::to_wstring(r.bottom - r.top));
            }
            return kExitOk;
        }
    } while (PollPause(deadline));
    Out(L"timeout icons " + std::to_wstring(count));
    return kExitFailed;
}

int CmdTip(const Args&, const Deadline& deadline) {
    const HWND icon = WaitForIcon(deadline);
    if (!icon) {
        Out(L"timeout no icon");
        return kExitFailed;
    }
    DWORD shellPid = 0;
    GetWindowThreadProcessId(icon, &shellPid);
    RECT rect{};
    GetWindowRect(icon, &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    POINT saved{};
    GetCursorPos(&saved);
    std::wstring text;
    bool shown = false;
    ULONGLONG nextNudge = 0;
    int nudge = 0;
    do {
        if (GetTickCount64() >= nextNudge) {
            SetCursorPos(x + nudge, y);
            nudge = 1 - nudge;
            nextNudge = GetTickCount64() + kHoverNudgeMs;
        }
        shown = ShownTip(shellPid, text);
    } while (!shown && PollPause(deadline));
    SetCursorPos(saved.x, saved.y);
    if (!shown) {
        Out(L"timeout no tooltip for icon " + HwndText(icon));
        return kExitFailed;
    }
    Out(L"tip " + Escape(text));
    return kExitOk;
}

int CmdClick(const Args& options, const Deadline& deadline) {
    const std::wstring button = options.Get(L"button", L"left");
    UINT down = 0;
    UINT up = 0;
    if (button == L"left") {
        down = WM_LBUTTONDOWN;
        up = WM_LBUTTONUP;
    } else if (button == L"right") {
        down = WM_RBUTTONDOWN;
        up = WM_RBUTTONUP;
    } else {
        return kExitUsage;
    }
    const HWND icon = WaitForIcon(deadline);
    if (!icon) {
        Out(L"timeout no icon");
        return kExitFailed;
    }
    RECT client{};
    GetClientRect(icon, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    // Posted: the owner's answer (a menu) runs its own loop.
    if (!PostMessageW(icon, down, MK_LBUTTON, at) || !PostMessageW(icon, up, 0, at)) {
        Out(L"error post failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"clicked " + HwndText(icon));
    return kExitOk;
}

int CmdForget(const Args& options, const Deadline& deadline) {
    long long id = 0;
    if (!NumberOption(options, L"id", qx::kTrayIconId, id)) return kExitUsage;
    const std::wstring cls = options.Get(L"class", kMainWindowClass);
    HWND owner = nullptr;
    do {
        owner = FindWindowW(cls.c_str(), nullptr);
    } while (!owner && PollPause(deadline));
    if (!owner) {
        Out(L"error no window of class " + cls);
        return kExitFailed;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = owner;
    data.uID = static_cast<UINT>(id);
    const BOOL deleted = Shell_NotifyIconW(NIM_DELETE, &data);
    Out(std::wstring(L"forgot ") + (deleted ? L"1" : L"0"));
    return deleted ? kExitOk : kExitFailed;
}

int CmdTaskbarCreated(const Args&, const Deadline&) {
    const UINT message = RegisterWindowMessageW(kTaskbarCreated);
    // As the shell announces itself: to every top-level window, not waiting.
    if (!message || !SendNotifyMessageW(HWND_BROADCAST, message, 0, 0)) {
        Out(L"error broadcast failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"broadcast");
    return kExitOk;
}

int CmdMode(const Args& options, const Deadline&) {
    long long width = 0;
    long long height = 0;
    long long freq = 0;
    if (options.Positional().size() != 2 || !ParseNumber(options.Positional()[0], width) ||
        !ParseNumber(options.Positional()[1], height) || !NumberOption(options, L"freq", 0, freq)) {
        return kExitUsage;
    }
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (options.Has(L"freq")) {
        mode.dmDisplayFrequency = static_cast<DWORD>(freq);
        mode.dmFields |= DM_DISPLAYFREQUENCY;
    }
    const LONG result = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr);
    Out(L"mode result=" + std::to_wstring(result) + L" screen " +
        std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" " +
        std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    return result == DISP_CHANGE_SUCCESSFUL ? kExitOk : kExitFailed;
}

int CmdCurrentMode(const Args&, const Deadline&) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        Out(L"error EnumDisplaySettings failed");
        return kExitFailed;
    }
    Out(L"current " + std::to_wstring(mode.dmPelsWidth) + L" " + std::to_wstring(mode.dmPelsHeight) +
        L" " + std::to_wstring(mode.dmDisplayFrequency));
    return kExitOk;
}

}  // namespace qx::probe
