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
// INDEX: makes a property sheet's page current.
int CmdPage(const Args& args, const Deadline& deadline);
// --id N POS: moves a slider as a drag of its thumb would.
int CmdSlider(const Args& args, const Deadline& deadline);
// --id N TEXT: sets a control's text (an edit's change notice follows).
int CmdSetText(const Args& args, const Deadline& deadline);
// --id N [--count C] [--gap-ms G]: left clicks at a control's centre.
int CmdTap(const Args& args, const Deadline& deadline);

}  // namespace qx::probe

#endif
