// The HTML Help viewer, loaded when help is first asked for and closed with
// the window that asked: its windows live on the caller's thread.
#ifndef QXDRV_SHELL_HTML_HELP_WIN_H
#define QXDRV_SHELL_HTML_HELP_WIN_H

#include <windows.h>

#include <string>

namespace qx {

class HtmlHelpViewer {
public:
    HtmlHelpViewer() = default;
    ~HtmlHelpViewer();
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    // Opens the file at its table of contents; false when the viewer is
    // missing or refused the file.
    bool ShowContents(HWND caller, const std::wstring& file);

private:
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    HMODULE module_ = nullptr;
    HtmlHelpFn htmlHelp_ = nullptr;
};

// The help to open for the program at `exePath`: the old-style help file
// beside it when a site has one, else the HTML Help file of the active
// language (`languageFile`), else the English one. When neither exists,
// `htmlHelpFile` names the one that was looked for.
struct HelpChoice {
    std::wstring winHelpFile;   // set: open with WinHelp
    std::wstring htmlHelpFile;  // else open with the HTML Help viewer
    bool found = false;         // htmlHelpFile exists
};
HelpChoice ChooseHelp(const std::wstring& exePath, const std::wstring& languageFile);

}  // namespace qx

#endif
