// Which help file the Help command opens, decided apart from the system so
// that every combination of files and Windows versions can be checked.
#ifndef QXDRV_SHELL_HELP_CHOICE_H
#define QXDRV_SHELL_HELP_CHOICE_H

#include <functional>
#include <string>

namespace qx {

// The help to open for the program at `exePath`: a site's old-style help
// file beside it when the system's WinHelp viewer can show one, else the
// HTML Help file of the active language (`languageFile`), else the English
// one. When no HTML Help file exists, `htmlHelpFile` names the one that was
// looked for.
struct HelpChoice {
    std::wstring winHelpFile;   // set: open with WinHelp
    std::wstring htmlHelpFile;  // else open with the HTML Help viewer
    bool found = false;         // htmlHelpFile exists
};

using FileExistsFn = std::function<bool(const std::wstring& path)>;

HelpChoice ChooseHelp(const std::wstring& exePath, const std::wstring& languageFile,
                      bool winHelpCanShow, const FileExistsFn& fileExists);

// Windows 10 and later have no WinHelp viewer (the one offered for Vista to
// 8.1 is an optional download there, and none exists for 10 or 11).
bool WinHelpCanShow(unsigned long majorVersion);

}  // namespace qx

#endif
