// menuhook.dll: a WH_CALLWNDPROCRET hook that menuread installs on the
// driver's window thread. Another process cannot read a popup menu under Wine
// (GetMenuItemInfo fails with ERROR_INVALID_MENU_HANDLE), so the hook reads it
// where it lives and sends the text to every menuread sink by WM_COPYDATA.
//
// It runs after the window procedure, so a menu that the owner adjusts in its
// own WM_INITMENUPOPUP is read as the user sees it. The top menu's report
// holds the whole tree, sub-menus included, because a test need not open them.
#include <windows.h>

#include <string>
#include <vector>

#include "menu_dump_win.h"
#include "menuhook_protocol_win.h"

namespace qx::menuhook {
namespace {

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
