// The driver's popup menu, read inside the driver's thread. Under Wine another
// process cannot read a popup menu (MN_GETHMENU and GetMenuItemInfo fail with
// error 1456), so the probe installs menuhook.dll's WH_CALLWNDPROCRET hook on
// the thread of the driver's main window; the hook reads the menu in-process
// when the window gets WM_INITMENUPOPUP and sends the text back by
// WM_COPYDATA to the probe's message-only window.
//
// menuhook.dll is loaded from beside the probe unless --dll names another.
// Once loaded it stays in the driver's process: do not relink it while a
// driver under test runs. Run one reader per driver at a time. Whether a menu
// is open is also read from GetGUIThreadInfo (GUI_INMENUMODE), which Wine
// keeps for other processes too.
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_MENU_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_MENU_WIN_H

#include "probe_args_win.h"

namespace qx::probe {

// [--notify left|right] [--any] [--close]: hooks, prints "hooked", then waits
// for the next popup menu and prints its items, sub-menus read recursively.
// --any also takes a sub-menu being opened or a window menu. One line per
// item, two spaces of indent per level: "-" a separator, "<id> <text>[flags]"
// a command, "> <text>[flags]" a sub-menu whose items follow one level deeper;
// flags " [checked]" " [disabled]" " [grayed]"; texts escaped. --notify posts
// the tray notification itself once hooked; --close ends the menu afterwards.
// A menu that was already open when the hook arrived is not reported.
int CmdMenuWatch(const Args& args, const Deadline& deadline);
// [--notify left|right]: hooks, prints "hooked", and succeeds ("none") when no
// popup menu is initialised and no menu loop entered before the deadline;
// otherwise prints "menu opened" and the items, and fails.
int CmdMenuNone(const Args& args, const Deadline& deadline);
// Ends the thread's open menu with EndMenu, called in-process by the hook, and
// waits until the menu loop has ended: "closed", or "not-open".
int CmdMenuClose(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
