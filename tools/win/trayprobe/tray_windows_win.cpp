#include "tray_windows_win.h"

#include <cwchar>
#include <string>

namespace qx::trayprobe {
namespace {

constexpr int kClassNameChars = 256;
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;

// Icon window classes of Wine's X11 tray and of Wine's explorer tray.
constexpr const wchar_t* kIconClasses[] = {L"__winex11_tray_icon", L"__wine_tray_icon"};
constexpr const wchar_t* kTooltipClass = L"tooltips_class32";

bool IsIconClass(const std::wstring& cls) {
    for (const wchar_t* name : kIconClasses) {
        if (cls == name) return true;
    }
    return false;
}

BOOL CALLBACK CollectIconChild(HWND hwnd, LPARAM param) {
    if (IsWindowVisible(hwnd) && IsIconClass(ClassOf(hwnd))) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK CollectIconTopLevel(HWND hwnd, LPARAM param) {
    // A docked icon is a top-level window; a stand-alone one a child.
    CollectIconChild(hwnd, param);
    EnumChildWindows(hwnd, &CollectIconChild, param);
    return TRUE;
}

struct TooltipSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TooltipSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->processId && ClassOf(hwnd) == kTooltipClass) search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindTrayIcons() {
    std::vector<HWND> icons;
    EnumWindows(&CollectIconTopLevel, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

std::vector<HWND> FindTooltips(DWORD processId) {
    TooltipSearch search{processId, {}};
    EnumWindows(&CollectTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[kClassNameChars] = {};
    GetClassNameW(hwnd, name, kClassNameChars);
    return name;
}

std::wstring TextOf(HWND hwnd, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, kSendFlags, timeoutMs, &length)) {
        return L"";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             kSendFlags, timeoutMs, &copied)) {
        return L"";
    }
    text.resize(copied < length ? copied : length);
    return text;
}

}  // namespace qx::trayprobe
