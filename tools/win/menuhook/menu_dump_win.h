// Text form of a popup menu and its sub-menus, read in the owning process.
#ifndef QXDRV_TOOLS_MENUHOOK_MENU_DUMP_WIN_H
#define QXDRV_TOOLS_MENUHOOK_MENU_DUMP_WIN_H

#include <windows.h>

#include <string>

namespace qx::menuhook {

// One line per item in the format described in menuhook_protocol_win.h.
std::wstring DumpMenu(HMENU menu);

// Escapes backslashes and control characters so that a text stays on one line.
std::wstring EscapeText(const std::wstring& text);

}  // namespace qx::menuhook

#endif
