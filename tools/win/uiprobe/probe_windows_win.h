// Top-level windows: finding them by class and caption, waiting for them,
// counting them, and messages to the driver's main window.
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_WINDOWS_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_WINDOWS_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "probe_args_win.h"

namespace qx::probe {

constexpr const wchar_t* kMainWindowClass = L"QXdrvTrayWnd";
constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kAppCaption = L"QXdrv";

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

std::wstring ClassOf(HWND hwnd);
// The text of a window of any process (WM_GETTEXT, bounded by the deadline).
std::wstring TextOf(HWND hwnd, const Deadline& deadline);
std::wstring Describe(HWND hwnd, const Deadline& deadline);

int CmdWindows(const Args& args, const Deadline& deadline);
int CmdWaitWindow(const Args& args, const Deadline& deadline);
int CmdCount(const Args& args, const Deadline& deadline);
int CmdWatch(const Args& args, const Deadline& deadline);
int CmdSend(const Args& args, const Deadline& deadline);
int CmdPost(const Args& args, const Deadline& deadline);
int CmdClose(const Args& args, const Deadline& deadline);
int CmdDiag(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
