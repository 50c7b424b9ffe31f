// What the tray probe looks at: the shell's notification-area icon windows,
// their tooltip windows. Output goes through the UI probe's helpers.
#ifndef QXDRV_TOOLS_TRAYPROBE_TRAY_WINDOWS_WIN_H
#define QXDRV_TOOLS_TRAYPROBE_TRAY_WINDOWS_WIN_H

#include <windows.h>

#include <string>
#include <vector>

namespace qx::trayprobe {

// The visible icon windows of the notification area, in the shell's order.
// Under Wine every icon is a small window of its own: in the X11 driver's
// stand-alone "Wine System Tray" (Wine 8), docked into an X tray, or inside
// explorer's taskbar (later versions).
std::vector<HWND> FindTrayIcons();

// Top-level tooltip windows of one process (the shell keeps one per icon).
std::vector<HWND> FindTooltips(DWORD processId);

std::wstring ClassOf(HWND hwnd);
// WM_GETTEXT across processes, bounded by timeoutMs; empty on failure.
std::wstring TextOf(HWND hwnd, DWORD timeoutMs);

}  // namespace qx::trayprobe

#endif
