// uiprobe: looks at and operates the driver from a second Win32 process: its
// windows and boxes, the registry, the pointer metrics and input state, the
// tray icon as the shell shows it, display modes, and its popup menu.
//
//   uiprobe [--timeout MS] COMMAND [ARGS]
//
// Every command prints plain lines (UTF-8) and exits 0 on success, 1 when its
// condition failed or its wait ran out (--timeout, default 5000 ms), 2 on bad
// usage. Run "uiprobe help" for the list.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "probe_args_win.h"
#include "probe_dialogs_win.h"
#include "probe_menu_win.h"
#include "probe_output_win.h"
#include "probe_system_win.h"
#include "probe_tray_win.h"
#include "probe_windows_win.h"

namespace {

using qx::probe::Args;
using qx::probe::Deadline;

constexpr DWORD kDefaultTimeoutMs = 5000;

struct Command {
    const wchar_t* name;
    int (*run)(const Args&, const Deadline&);
    const wchar_t* usage;
};

const Command kCommands[] = {
    {L"windows", qx::probe::CmdWindows, L"[--class C] [--caption T] [--visible]   list top-level windows"},
    {L"wait-window", qx::probe::CmdWaitWindow, L"[--class C] [--caption T] [--visible] [--gone]"},
    {L"count", qx::probe::CmdCount, L"[--class C] [--caption T] [--visible]   print count N"},
    {L"watch", qx::probe::CmdWatch, L"--for MS [--settle MS] [--class C] [--caption T]   count appearances of boxes"},
    {L"box", qx::probe::CmdBox, L"[--caption T]   wait for a message box; print text and buttons"},
    {L"press", qx::probe::CmdPress, L"ok|yes|no|cancel|ID [--caption T] [--hwnd H] [--no-wait] [--click]"},
    {L"select", qx::probe::CmdSelect, L"--id N TEXT [--caption T] [--hwnd H]   choose a combo box or list box entry"},
    {L"text", qx::probe::CmdText, L"--ids N[,N...] [--watch MS] [--caption T] [--hwnd H]   controls' texts and their changes"},
    {L"controls", qx::probe::CmdControls, L"[--class C] [--caption T] [--hwnd H]   list a dialog's controls"},
    {L"tree", qx::probe::CmdTree, L"[--class C] [--caption T] [--hwnd H]   the items of a window's tree view"},
    {L"page", qx::probe::CmdPage, L"INDEX [--caption T] [--hwnd H]   make a property sheet's page current"},
    {L"slider", qx::probe::CmdSlider, L"--id N POS [--caption T] [--hwnd H]   move a slider"},
    {L"set-text", qx::probe::CmdSetText, L"--id N TEXT [--caption T] [--hwnd H]   set a control's text"},
    {L"tap", qx::probe::CmdTap, L"--id N [--count C] [--gap-ms G] [--caption T] [--hwnd H]   left clicks on a control"},
    {L"post", qx::probe::CmdPost, L"MSG [WPARAM [LPARAM]] [--class C]   PostMessage to the main window"},
    {L"close", qx::probe::CmdClose, L"  post WM_CLOSE to the main window"},
    {L"diag", qx::probe::CmdDiag, L"bytes|linebuf|button|pen|thread|busy|N [--equals V] [--at-least V]"},
    {L"reg", qx::probe::CmdReg, L"HKCU|HKLM PATH NAME   print type, byte count, value"},
    {L"reg-key", qx::probe::CmdRegKey, L"HKCU|HKLM PATH   key exists|missing"},
    {L"metrics", qx::probe::CmdMetrics, L"  double-click area and time, drag threshold"},
    {L"set-metrics", qx::probe::CmdSetMetrics, L"[--dblclk-w N] [--dblclk-h N] [--dblclk-time N] [--drag-w N] [--drag-h N]"},
    {L"ports", qx::probe::CmdPorts, L"[N...]   what opening COM1 to COM9, or COMN..., answers"},
    {L"version", qx::probe::CmdVersion, L"FILE [--block 041104b0]   version texts and manifest supportedOS"},
    {L"hold-hotkey", qx::probe::CmdHoldHotkey, L"[--key C] [--ms N]   Ctrl+Shift+key: print held; hold until killed"},
    {L"keys", qx::probe::CmdKeys, L"[--key C] [--vk VK]   type Ctrl+Shift+key, or the key VK alone"},
    {L"hold-window", qx::probe::CmdHoldWindow, L"--title T [--shell]   a window titled T (the shell window) until killed"},
    {L"hold-file", qx::probe::CmdHoldFile, L"PATH   the file open, nobody else writing, until killed"},
    {L"state", qx::probe::CmdState, L"  buttons held, cursor, the driver's button"},
    {L"settle", qx::probe::CmdSettle, L"[--bytes N] [--vk VK]   wait for N bytes received, state, key marker"},
    {L"icons", qx::probe::CmdIcons, L"[--equals N]   the shell's icon windows"},
    {L"tip", qx::probe::CmdTip, L"  hover the first icon, print its tooltip"},
    {L"click", qx::probe::CmdClick, L"[--button left|right]   click the first icon window"},
    {L"forget", qx::probe::CmdForget, L"[--class C] [--id N]   the shell drops the driver's icon"},
    {L"taskbar-created", qx::probe::CmdTaskbarCreated, L"  broadcast TaskbarCreated"},
    {L"mode", qx::probe::CmdMode, L"W H [--freq F]   change the display mode"},
    {L"current-mode", qx::probe::CmdCurrentMode, L"  current W H F"},
    {L"menu-watch", qx::probe::CmdMenuWatch, L"[--notify left|right] [--close]   read the next popup menu"},
    {L"menu-none", qx::probe::CmdMenuNone, L"[--notify left|right]   no popup menu opens"},
    {L"menu-close", qx::probe::CmdMenuClose, L"  end the open menu"},
};

// Options of any command that take no value.
const std::set<std::wstring> kFlags = {L"gone", L"visible", L"no-wait", L"any-caption", L"click", L"shell",
                                       L"close"};

int Usage() {
    qx::probe::Err(L"usage: uiprobe [--timeout MS] COMMAND [ARGS]");
    for (const auto& c : kCommands) qx::probe::Err(L"  " + std::wstring(c.name) + L" " + c.usage);
    return qx::probe::kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> words(argv + 1, argv + argc);
    long long timeoutMs = kDefaultTimeoutMs;
    while (words.size() >= 2 && words[0] == L"--timeout") {
        if (!qx::probe::ParseNumber(words[1], timeoutMs) || timeoutMs < 0) return Usage();
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty()) return Usage();
    const std::wstring name = words[0];
    words.erase(words.begin());
    const Args args(words, kFlags);
    if (!args.Ok()) {
        qx::probe::Err(args.Error());
        return Usage();
    }
    if (args.Has(L"timeout") && (!args.GetNumber(L"timeout", timeoutMs) || timeoutMs < 0)) {
        return Usage();
    }
    for (const auto& c : kCommands) {
        if (name == c.name) {
            const int rc = c.run(args, Deadline(static_cast<DWORD>(timeoutMs)));
            if (rc == qx::probe::kExitUsage) {
                qx::probe::Err(L"usage: uiprobe " + std::wstring(c.name) + L" " + c.usage);
            }
            return rc;
        }
    }
    return Usage();
}
