// Top-level windows: listing, waiting for and counting them, watching boxes
// appear, and messages and diagnostics of the driver's main window.
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_WINDOWS_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_WINDOWS_WIN_H

#include "probe_args_win.h"

namespace qx::probe {

int CmdWindows(const Args& args, const Deadline& deadline);
int CmdWaitWindow(const Args& args, const Deadline& deadline);
int CmdCount(const Args& args, const Deadline& deadline);
int CmdWatch(const Args& args, const Deadline& deadline);
int CmdPost(const Args& args, const Deadline& deadline);
int CmdClose(const Args& args, const Deadline& deadline);
int CmdDiag(const Args& args, const Deadline& deadline);
// --title T: a visible top-level window titled T (such as the system's
// display control panel) until the probe is ended; prints "held".
int CmdHoldWindow(const Args& args, const Deadline& deadline);
int CmdHoldFile(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
