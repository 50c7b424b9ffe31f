// uiprobe: looks at and operates the driver from a second Win32 process.
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
#include "probe_output_win.h"
#include "probe_system_win.h"
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
    {L"press", qx::probe::CmdPress, L"(ok|yes|no|cancel|ID | --id N) [--caption T] [--bm-click] [--no-wait]"},
    {L"controls", qx::probe::CmdControls, L"[--class C] [--caption T]   list a dialog's controls"},
    {L"set-text", qx::probe::CmdSetText, L"--id N TEXT [--caption T]"},
    {L"get-text", qx::probe::CmdGetText, L"--id N [--caption T]"},
    {L"send", qx::probe::CmdSend, L"MSG [WPARAM [LPARAM]] [--class C]   SendMessage to the main window"},
    {L"post", qx::probe::CmdPost, L"MSG [WPARAM [LPARAM]] [--class C]   PostMessage to the main window"},
    {L"close", qx::probe::CmdClose, L"[--wait]   post WM_CLOSE to the main window"},
    {L"diag", qx::probe::CmdDiag, L"bytes|linebuf|button|pen|thread|busy|N [--equals V] [--at-least V]"},
    {L"reg", qx::probe::CmdReg, L"HKCU|HKLM PATH NAME   print type, byte count, value"},
    {L"reg-key", qx::probe::CmdRegKey, L"HKCU|HKLM PATH   key exists|missing"},
    {L"metrics", qx::probe::CmdMetrics, L"  double-click area and time, drag threshold"},
    {L"set-metrics", qx::probe::CmdSetMetrics, L"[--dblclk-w N] [--dblclk-h N] [--dblclk-time N] [--drag-w N] [--drag-h N]"},
    {L"cursor", qx::probe::CmdCursor, L"  cursor X Y"},
    {L"screen", qx::probe::CmdScreen, L"  screen W H"},
    {L"hold-hotkey", qx::probe::CmdHoldHotkey, L"[--chord ctrl+shift+c] [--ms N]   print held; hold until killed"},
    {L"keys", qx::probe::CmdKeys, L"ctrl+shift+c   SendInput of the chord"},
};

// Options of any command that take no value.
const std::set<std::wstring> kFlags = {L"gone", L"visible", L"wait", L"no-wait", L"bm-click",
                                       L"any-caption"};

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
