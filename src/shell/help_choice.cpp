#include "shell/help_choice.h"

namespace qx {
namespace {

// Every language falls back to this one.
constexpr wchar_t kEnglishHelpFile[] = L"QXdrv_en.chm";
constexpr unsigned long kFirstWindowsWithoutWinHelp = 10;

}  // namespace

HelpChoice ChooseHelp(const std::wstring& exePath, const std::wstring& languageFile,
                      bool winHelpCanShow, const FileExistsFn& fileExists) {
    HelpChoice choice;
    const std::size_t slash = exePath.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : exePath.substr(0, slash + 1);
    std::wstring base = exePath;
    const std::size_t dot = base.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) base.resize(dot);
    if (winHelpCanShow && fileExists(base + L".HLP")) {
        choice.winHelpFile = base + L".HLP";
        return choice;
    }
    for (const std::wstring& name : {languageFile, std::wstring(kEnglishHelpFile)}) {
        if (!name.empty() && fileExists(folder + name)) {
            choice.htmlHelpFile = folder + name;
            choice.found = true;
            return choice;
        }
    }
    choice.htmlHelpFile = folder + (languageFile.empty() ? kEnglishHelpFile : languageFile);
    return choice;
}

bool WinHelpCanShow(unsigned long majorVersion) {
    return majorVersion < kFirstWindowsWithoutWinHelp;
}

}  // namespace qx
