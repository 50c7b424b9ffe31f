// The driver's notification-area icon as the shell shows it, and display
// modes. Under Wine every icon is a small window of its own: in the X11
// driver's stand-alone "Wine System Tray" (Wine 8), docked into an X tray, or
// inside explorer's taskbar (later versions).
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_TRAY_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_TRAY_WIN_H

#include "probe_args_win.h"

namespace qx::probe {

// [--equals N]: "icons N", then "icon HWND X Y W H" per visible icon window;
// with --equals waits until there are N.
int CmdIcons(const Args& args, const Deadline& deadline);
// [--index I]: hovers icon I until the shell shows its tooltip: "tip TEXT".
int CmdTip(const Args& args, const Deadline& deadline);
// [--index I] [--button left|right]: a click as the icon window gets it.
int CmdClick(const Args& args, const Deadline& deadline);
// Makes the shell drop the driver's icon, as a restarted shell has.
int CmdForget(const Args& args, const Deadline& deadline);
// Broadcasts "TaskbarCreated".
int CmdTaskbarCreated(const Args& args, const Deadline& deadline);
// W H [--freq F]: ChangeDisplaySettingsExA.
int CmdMode(const Args& args, const Deadline& deadline);
// "current W H F" (EnumDisplaySettings in this process).
int CmdCurrentMode(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
