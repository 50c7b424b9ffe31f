// The HTML Help viewer, loaded from the system folder when help is first
// asked for; its windows live on the caller's thread and close with it.
#ifndef QXDRV_SHELL_HTML_HELP_WIN_H
#define QXDRV_SHELL_HTML_HELP_WIN_H

#include <windows.h>

#include <string>

#include "shell/help_choice.h"

namespace qx {

class HtmlHelpViewer {
public:
    HtmlHelpViewer() = default;
    // Closes the viewer's windows. The module stays loaded until the process
    // ends: its own thread may still be running after HH_CLOSE_ALL.
    ~HtmlHelpViewer();
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    enum class Result { Shown, NoViewer, Refused };
    // Opens the file at its table of contents.
    Result ShowContents(HWND caller, const std::wstring& file);

private:
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    HtmlHelpFn htmlHelp_ = nullptr;
};

// ChooseHelp for this system: the files on disk and its Windows version.
HelpChoice ChooseHelpHere(const std::wstring& exePath, const std::wstring& languageFile);

}  // namespace qx

#endif
