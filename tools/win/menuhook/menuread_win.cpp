// menuread: reads the driver's popup menu from inside the driver's thread.
//
// Under Wine another process cannot read a popup menu (MN_GETHMENU and
// GetMenuItemInfo fail with error 1456), so menuread installs menuhook.dll's
// WH_CALLWNDPROCRET hook on the thread of the driver's main window; the hook
// reads the menu in-process when the window gets WM_INITMENUPOPUP and sends
// the text back by WM_COPYDATA to menuread's message-only window.
//
//   menuread watch  [--timeout MS] [--class C] [--notify left|right] [--any] [--close]
//                   [--dll PATH]
//       Hooks the window's thread, prints "hooked", then waits for the next
//       popup menu and prints its items, sub-menus read recursively even if
//       nobody opens them. --any also takes a sub-menu being opened (read
//       after its owner's WM_INITMENUPOPUP) or a window menu. One line per
//       item, two spaces of indent per level:
//         -                      a separator
//         <id> <text>[flags]     a command
//         > <text>[flags]        a sub-menu; its items follow one level deeper
//       flags: " [checked]" " [disabled]" " [grayed]". Texts are escaped
//       (\t \r \n \\ \xNN). --notify posts the tray notification itself once
//       hooked; --close ends the menu afterwards, as `close` does.
//       Exit 0 when a menu was read, 2 when none was before the timeout, 1
//       when --close could not end it.
//   menuread none   [--timeout MS] [--class C] [--notify left|right] [--dll PATH]
//       Hooks, prints "hooked", and succeeds ("none", exit 0) when no popup
//       menu is initialised and no menu loop entered within the timeout. When
//       one is, prints "menu opened" and its items and exits 1.
//   menuread close  [--timeout MS] [--class C] [--dll PATH]
//       Ends the thread's open menu with EndMenu, called in-process by the
//       hook, and waits until the menu loop has ended: prints "closed", or
//       "not-open" when no menu was open; both exit 0. Exit 2 on timeout.
//   menuread notify [--button left|right] [--class C] [--timeout MS]
//       Posts the tray icon's notification (WM_TRAYNOTIFY, icon id, and
//       WM_LBUTTONUP or WM_RBUTTONUP) to the window; prints "posted".
//
// The window is the first top-level window of class C (default
// "QXdrvTrayWnd"), waited for until the timeout (default 5000 ms). The DLL is
// menuhook.dll beside menuread.exe unless --dll names another. Output is UTF-8.
// Exit codes: 0 success, 1 failure (no window, hook refused, a menu opened
// under `none`, the hook did not answer), 2 timeout, 3 bad usage.
//
// Start `watch` or `none` in the background and trigger the menu once its
// output holds "hooked", or let --notify trigger it. A menu that was already
// open when the hook arrived is not reported by `watch` (its top menu was
// initialised before). Run one reader per driver at a time. Whether a menu
// is open is also read from GetGUIThreadInfo (GUI_INMENUMODE), which Wine
// keeps for other processes too. Once loaded, menuhook.dll stays in the
// driver's process: do not relink it while a driver under test runs.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "driver_hook_win.h"
#include "menuhook_protocol_win.h"
#include "report_sink_win.h"
#include "shell/tray_icon_win.h"

namespace {

using qx::menuhook::Deadline;
using qx::menuhook::MenuReport;
using qx::menuhook::ReportKind;
using qx::menuhook::ReportSink;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitTimeout = 2;
constexpr int kExitUsage = 3;

constexpr DWORD kDefaultTimeoutMs = 5000;
constexpr DWORD kWindowPollMs = 50;
// After `none` saw a menu loop begin, how long it waits for the items to show.
constexpr DWORD kOpenedMenuWaitMs = 1000;
constexpr const wchar_t* kDefaultClass = L"QXdrvTrayWnd";
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG;

void Write(DWORD which, const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                          nullptr, nullptr);
    const HANDLE h = ::GetStdHandle(which);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::FlushFileBuffers(h);
}

void Out(const std::wstring& line) { Write(STD_OUTPUT_HANDLE, line); }
void Err(const std::wstring& line) { Write(STD_ERROR_HANDLE, line); }

void PrintLines(const std::wstring& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(qx::menuhook::kLineSeparator, start);
        if (end == std::wstring::npos) end = text.size();
        Out(text.substr(start, end - start));
        start = end + 1;
    }
}

// "--name value" options and "--name" flags after the command word.
struct Options {
    std::map<std::wstring, std::wstring> values;
    std::set<std::wstring> flags;
    std::wstring error;

    std::wstring Get(const std::wstring& name, const std::wstring& fallback) const {
        const auto it = values.find(name);
        return it == values.end() ? fallback : it->second;
    }
};

Options ParseOptions(const std::vector<std::wstring>& words, const std::set<std::wstring>& valued,
                     const std::set<std::wstring>& flagNames) {
    Options options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::wstring& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, L"--") != 0) {
            options.error = L"unexpected argument " + word;
            return options;
        }
        const std::wstring name = word.substr(2);
        if (flagNames.count(name)) {
            options.flags.insert(name);
        } else if (valued.count(name) && i + 1 < words.size()) {
            options.values[name] = words[++i];
        } else {
            options.error = L"unknown option or missing value: " + word;
            return options;
        }
    }
    return options;
}

