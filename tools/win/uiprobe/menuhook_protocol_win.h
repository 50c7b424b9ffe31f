// What the hook DLL (menuhook.dll, loaded into the driver's thread) and the
// reader (the probe's menu commands) agree on: the reader's sink window, the
// report kinds carried by WM_COPYDATA and the request that ends a menu
// in-process.
#ifndef QXDRV_TOOLS_UIPROBE_MENUHOOK_PROTOCOL_WIN_H
#define QXDRV_TOOLS_UIPROBE_MENUHOOK_PROTOCOL_WIN_H

#include <windows.h>

namespace qx::menuhook {

// Every running reader owns one message-only window of this class; the hook
// sends each report to all of them.
constexpr const wchar_t* kSinkClass = L"QXMenuReadSink";

// Registered message a reader sends to the hooked thread's window: the hook
// calls EndMenu there, which only works from the thread that runs the menu.
constexpr const wchar_t* kEndMenuMessageName = L"QXMenuHook.EndMenu";

// The exported hook procedure (a WH_CALLWNDPROCRET hook).
constexpr const char* kHookProcName = "MenuHookProc";

// COPYDATASTRUCT::dwData is kReportTag | kind, so that an unrelated
// WM_COPYDATA cannot pass for a report. The payload is UTF-16 text without
// a terminator; WM_COPYDATA's wParam is the window that got the message.
constexpr ULONG_PTR kReportTag = 0x514D4800;
constexpr ULONG_PTR kReportKindMask = 0xFF;

enum class ReportKind : ULONG_PTR {
    MenuLoopEntered = 1,  // WM_ENTERMENULOOP
    TopMenu = 2,          // first WM_INITMENUPOPUP of a menu loop: the whole tree
    SubMenu = 3,          // a later WM_INITMENUPOPUP (a sub-menu opening)
    SystemMenu = 4,       // WM_INITMENUPOPUP of a window menu
    MenuLoopExited = 5,   // WM_EXITMENULOOP
    EndMenuDone = 6,      // the end request ran; text "1" when a menu was ending
};

// Text of a menu report: one line per item, LF-separated, two spaces of
// indent per sub-menu level:
//   "-"                      separator
//   "<id> <text>[flags]"     command
//   "> <text>[flags]"        sub-menu, its items follow one level deeper
// flags: " [checked]" " [disabled]" " [grayed]" in that order. Texts are
// escaped (\t \r \n \\ and \xNN for other control characters).
constexpr wchar_t kLineSeparator = L'\n';

// How long the hook waits for one reader to take a report.
constexpr UINT kReportTimeoutMs = 2000;

}  // namespace qx::menuhook

#endif
