// Output of the Win32 test instruments: UTF-8 lines on standard output, texts
// escaped so that one fact always fits on one line (\r \n \t \\ and \xNN for
// other controls).
#ifndef QXDRV_TOOLS_COMMON_PROBE_OUTPUT_WIN_H
#define QXDRV_TOOLS_COMMON_PROBE_OUTPUT_WIN_H

#include <windows.h>

#include <string>

namespace qx::probe {

std::wstring Escape(const std::wstring& text);
std::wstring Hex(ULONG_PTR value);
std::wstring HwndText(HWND hwnd);

// Writes the line and a LF to standard output (stderr for Err), flushed.
void Out(const std::wstring& line);
void Err(const std::wstring& line);

}  // namespace qx::probe

#endif
