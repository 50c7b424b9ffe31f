// Message texts with numbered insertions (%1, %2, ...), as the string table
// holds them.
#ifndef QXDRV_BASE_MESSAGE_TEXT_H
#define QXDRV_BASE_MESSAGE_TEXT_H

#include <string>
#include <vector>

namespace qx {

// Replaces %1 to %9 by the matching argument (an insertion without an
// argument becomes empty) and leaves every other character as it is.
std::wstring InsertArgs(const std::wstring& text, const std::vector<std::wstring>& args);

// A display mode after its caption, "Current Resolution  1280 X 768 @60Hz"
// (the tray menu's first line, the test chart's mode line), or without
// " @..Hz" at 0 Hz.
std::wstring ResolutionLine(const std::wstring& caption, int width, int height, int frequency);

// Widens an ASCII or Latin-1 text such as a port name or a number.
std::wstring Widen(const std::string& text);

// Narrows a text for ASCII uses (registry names and values, port names, the
// digits an edit holds); a character beyond ASCII becomes '?', which no such
// use takes for one of its own.
std::string NarrowAscii(const std::wstring& text);
// ASCII names the system compares without regard to case: port and
// display device names.
bool SameAsciiName(const std::string& a, const std::string& b);

}  // namespace qx

#endif
