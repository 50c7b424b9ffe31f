#include "probe_windows_win.h"

#include <algorithm>
#include <set>

#include "probe_output_win.h"

namespace qx::probe {
namespace {

constexpr int kClassNameMax = 256;
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
constexpr int kBoxTextId = 0xFFFF;  // the static that holds a message box's text

struct NamedMessage {
    const wchar_t* name;
    UINT value;
};

// Messages a test may name instead of giving the number.
constexpr NamedMessage kMessages[] = {
    {L"WM_CLOSE", WM_CLOSE},
    {L"WM_COMMAND", WM_COMMAND},
    {L"WM_HOTKEY", WM_HOTKEY},
    {L"WM_DISPLAYCHANGE", WM_DISPLAYCHANGE},
    {L"WM_LBUTTONUP", WM_LBUTTONUP},
    {L"WM_RBUTTONUP", WM_RBUTTONUP},
    {L"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK},
    {L"WM_TRAYNOTIFY", 0x1400},
    {L"WM_PENDATA", 0x1401},
};

struct DiagSelector {
    const wchar_t* name;
    WPARAM selector;
};

// Selectors of the driver's registered diagnostics message.
constexpr DiagSelector kDiagSelectors[] = {
    {L"bytes", 0},    // total bytes the receive thread delivered to the window
    {L"linebuf", 1},  // characters waiting in the line buffer
    {L"button", 2},   // the pointer engine's held button
    {L"pen", 3},      // 1 while the pen's COM port is enabled
    {L"thread", 4},   // 1 while the receive thread runs
    {L"busy", 5},     // 1 while a menu command's modal dialog runs
};

constexpr const wchar_t* kDiagMessageName = L"QXdrvDiagnostics";

struct EnumState {
    const WindowFilter* filter;
    std::vector<HWND>* found;
};

bool Matches(HWND hwnd, const WindowFilter& f) {
    if (f.hwnd != nullptr && hwnd != f.hwnd) return false;
    if (f.visibleOnly && !IsWindowVisible(hwnd)) return false;
    if (!f.cls.empty() && ClassOf(hwnd) != f.cls) return false;
    if (!f.anyCaption) {
        // A top-level window's caption is readable from any process.
        wchar_t caption[kClassNameMax] = {};
        GetWindowTextW(hwnd, caption, kClassNameMax);
        if (f.caption != caption) return false;
    }
    return true;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    if (Matches(hwnd, *state->filter)) state->found->push_back(hwnd);
    return TRUE;
}

bool ParseMessage(const std::wstring& text, UINT& value) {
    for (const auto& m : kMessages) {
        if (text == m.name) {
            value = m.value;
            return true;
        }
    }
    long long n = 0;
    if (!ParseNumber(text, n)) return false;
    value = static_cast<UINT>(n);
    return true;
}

// MSG [WPARAM [LPARAM]] from the positional words.
bool MessageFromArgs(const Args& args, UINT& msg, WPARAM& wp, LPARAM& lp) {
    const auto& p = args.Positional();
    if (p.empty() || p.size() > 3 || !ParseMessage(p[0], msg)) return false;
    long long w = 0;
    long long l = 0;
    if (p.size() > 1 && !ParseNumber(p[1], w)) return false;
    if (p.size() > 2 && !ParseNumber(p[2], l)) return false;
    wp = static_cast<WPARAM>(w);
    lp = static_cast<LPARAM>(l);
    return true;
}

bool FindMainWindow(const Args& args, const Deadline& deadline, HWND& hwnd) {
    const WindowFilter filter = FilterFromArgs(args, kMainWindowClass, nullptr, false);
    if (WaitForWindow(filter, deadline, hwnd)) return true;
    Out(L"error no window of class " + filter.cls);
    return false;
}

std::wstring BoxText(HWND hwnd, const Deadline& deadline) {
    const HWND text = GetDlgItem(hwnd, kBoxTextId);
    return text == nullptr ? L"" : TextOf(text, deadline);
}

}  // namespace

WindowFilter FilterFromArgs(const Args& args, const std::wstring& defaultClass,
                            const wchar_t* defaultCaption, bool defaultVisible) {
    WindowFilter f;
    f.cls = args.Get(L"class", defaultClass);
    if (args.Has(L"caption")) {
        f.caption = args.Get(L"caption");
        f.anyCaption = false;
    } else if (defaultCaption != nullptr && !args.Has(L"any-caption")) {
        f.caption = defaultCaption;
        f.anyCaption = false;
    }
    f.visibleOnly = defaultVisible || args.Has(L"visible");
    long long hwnd = 0;
    if (args.GetNumber(L"hwnd", hwnd)) f.hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(hwnd));
    return f;
}

std::vector<HWND> FindWindows(const WindowFilter& filter) {
    std::vector<HWND> found;
    EnumState state{&filter, &found};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return found;
}

bool WaitForWindow(const WindowFilter& filter, const Deadline& deadline, HWND& found) {
    do {
        const auto windows = FindWindows(filter);
        if (!windows.empty()) {
            found = windows.front();
            return true;
        }
    } while (PollPause(deadline));
    return false;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[kClassNameMax] = {};
    GetClassNameW(hwnd, name, kClassNameMax);
    return name;
}

std::wstring TextOf(HWND hwnd, const Deadline& deadline) {
    const UINT wait = std::max<DWORD>(deadline.RemainingMs(), 1);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, kSendFlags, wait, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             kSendFlags, wait, &copied)) {
        return L"";
    }
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::wstring Describe(HWND hwnd, const Deadline& deadline) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return L"hwnd=" + HwndText(hwnd) + L" pid=" + std::to_wstring(pid) + L" class=" +
           Escape(ClassOf(hwnd)) + L" visible=" + (IsWindowVisible(hwnd) ? L"1" : L"0") +
           L" caption=" + Escape(TextOf(hwnd, deadline));
}

