// Message boxes and dialogs of another process: reading their texts, buttons
// and controls, pressing buttons.
#ifndef QXDRV_TOOLS_UIPROBE_PROBE_DIALOGS_WIN_H
#define QXDRV_TOOLS_UIPROBE_PROBE_DIALOGS_WIN_H

#include "probe_args_win.h"

namespace qx::probe {

int CmdBox(const Args& args, const Deadline& deadline);
int CmdPress(const Args& args, const Deadline& deadline);
int CmdControls(const Args& args, const Deadline& deadline);
int CmdTree(const Args& args, const Deadline& deadline);
// --id N TEXT: selects the entry TEXT of a dialog's combo box.
int CmdSelect(const Args& args, const Deadline& deadline);
// --ids A,B [--watch MS]: controls' texts, then every change for MS.
int CmdText(const Args& args, const Deadline& deadline);
// --id N TEXT: sets an edit's text, as typing it would.
int CmdType(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
