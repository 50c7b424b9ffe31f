// menuhook.dll: a WH_CALLWNDPROCRET hook that the UI probe installs on the
// driver's window thread. Another process cannot read a popup menu under Wine
// (GetMenuItemInfo fails with ERROR_INVALID_MENU_HANDLE), so the hook reads it
// where it lives and sends the text to every probe's sink by WM_COPYDATA.
//
// It runs after the window procedure, so a menu that the owner adjusts in its
// own WM_INITMENUPOPUP is read as the user sees it. The top menu's report
// holds the whole tree, sub-menus included, because a test need not open them.
#include <windows.h>

#include <string>
#include <vector>

#include "menuhook_protocol_win.h"
#include "probe_output_win.h"

namespace qx::menuhook {
namespace {

// A sub-menu may be inserted into itself; stop well before that recursion hurts.
constexpr int kMaxDepth = 16;
constexpr int kIndentPerLevel = 2;

std::wstring StateFlags(UINT state) {
    std::wstring flags;
    if (state & MFS_CHECKED) flags += L" [checked]";
    if (state & MF_DISABLED) flags += L" [disabled]";
    if (state & MF_GRAYED) flags += L" [grayed]";
    return flags;
}

void AppendItems(HMENU menu, int depth, std::wstring& out) {
    const std::wstring indent(static_cast<std::size_t>(depth * kIndentPerLevel), L' ');
    const int count = ::GetMenuItemCount(menu);
    if (count < 0) {
        out += indent + L"? unreadable menu, error " + std::to_wstring(::GetLastError()) +
               kLineSeparator;
        return;
    }
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        // The first call only measures the text.
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            out += indent + L"? unreadable item " + std::to_wstring(i) + L", error " +
                   std::to_wstring(::GetLastError()) + kLineSeparator;
            continue;
        }
        std::wstring text;
        if (!(info.fType & MFT_SEPARATOR) && info.cch > 0) {
            std::vector<wchar_t> buffer(info.cch + 1, L'\0');
            info.dwTypeData = buffer.data();
            info.cch = static_cast<UINT>(buffer.size());
            if (::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) text = buffer.data();
        }

        if (info.fType & MFT_SEPARATOR) {
            out += indent + L"-" + kLineSeparator;
        } else if (info.hSubMenu) {
            out += indent + L"> " + qx::probe::Escape(text) + StateFlags(info.fState) + kLineSeparator;
            if (depth + 1 < kMaxDepth) {
                AppendItems(info.hSubMenu, depth + 1, out);
            } else {
                out += indent + L"  ? nested too deeply" + kLineSeparator;
            }
        } else {
            out += indent + std::to_wstring(info.wID) + L" " + qx::probe::Escape(text) +
                   StateFlags(info.fState) + kLineSeparator;
        }
    }
}

// One line per item in the format described in menuhook_protocol_win.h.
std::wstring DumpMenu(HMENU menu) {
    std::wstring out;
    AppendItems(menu, 0, out);
    return out;
}


// Menu-loop state of the hooked thread. The driver runs its menus on one
// thread, so plain statics suffice; they live in the driver's copy of the DLL.
bool g_topPending = false;
HMENU g_topMenu = nullptr;

UINT EndMenuMessage() {
    static const UINT message = ::RegisterWindowMessageW(kEndMenuMessageName);
    return message;
}

std::vector<HWND> Sinks() {
    std::vector<HWND> sinks;
    HWND sink = nullptr;
    while ((sink = ::FindWindowExW(HWND_MESSAGE, sink, kSinkClass, nullptr)) != nullptr) {
        sinks.push_back(sink);
    }
    return sinks;
}

void Report(HWND owner, ReportKind kind, const std::wstring& text) {
    COPYDATASTRUCT data{};
    data.dwData = kReportTag | static_cast<ULONG_PTR>(kind);
    data.cbData = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(text.data());
    for (HWND sink : Sinks()) {
        DWORD_PTR result = 0;
        // Bounded, so that a reader that stopped pumping cannot hang the driver.
        ::SendMessageTimeoutW(sink, WM_COPYDATA, reinterpret_cast<WPARAM>(owner),
                              reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                              kReportTimeoutMs, &result);
    }
}

void OnMessage(const CWPRETSTRUCT& msg) {
    switch (msg.message) {
    case WM_ENTERMENULOOP:
        g_topPending = true;
        g_topMenu = nullptr;
        Report(msg.hwnd, ReportKind::MenuLoopEntered, L"");
        return;
    case WM_INITMENU:
        g_topMenu = reinterpret_cast<HMENU>(msg.wParam);
        return;
    case WM_INITMENUPOPUP: {
        const HMENU menu = reinterpret_cast<HMENU>(msg.wParam);
        ReportKind kind = ReportKind::SubMenu;
        if (HIWORD(msg.lParam)) {
            kind = ReportKind::SystemMenu;
        } else if (g_topPending || menu == g_topMenu) {
            kind = ReportKind::TopMenu;
        }
        g_topPending = false;
        Report(msg.hwnd, kind, DumpMenu(menu));
        return;
    }
    case WM_EXITMENULOOP:
        g_topPending = false;
        g_topMenu = nullptr;
        Report(msg.hwnd, ReportKind::MenuLoopExited, L"");
        return;
    default:
        break;
    }
    if (msg.message == EndMenuMessage() && msg.message != 0) {
        const BOOL ending = ::EndMenu();
        Report(msg.hwnd, ReportKind::EndMenuDone, ending ? L"1" : L"0");
    }
}

}  // namespace
}  // namespace qx::menuhook

extern "C" LRESULT CALLBACK MenuHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && lParam != 0) {
        // Nothing may unwind into the driver's message dispatch.
        try {
            qx::menuhook::OnMessage(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
        } catch (...) {
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