bool ParseTimeout(const std::wstring& text, DWORD& timeoutMs) {
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
    const unsigned long long value = std::stoull(text);
    if (value > MAXDWORD) return false;
    timeoutMs = static_cast<DWORD>(value);
    return true;
}

// The mouse message of a tray notification, by button name; 0 for no button.
LPARAM ButtonMessage(const std::wstring& name) {
    if (name == L"left") return WM_LBUTTONUP;
    if (name == L"right") return WM_RBUTTONUP;
    return 0;
}

HWND WaitForWindow(const std::wstring& cls, const Deadline& deadline) {
    for (;;) {
        HWND hwnd = ::FindWindowW(cls.c_str(), nullptr);
        if (hwnd || deadline.Passed()) return hwnd;
        ::Sleep(std::min(deadline.RemainingMs(), kWindowPollMs));
    }
}

bool InMenuMode(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

bool IsKind(const MenuReport& report, ReportKind kind) { return report.kind == kind; }

// The thread's window, its sink and the hook on it, in the order they must
// come up (and go down in reverse).
struct Session {
    HWND hwnd = nullptr;
    DWORD threadId = 0;
    ReportSink sink;
    std::unique_ptr<qx::menuhook::DriverHook> hook;
};

int OpenSession(const Options& options, const Deadline& deadline, Session& session) {
    const std::wstring cls = options.Get(L"class", kDefaultClass);
    session.hwnd = WaitForWindow(cls, deadline);
    if (!session.hwnd) {
        Err(L"no window of class " + cls);
        return kExitFailed;
    }
    session.threadId = ::GetWindowThreadProcessId(session.hwnd, nullptr);
    if (!session.sink.Ok()) {
        Err(L"cannot create the report window, error " + std::to_wstring(::GetLastError()));
        return kExitFailed;
    }
    session.sink.AcceptThread(session.threadId);
    session.hook = std::make_unique<qx::menuhook::DriverHook>(
        options.Get(L"dll", qx::menuhook::DefaultDllPath()), session.threadId);
    if (!session.hook->Ok()) {
        Err(session.hook->Error());
        return kExitFailed;
    }
    return kExitOk;
}

int PostNotify(HWND hwnd, LPARAM button) {
    if (!::PostMessageW(hwnd, qx::WM_TRAYNOTIFY, qx::kTrayIconId, button)) {
        Err(L"PostMessage failed, error " + std::to_wstring(::GetLastError()));
        return kExitFailed;
    }
    return kExitOk;
}

// Asks the hook to call EndMenu in the driver's thread, then waits until the
// menu loop has ended.
int EndOpenMenu(Session& session, const Deadline& deadline) {
    static const UINT endMenu = ::RegisterWindowMessageW(qx::menuhook::kEndMenuMessageName);
    DWORD_PTR result = 0;
    // Our sink takes the hook's answer while this call waits.
    if (!endMenu || !::SendMessageTimeoutW(session.hwnd, endMenu, 0, 0, kSendFlags,
                                           std::max<DWORD>(deadline.RemainingMs(), 1), &result)) {
        Err(L"the window did not take the end request, error " + std::to_wstring(::GetLastError()));
        return kExitTimeout;
    }
    MenuReport report;
    const auto answered = [](const MenuReport& r) { return IsKind(r, ReportKind::EndMenuDone); };
    if (!session.sink.WaitFor(answered, deadline, report)) {
        Err(L"the hook did not answer the end request");
        return kExitFailed;
    }
    const DWORD threadId = session.threadId;
    bool menuGone = false;
    const bool exited = session.sink.WaitFor(
        [](const MenuReport& r) { return IsKind(r, ReportKind::MenuLoopExited); }, deadline, report,
        [threadId, &menuGone] { return menuGone = !InMenuMode(threadId); });
    if (!exited && !menuGone) {
        Err(L"timeout: the menu is still open");
        return kExitTimeout;
    }
    return kExitOk;
}

int CmdWatch(const Options& options, const Deadline& deadline) {
    const LPARAM notify = ButtonMessage(options.Get(L"notify", L""));
    if (options.values.count(L"notify") && notify == 0) return kExitUsage;
    Session session;
    if (const int rc = OpenSession(options, deadline, session)) return rc;
    Out(L"hooked");
    if (notify != 0) {
        if (const int rc = PostNotify(session.hwnd, notify)) return rc;
    }
    const bool any = options.flags.count(L"any") != 0;
    MenuReport menu;
    if (!session.sink.WaitFor(
            [any](const MenuReport& r) {
                return IsKind(r, ReportKind::TopMenu) ||
                       (any && (IsKind(r, ReportKind::SubMenu) ||
                                IsKind(r, ReportKind::SystemMenu)));
            },
            deadline, menu)) {
        Err(L"timeout: no popup menu");
        return kExitTimeout;
    }
    PrintLines(menu.text);
    if (options.flags.count(L"close")) {
        // Exit 2 stays "no menu read"; a menu that would not close is a failure.
        if (const int rc = EndOpenMenu(session, deadline)) {
            return rc == kExitTimeout ? kExitFailed : rc;
        }
    }
    return kExitOk;
}

int CmdNone(const Options& options, const Deadline& deadline) {
    const LPARAM notify = ButtonMessage(options.Get(L"notify", L""));
    if (options.values.count(L"notify") && notify == 0) return kExitUsage;
    Session session;
    if (const int rc = OpenSession(options, deadline, session)) return rc;
    Out(L"hooked");
    if (notify != 0) {
        if (const int rc = PostNotify(session.hwnd, notify)) return rc;
    }
    const auto opening = [](const MenuReport& r) {
        return IsKind(r, ReportKind::MenuLoopEntered) || IsKind(r, ReportKind::TopMenu) ||
               IsKind(r, ReportKind::SubMenu) || IsKind(r, ReportKind::SystemMenu);
    };
    const DWORD threadId = session.threadId;
    bool menuMode = false;
    MenuReport opened;
    const auto menuModeSeen = [threadId, &menuMode] { return menuMode = InMenuMode(threadId); };
    bool reported = session.sink.WaitFor(opening, deadline, opened, menuModeSeen);
    if (!reported && !menuMode) {
        Out(L"none");
        return kExitOk;
    }
    Out(L"menu opened");
    // The thread may enter menu mode just before the hook's first report.
    if (!reported) reported = session.sink.WaitFor(opening, Deadline(kOpenedMenuWaitMs), opened);
    if (!reported) {
        Err(L"a menu was open already when the hook arrived");
        return kExitFailed;
    }
    MenuReport menu = opened;
    if (IsKind(menu, ReportKind::MenuLoopEntered) &&
        !session.sink.WaitFor([](const MenuReport& r) { return IsKind(r, ReportKind::TopMenu); },
                              Deadline(kOpenedMenuWaitMs), menu)) {
        Err(L"a menu loop began but no menu was initialised");
        return kExitFailed;
    }
    PrintLines(menu.text);
    return kExitFailed;
}

int CmdClose(const Options& options, const Deadline& deadline) {
    Session session;
    if (const int rc = OpenSession(options, deadline, session)) return rc;
    if (!InMenuMode(session.threadId)) {
        Out(L"not-open");
        return kExitOk;
    }
    if (const int rc = EndOpenMenu(session, deadline)) return rc;
    Out(L"closed");
    return kExitOk;
}

int CmdNotify(const Options& options, const Deadline& deadline) {
    const LPARAM button = ButtonMessage(options.Get(L"button", L"left"));
    if (button == 0) return kExitUsage;
    const std::wstring cls = options.Get(L"class", kDefaultClass);
    const HWND hwnd = WaitForWindow(cls, deadline);
    if (!hwnd) {
        Err(L"no window of class " + cls);
        return kExitFailed;
    }
    if (const int rc = PostNotify(hwnd, button)) return rc;
    Out(L"posted");
    return kExitOk;
}

struct Command {
    const wchar_t* name;
    int (*run)(const Options&, const Deadline&);
    std::set<std::wstring> valued;
    std::set<std::wstring> flags;
    const wchar_t* usage;
};

const Command kCommands[] = {
    {L"watch", &CmdWatch, {L"timeout", L"class", L"notify", L"dll"}, {L"any", L"close"},
     L"[--timeout MS] [--class C] [--notify left|right] [--any] [--close] [--dll PATH]"},
    {L"none", &CmdNone, {L"timeout", L"class", L"notify", L"dll"}, {},
     L"[--timeout MS] [--class C] [--notify left|right] [--dll PATH]"},
    {L"close", &CmdClose, {L"timeout", L"class", L"dll"}, {},
     L"[--timeout MS] [--class C] [--dll PATH]"},
    {L"notify", &CmdNotify, {L"timeout", L"class", L"button"}, {},
     L"[--button left|right] [--class C] [--timeout MS]"},
};

int Usage() {
    Err(L"usage: menuread COMMAND [OPTIONS]");
    for (const Command& c : kCommands) Err(L"  " + std::wstring(c.name) + L" " + c.usage);
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring name = argv[1];
    const std::vector<std::wstring> words(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (name != c.name) continue;
        const Options options = ParseOptions(words, c.valued, c.flags);
        DWORD timeoutMs = kDefaultTimeoutMs;
        const bool badTimeout = options.values.count(L"timeout") &&
                                !ParseTimeout(options.values.at(L"timeout"), timeoutMs);
        if (!options.error.empty() || badTimeout) {
            if (!options.error.empty()) Err(options.error);
            Err(L"usage: menuread " + std::wstring(c.name) + L" " + c.usage);
            return kExitUsage;
        }
        const int rc = c.run(options, Deadline(timeoutMs));
        if (rc == kExitUsage) Err(L"usage: menuread " + std::wstring(c.name) + L" " + c.usage);
        return rc;
    }
    return Usage();
}
