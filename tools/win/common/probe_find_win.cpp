#include "probe_find_win.h"

#include <algorithm>

#include "probe_output_win.h"

namespace qx::probe {
namespace {

constexpr int kClassNameMax = 256;
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

bool FindMainWindow(const Args& args, const Deadline& deadline, HWND& hwnd) {
    const WindowFilter filter = FilterFromArgs(args, kMainWindowClass, nullptr, false);
    if (WaitForWindow(filter, deadline, hwnd)) return true;
    Out(L"error no window of class " + filter.cls);
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
    RECT r{};
    GetWindowRect(hwnd, &r);
    const bool topmost = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return L"hwnd=" + HwndText(hwnd) + L" pid=" + std::to_wstring(pid) + L" class=" +
           Escape(ClassOf(hwnd)) + L" visible=" + (IsWindowVisible(hwnd) ? L"1" : L"0") +
           L" topmost=" + (topmost ? L"1" : L"0") + L" rect=" + std::to_wstring(r.left) + L"," +
           std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom) + L" enabled=" + (IsWindowEnabled(hwnd) ? L"1" : L"0") +
           L" owner=" + HwndText(GetWindow(hwnd, GW_OWNER)) + L" caption=" +
           Escape(TextOf(hwnd, deadline));
}

bool AskDiag(HWND driver, WPARAM selector, const Deadline& deadline, long long& value) {
    static const UINT message = RegisterWindowMessageW(kDiagMessageName);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(driver, message, selector, 0, kSendFlags,
                             std::max<DWORD>(deadline.RemainingMs(), 1), &result)) {
        return false;
    }
    value = static_cast<long long>(static_cast<LRESULT>(result));
    return true;
}

}  // namespace qx::probe
