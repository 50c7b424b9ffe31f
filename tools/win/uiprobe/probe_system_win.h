// System state around the driver: registry values, pointer metrics, the
// cursor, the screen size, hotkeys and synthesized keys.
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_SYSTEM_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_SYSTEM_WIN_H

#include "probe_args_win.h"

namespace qx::probe {

int CmdReg(const Args& args, const Deadline& deadline);
int CmdRegKey(const Args& args, const Deadline& deadline);
int CmdMetrics(const Args& args, const Deadline& deadline);
int CmdSetMetrics(const Args& args, const Deadline& deadline);
int CmdCursor(const Args& args, const Deadline& deadline);
int CmdScreen(const Args& args, const Deadline& deadline);
int CmdHoldHotkey(const Args& args, const Deadline& deadline);
int CmdKeys(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