int CmdWindows(const Args& args, const Deadline& deadline) {
    const WindowFilter filter = FilterFromArgs(args, L"", nullptr, false);
    for (HWND hwnd : FindWindows(filter)) Out(L"window " + Describe(hwnd, deadline));
    return kExitOk;
}

int CmdWaitWindow(const Args& args, const Deadline& deadline) {
    const WindowFilter filter = FilterFromArgs(args, L"", nullptr, false);
    if (args.Has(L"gone")) {
        do {
            if (FindWindows(filter).empty()) {
                Out(L"gone");
                return kExitOk;
            }
        } while (PollPause(deadline));
        Out(L"timeout still present");
        return kExitFailed;
    }
    HWND hwnd = nullptr;
    if (!WaitForWindow(filter, deadline, hwnd)) {
        Out(L"timeout no window");
        return kExitFailed;
    }
    Out(L"window " + Describe(hwnd, deadline));
    return kExitOk;
}

int CmdCount(const Args& args, const Deadline&) {
    const WindowFilter filter = FilterFromArgs(args, L"", nullptr, false);
    Out(L"count " + std::to_wstring(FindWindows(filter).size()));
    return kExitOk;
}

int CmdWatch(const Args& args, const Deadline& deadline) {
    // Counts appearances of matching windows over a period: a box shown twice
    // in a row counts two, even when the first was gone before the second came.
    // With --settle the watch ends early once something was seen and nothing
    // has matched for that long.
    long long periodMs = 0;
    long long settleMs = 0;
    if (!args.GetNumber(L"for", periodMs) || periodMs <= 0 || !args.GetNumber(L"settle", settleMs) ||
        settleMs < 0) {
        Out(L"error watch needs --for MS [--settle MS]");
        return kExitUsage;
    }
    const WindowFilter filter = FilterFromArgs(args, kDialogClass, kAppCaption, true);
    const Deadline period(static_cast<DWORD>(periodMs));
    std::set<HWND> present;
    int seen = 0;
    ULONGLONG lastPresent = GetTickCount64();
    do {
        std::set<HWND> now;
        for (HWND hwnd : FindWindows(filter)) {
            now.insert(hwnd);
            if (present.count(hwnd) == 0) {
                ++seen;
                Out(L"seen " + HwndText(hwnd) + L" text=" + Escape(BoxText(hwnd, deadline)));
            }
        }
        present.swap(now);
        if (!present.empty()) lastPresent = GetTickCount64();
        const bool settled = settleMs > 0 && seen > 0 && present.empty() &&
                             GetTickCount64() - lastPresent >= static_cast<ULONGLONG>(settleMs);
        if (settled) break;
    } while (PollPause(period));
    Out(L"seen-total " + std::to_wstring(seen));
    return kExitOk;
}

