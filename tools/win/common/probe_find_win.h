// Finding windows of other processes: top-level windows by class, caption and
// visibility, their class and text, and the driver's main window with its
// diagnostics message.
#ifndef QXDRV_TOOLS_COMMON_PROBE_FIND_WIN_H
#define QXDRV_TOOLS_COMMON_PROBE_FIND_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "probe_args_win.h"

namespace qx::probe {

constexpr const wchar_t* kMainWindowClass = L"QXdrvTrayWnd";
constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kAppCaption = L"QXdrv";
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;

// Which top-level windows a subcommand means: --class, --caption (exact),
// --visible, or --hwnd for one window. Empty class or caption matches any.
struct WindowFilter {
    std::wstring cls;
    std::wstring caption;
    bool anyCaption = true;
    bool visibleOnly = false;
    HWND hwnd = nullptr;
};

WindowFilter FilterFromArgs(const Args& args, const std::wstring& defaultClass,
                            const wchar_t* defaultCaption, bool defaultVisible);
std::vector<HWND> FindWindows(const WindowFilter& filter);
// Waits for the first matching window; false at the deadline.
bool WaitForWindow(const WindowFilter& filter, const Deadline& deadline, HWND& found);
// The driver's main window (or the --class named), waited for; prints an
// error line when there is none.
bool FindMainWindow(const Args& args, const Deadline& deadline, HWND& hwnd);

std::wstring ClassOf(HWND hwnd);
// The text of a window of any process (WM_GETTEXT, bounded by the deadline).
std::wstring TextOf(HWND hwnd, const Deadline& deadline);
std::wstring Describe(HWND hwnd, const Deadline& deadline);

// Selectors of the driver's registered diagnostics message.
enum class Diag : WPARAM {
    Bytes = 0,    // total bytes the receive thread delivered to the window
    LineBuf = 1,  // characters waiting in the line buffer
    Button = 2,   // the pointer engine's held button
    Pen = 3,      // 1 while the pen's COM port is enabled
    Thread = 4,   // 1 while the receive thread runs
    Busy = 5,     // 1 while a menu command's modal dialog runs
};

// Asks the driver's window one diagnostics value; false without an answer.
bool AskDiag(HWND driver, WPARAM selector, const Deadline& deadline, long long& value);

}  // namespace qx::probe

#endif
