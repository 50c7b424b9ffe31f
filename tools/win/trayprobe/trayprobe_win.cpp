// trayprobe: looks at the driver's notification-area icon as the shell shows
// it, from a second Win32 process.
//
//   trayprobe [--timeout MS] COMMAND [OPTIONS] [--timeout MS]
//
//   icons [--equals N]           "icons N", then "icon HWND X Y W H" (screen
//                                rectangle) per visible icon window of the
//                                shell; with --equals waits until there are N
//   tip [--index I]              hovers icon I (default 0) with the cursor until
//                                the shell shows its tooltip: "tip TEXT"
//   click [--index I] [--button left|right]
//                                the button pressed and released on icon I, as
//                                the shell's icon window gets it: "clicked HWND"
//   forget [--class C] [--id N]  makes the shell drop the icon N (default the
//                                driver's) of the first window of class C
//                                (default the driver's), as a restarted shell
//                                has: "forgot 1|0"
//   taskbar-created              broadcasts "TaskbarCreated": "broadcast"
//   mode W H [--freq F]          ChangeDisplaySettingsExA: "mode result=R screen W H"
//   current-mode                 "current W H F" (EnumDisplaySettings, this process)
//
// Exit codes: 0 success, 1 the condition failed or a wait timed out (default
// 5000 ms), 2 bad usage. Texts are escaped (\r \n \t \\ \xNN), output UTF-8.
#include <windows.h>

#include <shellapi.h>

#include <set>
#include <string>
#include <vector>

#include "probe_args_win.h"
#include "probe_output_win.h"
#include "shell/tray_icon_win.h"
#include "tray_windows_win.h"

namespace {

using qx::probe::Args;
using qx::probe::Deadline;
using qx::probe::Escape;
using qx::probe::HwndText;
using qx::probe::kExitFailed;
using qx::probe::kExitOk;
using qx::probe::kExitUsage;
using qx::probe::Out;
using qx::probe::ParseNumber;
using qx::probe::PollPause;

constexpr DWORD kDefaultTimeoutMs = 5000;
// The tooltip control shows after its initial delay once the cursor rests
// on the icon; moving by one pixel now and then restarts a missed hover.
constexpr DWORD kHoverNudgeMs = 1000;
constexpr DWORD kTextTimeoutMs = 2000;
// The driver's main window, owner of its icon.
constexpr const wchar_t* kDriverWindowClass = L"QXdrvTrayWnd";
constexpr const wchar_t* kTaskbarCreated = L"TaskbarCreated";

// A number option, or the fallback when it is absent; false when malformed.
bool NumberOption(const Args& args, const std::wstring& name, long long fallback,
                  long long& value) {
    value = fallback;
    return args.GetNumber(name, value);
}

// Icon I of the shell, waited for until the deadline.
HWND WaitForIcon(long long index, const Deadline& deadline) {
    do {
        const std::vector<HWND> icons = qx::trayprobe::FindTrayIcons();
        if (index >= 0 && static_cast<std::size_t>(index) < icons.size()) {
            return icons[static_cast<std::size_t>(index)];
        }
    } while (PollPause(deadline));
    return nullptr;
}

int CmdIcons(const Args& options, const Deadline& deadline) {
    long long wanted = 0;
    if (!NumberOption(options, L"equals", -1, wanted)) return kExitUsage;
    std::size_t count = 0;
    do {
        const std::vector<HWND> icons = qx::trayprobe::FindTrayIcons();
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

// A visible tooltip of the shell with text: the one the hover brought up.
bool ShownTip(DWORD shellPid, std::wstring& text) {
    for (HWND tip : qx::trayprobe::FindTooltips(shellPid)) {
        if (!IsWindowVisible(tip)) continue;
        text = qx::trayprobe::TextOf(tip, kTextTimeoutMs);
        if (!text.empty()) return true;
    }
    return false;
}

int CmdTip(const Args& options, const Deadline& deadline) {
    long long index = 0;
    if (!NumberOption(options, L"index", 0, index)) return kExitUsage;
    const HWND icon = WaitForIcon(index, deadline);
    if (!icon) {
        Out(L"timeout no icon " + std::to_wstring(index));
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
    long long index = 0;
    if (!NumberOption(options, L"index", 0, index)) return kExitUsage;
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
    const HWND icon = WaitForIcon(index, deadline);
    if (!icon) {
        Out(L"timeout no icon " + std::to_wstring(index));
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
    const std::wstring cls = options.Get(L"class", kDriverWindowClass);
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

struct Command {
    const wchar_t* name;
    int (*run)(const Args&, const Deadline&);
};

const Command kCommands[] = {
    {L"icons", &CmdIcons},       {L"tip", &CmdTip},
    {L"click", &CmdClick},       {L"forget", &CmdForget},
    {L"taskbar-created", &CmdTaskbarCreated},
    {L"mode", &CmdMode},         {L"current-mode", &CmdCurrentMode},
};

int Usage() {
    std::wstring names;
    for (const Command& c : kCommands) names += L" " + std::wstring(c.name);
    Out(L"usage: trayprobe COMMAND [--timeout MS] [OPTIONS]; commands:" + names);
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> words(argv + 1, argv + argc);
    long long timeoutMs = kDefaultTimeoutMs;
    // "--timeout MS" may come before the command or among its options.
    while (words.size() >= 2 && words[0] == L"--timeout") {
        if (!ParseNumber(words[1], timeoutMs) || timeoutMs < 0) return Usage();
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty()) return Usage();
    const std::wstring name = words[0];
    words.erase(words.begin());
    const Args options(words, std::set<std::wstring>{});
    if (!options.Ok() || !options.GetNumber(L"timeout", timeoutMs) || timeoutMs < 0) return Usage();
    for (const Command& c : kCommands) {
        if (name == c.name) {
            const int rc = c.run(options, Deadline(static_cast<DWORD>(timeoutMs)));
            return rc == kExitUsage ? Usage() : rc;
        }
    }
    return Usage();
}