int CmdSend(const Args& args, const Deadline& deadline) {
    UINT msg = 0;
    WPARAM wp = 0;
    LPARAM lp = 0;
    if (!MessageFromArgs(args, msg, wp, lp)) return kExitUsage;
    HWND hwnd = nullptr;
    if (!FindMainWindow(args, deadline, hwnd)) return kExitFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wp, lp, kSendFlags, std::max<DWORD>(deadline.RemainingMs(), 1),
                             &result)) {
        Out(L"error send failed or timed out, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"result " + std::to_wstring(static_cast<long long>(result)));
    return kExitOk;
}

int CmdPost(const Args& args, const Deadline& deadline) {
    UINT msg = 0;
    WPARAM wp = 0;
    LPARAM lp = 0;
    if (!MessageFromArgs(args, msg, wp, lp)) return kExitUsage;
    HWND hwnd = nullptr;
    if (!FindMainWindow(args, deadline, hwnd)) return kExitFailed;
    if (!PostMessageW(hwnd, msg, wp, lp)) {
        Out(L"error post failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"posted");
    return kExitOk;
}

int CmdClose(const Args& args, const Deadline& deadline) {
    HWND hwnd = nullptr;
    if (!FindMainWindow(args, deadline, hwnd)) return kExitFailed;
    if (!PostMessageW(hwnd, WM_CLOSE, 0, 0)) {
        Out(L"error post failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"posted");
    if (!args.Has(L"wait")) return kExitOk;
    do {
        if (!IsWindow(hwnd)) {
            Out(L"gone");
            return kExitOk;
        }
    } while (PollPause(deadline));
    Out(L"timeout window still present");
    return kExitFailed;
}

int CmdDiag(const Args& args, const Deadline& deadline) {
    const auto& p = args.Positional();
    if (p.size() != 1) return kExitUsage;
    // A name from the table, or any number (selectors added later need no probe change).
    DiagSelector chosenValue{nullptr, 0};
    for (const auto& s : kDiagSelectors) {
        if (p[0] == s.name) chosenValue = s;
    }
    long long number = 0;
    if (chosenValue.name == nullptr) {
        if (!ParseNumber(p[0], number) || number < 0) {
            Out(L"error unknown selector " + p[0]);
            return kExitUsage;
        }
        chosenValue.selector = static_cast<WPARAM>(number);
        for (const auto& s : kDiagSelectors) {
            if (s.selector == chosenValue.selector) chosenValue.name = s.name;
        }
    }
    const std::wstring label = chosenValue.name != nullptr ? chosenValue.name : p[0];
    const DiagSelector* chosen = &chosenValue;
    long long equals = 0;
    long long atLeast = 0;
    if (!args.GetNumber(L"equals", equals) || !args.GetNumber(L"at-least", atLeast)) {
        return kExitUsage;
    }
    const bool waitEquals = args.Has(L"equals");
    const bool waitAtLeast = args.Has(L"at-least");
    HWND hwnd = nullptr;
    if (!FindMainWindow(args, deadline, hwnd)) return kExitFailed;
    const UINT msg = RegisterWindowMessageW(kDiagMessageName);
    long long value = 0;
    bool answered = false;
    do {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(hwnd, msg, chosen->selector, 0, kSendFlags,
                                std::max<DWORD>(deadline.RemainingMs(), 1), &result)) {
            answered = true;
            value = static_cast<long long>(static_cast<LRESULT>(result));
            if ((!waitEquals || value == equals) && (!waitAtLeast || value >= atLeast)) {
                Out(L"diag " + label + L" " + std::to_wstring(value));
                return kExitOk;
            }
        }
    } while (PollPause(deadline));
    Out(answered ? L"timeout diag " + label + L" " + std::to_wstring(value)
                 : L"error no answer to the diagnostics message");
    return kExitFailed;
}

}  // namespace qx::probe
