#include "probe_menu_win.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "menuhook_protocol_win.h"
#include "probe_find_win.h"
#include "probe_output_win.h"
#include "shell/tray_icon_win.h"

namespace qx::probe {
namespace {

using menuhook::ReportKind;

// After `menu-none` saw a menu loop begin, how long it waits for the items.
constexpr DWORD kOpenedMenuWaitMs = 1000;
// A menu of a few hundred items is a few kilobytes; anything far larger is
// not a report of ours.
constexpr DWORD kMaxReportBytes = 1u << 20;
constexpr DWORD kPumpPollMs = 20;
constexpr DWORD kLongPathChars = 32768;
constexpr const wchar_t* kDllName = L"menuhook.dll";

struct MenuReport {
    ReportKind kind = ReportKind::MenuLoopEntered;
    std::wstring text;
};

bool IsKind(const MenuReport& report, ReportKind kind) { return report.kind == kind; }

bool InMenuMode(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(threadId, &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

// menuhook.dll in the folder of the running executable.
std::wstring DefaultDllPath() {
    std::vector<wchar_t> path(kLongPathChars, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongPathChars);
    std::wstring file(path.data(), length);
    const std::size_t slash = file.find_last_of(L"\\/");
    file.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return file + kDllName;
}

// The hooked thread's window, the message-only window that collects the hook's
// reports from that thread, and the hook itself, set up in that order and
// taken down in reverse.
class Session {
public:
    Session() = default;
    ~Session() {
        if (hook_) UnhookWindowsHookEx(hook_);
        if (module_) FreeLibrary(module_);
        if (sink_) DestroyWindow(sink_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool Open(const Args& args, const Deadline& deadline) {
        if (!FindMainWindow(args, deadline, hwnd_)) return false;
        threadId_ = GetWindowThreadProcessId(hwnd_, nullptr);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Session::SinkProc;
        wc.hInstance = instance;
        wc.lpszClassName = menuhook::kSinkClass;
        RegisterClassExW(&wc);
        sink_ = CreateWindowExW(0, menuhook::kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                instance, this);
        if (!sink_) return Fail(L"cannot create the report window");
        const std::wstring dll = DefaultDllPath();
        module_ = LoadLibraryW(dll.c_str());
        if (!module_) return Fail(L"cannot load " + dll);
        // Through void(*)(), the generic function pointer type, to change the signature.
        using AnyFunction = void (*)();
        const auto proc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<AnyFunction>(GetProcAddress(module_, menuhook::kHookProcName)));
        if (!proc) return Fail(L"no hook procedure in " + dll);
        // The system loads the DLL into the thread's process by this module's path.
        hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, proc, module_, threadId_);
        if (!hook_) return Fail(L"SetWindowsHookEx failed");
        return true;
    }

    HWND Window() const { return hwnd_; }
    DWORD ThreadId() const { return threadId_; }

    // Pumps messages until a report that 'wanted' accepts arrives (it is
    // removed and returned) or the deadline passes (false). 'idle' runs
    // between waits and stops the wait early by returning true.
    bool WaitFor(const std::function<bool(const MenuReport&)>& wanted, const Deadline& deadline,
                 MenuReport& found, const std::function<bool()>& idle = nullptr) {
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            const auto it = std::find_if(reports_.begin(), reports_.end(), wanted);
            if (it != reports_.end()) {
                found = *it;
                reports_.erase(it);
                return true;
            }
            if ((idle && idle()) || deadline.Passed()) return false;
            MsgWaitForMultipleObjectsEx(0, nullptr, std::min(deadline.RemainingMs(), kPumpPollMs),
                                        QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }

private:
    bool Fail(const std::wstring& what) {
        Err(what + L", error " + std::to_wstring(GetLastError()));
        return false;
    }

    static LRESULT CALLBACK SinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        } else if (message == WM_COPYDATA && lParam != 0) {
            auto* self = reinterpret_cast<Session*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self) {
                self->OnReport(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
                return TRUE;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    // Reports from other threads (another reader's hook) are dropped.
    void OnReport(HWND owner, const COPYDATASTRUCT& data) {
        if ((data.dwData & ~menuhook::kReportKindMask) != menuhook::kReportTag) return;
        if (data.cbData > kMaxReportBytes || data.cbData % sizeof(wchar_t) != 0) return;
        if (data.cbData > 0 && data.lpData == nullptr) return;
        if (GetWindowThreadProcessId(owner, nullptr) != threadId_) return;
        MenuReport report;
        report.kind = static_cast<ReportKind>(data.dwData & menuhook::kReportKindMask);
        if (data.cbData > 0) {
            report.text.assign(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
        }
        reports_.push_back(std::move(report));
    }

    HWND hwnd_ = nullptr;
    DWORD threadId_ = 0;
    HWND sink_ = nullptr;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    std::deque<MenuReport> reports_;
};

void PrintLines(const std::wstring& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(menuhook::kLineSeparator, start);
        if (end == std::wstring::npos) end = text.size();
        Out(text.substr(start, end - start));
        start = end + 1;
    }
}

// Hooks the driver and, with --notify, posts the tray notification of that
// button; kExitOk when both worked.
int HookAndNotify(const Args& args, const Deadline& deadline, Session& session) {
    const std::wstring button = args.Get(L"notify");
    LPARAM notify = 0;
    if (button == L"left") notify = WM_LBUTTONUP;
    if (button == L"right") notify = WM_RBUTTONUP;
    if (args.Has(L"notify") && notify == 0) return kExitUsage;
    if (!session.Open(args, deadline)) return kExitFailed;
    Out(L"hooked");
    if (notify != 0 && !PostMessageW(session.Window(), WM_TRAYNOTIFY, kTrayIconId, notify)) {
        Err(L"PostMessage failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    return kExitOk;
}

// Asks the hook to call EndMenu in the driver's thread, then waits until the
// menu loop has ended.
bool EndOpenMenu(Session& session, const Deadline& deadline) {
    static const UINT endMenu = RegisterWindowMessageW(menuhook::kEndMenuMessageName);
    DWORD_PTR result = 0;
    // Our sink takes the hook's answer while this call waits.
    if (!endMenu || !SendMessageTimeoutW(session.Window(), endMenu, 0, 0, SMTO_ABORTIFHUNG,
                                         std::max<DWORD>(deadline.RemainingMs(), 1), &result)) {
        Err(L"the window did not take the end request, error " + std::to_wstring(GetLastError()));
        return false;
    }
    MenuReport report;
    if (!session.WaitFor([](const MenuReport& r) { return IsKind(r, ReportKind::EndMenuDone); },
                         deadline, report)) {
        Err(L"the hook did not answer the end request");
        return false;
    }
    const DWORD threadId = session.ThreadId();
    bool menuGone = false;
    const bool exited = session.WaitFor(
        [](const MenuReport& r) { return IsKind(r, ReportKind::MenuLoopExited); }, deadline, report,
        [threadId, &menuGone] { return menuGone = !InMenuMode(threadId); });
    if (!exited && !menuGone) {
        Err(L"timeout: the menu is still open");
        return false;
    }
    return true;
}

}  // namespace

int CmdMenuWatch(const Args& args, const Deadline& deadline) {
    Session session;
    if (const int rc = HookAndNotify(args, deadline, session)) return rc;
    MenuReport menu;
    if (!session.WaitFor([](const MenuReport& r) { return IsKind(r, ReportKind::TopMenu); }, deadline, menu)) {
        Err(L"timeout: no popup menu");
        return kExitFailed;
    }
    PrintLines(menu.text);
    return args.Has(L"close") && !EndOpenMenu(session, deadline) ? kExitFailed : kExitOk;
}

int CmdMenuNone(const Args& args, const Deadline& deadline) {
    Session session;
    if (const int rc = HookAndNotify(args, deadline, session)) return rc;
    const auto opening = [](const MenuReport& r) {
        return IsKind(r, ReportKind::MenuLoopEntered) || IsKind(r, ReportKind::TopMenu) ||
               IsKind(r, ReportKind::SubMenu) || IsKind(r, ReportKind::SystemMenu);
    };
    const DWORD threadId = session.ThreadId();
    bool menuMode = false;
    MenuReport opened;
    bool reported = session.WaitFor(opening, deadline, opened,
                                    [threadId, &menuMode] { return menuMode = InMenuMode(threadId); });
    if (!reported && !menuMode) {
        Out(L"none");
        return kExitOk;
    }
    Out(L"menu opened");
    // The thread may enter menu mode just before the hook's first report.
    if (!reported) reported = session.WaitFor(opening, Deadline(kOpenedMenuWaitMs), opened);
    if (!reported) {
        Err(L"a menu was open already when the hook arrived");
        return kExitFailed;
    }
    if (IsKind(opened, ReportKind::MenuLoopEntered) &&
        !session.WaitFor([](const MenuReport& r) { return IsKind(r, ReportKind::TopMenu); },
                         Deadline(kOpenedMenuWaitMs), opened)) {
        Err(L"a menu loop began but no menu was initialised");
        return kExitFailed;
    }
    PrintLines(opened.text);
    return kExitFailed;
}

int CmdMenuClose(const Args& args, const Deadline& deadline) {
    Session session;
    if (!session.Open(args, deadline)) return kExitFailed;
    if (!InMenuMode(session.ThreadId())) {
        Out(L"not-open");
        return kExitOk;
    }
    if (!EndOpenMenu(session, deadline)) return kExitFailed;
    Out(L"closed");
    return kExitOk;
}

}  // namespace qx::probe
