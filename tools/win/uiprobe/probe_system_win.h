// System state around the driver: registry values, pointer metrics, the
// screen size, hotkeys, and the input state (buttons held, cursor, the
// driver's button) with a key marker after the driver's input.
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_SYSTEM_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_SYSTEM_WIN_H

#include "probe_args_win.h"

namespace qx::probe {

int CmdReg(const Args& args, const Deadline& deadline);
int CmdRegKey(const Args& args, const Deadline& deadline);
int CmdMetrics(const Args& args, const Deadline& deadline);
int CmdSetMetrics(const Args& args, const Deadline& deadline);
int CmdPorts(const Args& args, const Deadline& deadline);
int CmdVersion(const Args& args, const Deadline& deadline);
int CmdHoldHotkey(const Args& args, const Deadline& deadline);
// SendInput of Ctrl + Shift + --key (default C), as a user types it.
int CmdKeys(const Args& args, const Deadline& deadline);
// "buttons left=N right=N middle=N" (1 = held down in the system,
// GetAsyncKeyState), "cursor X Y", "cursor-shown N", "engine N" (the
// driver's button state).
int CmdState(const Args& args, const Deadline& deadline);
// With --bytes N waits until the driver has received N bytes in all, then
// prints the state and injects a key press and release (--vk, default F24) as
// a marker. Once the driver answers that it received N bytes it has injected
// all the input they cause: it injects while it handles a delivery and answers
// the diagnostics message only between two deliveries. The system hands a
// thread its hardware input in the order it arrived, so a target window that
// logs the marker has handled every mouse message injected before it.
int CmdSettle(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
