#include "shell/html_help_win.h"

#include <htmlhelp.h>

namespace qx {
namespace {

constexpr wchar_t kHtmlHelpModule[] = L"\\hhctrl.ocx";

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The version Windows really is, whatever the manifest claims.
unsigned long WindowsMajorVersion() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                                           ::GetProcAddress(ntdll, "RtlGetVersion")))
                                     : nullptr;
    if (rtlGetVersion && rtlGetVersion(&info) == 0) return info.dwMajorVersion;
    return 0;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

}  // namespace

HtmlHelpViewer::~HtmlHelpViewer() {
    if (htmlHelp_) htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

HtmlHelpViewer::Result HtmlHelpViewer::ShowContents(HWND caller, const std::wstring& file) {
    if (!htmlHelp_) {
        const std::wstring folder = SystemFolder();
        // Never freed (see the destructor); a bare name would also search
        // the program's and the current folder.
        const HMODULE module = folder.empty() ? nullptr : ::LoadLibraryW((folder + kHtmlHelpModule).c_str());
        if (!module) return Result::NoViewer;
        htmlHelp_ = reinterpret_cast<HtmlHelpFn>(
            reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")));
        if (!htmlHelp_) return Result::NoViewer;
    }
    return htmlHelp_(caller, file.c_str(), HH_DISPLAY_TOC, 0) ? Result::Shown : Result::Refused;
}

HelpChoice ChooseHelpHere(const std::wstring& exePath, const std::wstring& languageFile) {
    return ChooseHelp(exePath, languageFile, WinHelpCanShow(WindowsMajorVersion()), FileExists);
}

}  // namespace qx
