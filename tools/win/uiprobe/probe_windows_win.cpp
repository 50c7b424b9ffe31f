#include "probe_windows_win.h"

#include <set>

#include "probe_find_win.h"
#include "probe_output_win.h"

namespace qx::probe {
namespace {

constexpr int kBoxTextId = 0xFFFF;  // the static that holds a message box's text

struct DiagName {
    const wchar_t* name;
    Diag selector;
};

constexpr DiagName kDiagNames[] = {
    {L"bytes", Diag::Bytes},   {L"linebuf", Diag::LineBuf}, {L"button", Diag::Button},
    {L"pen", Diag::Pen},       {L"thread", Diag::Thread},   {L"busy", Diag::Busy},
};

std::wstring BoxText(HWND hwnd, const Deadline& deadline) {
    const HWND text = GetDlgItem(hwnd, kBoxTextId);
    return text == nullptr ? L"" : TextOf(text, deadline);
}

}  // namespace

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

int CmdPost(const Args& args, const Deadline& deadline) {
    // MSG [WPARAM [LPARAM]], numbers.
    const auto& p = args.Positional();
    long long words[3] = {0, 0, 0};
    if (p.empty() || p.size() > 3) return kExitUsage;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (!ParseNumber(p[i], words[i])) return kExitUsage;
    }
    HWND hwnd = nullptr;
    if (!FindMainWindow(args, deadline, hwnd)) return kExitFailed;
    if (!PostMessageW(hwnd, static_cast<UINT>(words[0]), static_cast<WPARAM>(words[1]),
                      static_cast<LPARAM>(words[2]))) {
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
    return kExitOk;
}

int CmdDiag(const Args& args, const Deadline& deadline) {
    const auto& p = args.Positional();
    if (p.size() != 1) return kExitUsage;
    // A name from the table, or any number (selectors added later need no probe change).
    long long selector = -1;
    for (const auto& d : kDiagNames) {
        if (p[0] == d.name) selector = static_cast<long long>(d.selector);
    }
    if (selector < 0 && (!ParseNumber(p[0], selector) || selector < 0)) {
        Out(L"error unknown selector " + p[0]);
        return kExitUsage;
    }
    long long equals = 0;
    long long atLeast = 0;
    if (!args.GetNumber(L"equals", equals) || !args.GetNumber(L"at-least", atLeast)) {
        return kExitUsage;
    }
    const bool waitEquals = args.Has(L"equals");
    const bool waitAtLeast = args.Has(L"at-least");
    HWND hwnd = nullptr;
    if (!FindMainWindow(args, deadline, hwnd)) return kExitFailed;
    long long value = 0;
    bool answered = false;
    do {
        if (AskDiag(hwnd, static_cast<WPARAM>(selector), deadline, value)) {
            answered = true;
            if ((!waitEquals || value == equals) && (!waitAtLeast || value >= atLeast)) {
                Out(L"diag " + p[0] + L" " + std::to_wstring(value));
                return kExitOk;
            }
        }
    } while (PollPause(deadline));
    Out(answered ? L"timeout diag " + p[0] + L" " + std::to_wstring(value)
                 : L"error no answer to the diagnostics message");
    return kExitFailed;
}

int CmdHoldWindow(const Args& args, const Deadline&) {
    const std::wstring title = args.Get(L"title", L"");
    if (title.empty()) return kExitUsage;
    HWND window = CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    if (window == nullptr) {
        Out(L"error CreateWindow failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    // --shell: the window stands in for the session's desktop shell, whose
    // process a setup takes the interactive user's token from.
    // SetShellWindow is exported by user32 but not declared by every SDK.
    using SetShellWindowFn = BOOL(WINAPI*)(HWND);
    const auto setShellWindow = reinterpret_cast<SetShellWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetShellWindow")));
    if (args.Has(L"shell") && !(setShellWindow && setShellWindow(window))) {
        Out(L"error SetShellWindow failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"held");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return kExitOk;
}

int CmdHoldFile(const Args& args, const Deadline&) {
    if (args.Positional().size() != 1) return kExitUsage;
    // Open for reading and let nobody else write: what a program in another
    // session that has the file open does to a setup.
    HANDLE file = CreateFileW(args.Positional()[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Out(L"error CreateFile failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"held");
    Sleep(INFINITE);
    CloseHandle(file);
    return kExitOk;
}

}  // namespace qx::probe
