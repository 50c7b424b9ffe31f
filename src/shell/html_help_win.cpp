#include "shell/html_help_win.h"

#include <htmlhelp.h>

namespace qx {
namespace {

// Every language falls back to this one.
constexpr wchar_t kEnglishHelpFile[] = L"QXdrv_en.chm";

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

HtmlHelpViewer::~HtmlHelpViewer() {
    if (htmlHelp_) htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
    if (module_) ::FreeLibrary(module_);
}

bool HtmlHelpViewer::ShowContents(HWND caller, const std::wstring& file) {
    if (!module_) {
        module_ = ::LoadLibraryW(L"hhctrl.ocx");
        if (!module_) return false;
        htmlHelp_ = reinterpret_cast<HtmlHelpFn>(
            reinterpret_cast<void*>(::GetProcAddress(module_, "HtmlHelpW")));
    }
    return htmlHelp_ && htmlHelp_(caller, file.c_str(), HH_DISPLAY_TOC, 0) != nullptr;
}

HelpChoice ChooseHelp(const std::wstring& exePath, const std::wstring& languageFile) {
    HelpChoice choice;
    const std::size_t slash = exePath.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : exePath.substr(0, slash + 1);
    std::wstring base = exePath;
    const std::size_t dot = base.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) base.resize(dot);
    if (FileExists(base + L".HLP")) {
        choice.winHelpFile = base + L".HLP";
        return choice;
    }
    for (const std::wstring& name : {languageFile, std::wstring(kEnglishHelpFile)}) {
        if (!name.empty() && FileExists(folder + name)) {
            choice.htmlHelpFile = folder + name;
            choice.found = true;
            return choice;
        }
    }
    choice.htmlHelpFile = folder + (languageFile.empty() ? kEnglishHelpFile : languageFile);
    return choice;
}

}  // namespace qx
