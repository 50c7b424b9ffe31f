#include "shell/tray_icon_win.h"

#include <shellapi.h>

#include <utility>


#include "app/scoped_handles_win.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// The first NOTIFYICONDATA layout, with its 64-character tip. The wide form
// keeps a Japanese tip intact under any ANSI code page.
constexpr DWORD kNotifyIconDataSize = NOTIFYICONDATAW_V1_SIZE;
constexpr std::size_t kTipChars = 64;

}  // namespace

TrayIcon::TrayIcon(HWND owner, HINSTANCE instance, std::wstring tip)
    : owner_(owner), instance_(instance), tip_(std::move(tip)) {}

void TrayIcon::Notify(DWORD message, bool penEnabled) {
    NOTIFYICONDATAW data{};
    data.cbSize = kNotifyIconDataSize;
    data.hWnd = owner_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | (tip_.empty() ? 0 : NIF_TIP);
    data.uCallbackMessage = WM_TRAYNOTIFY;
    // A private copy at the small-icon size: the shell keeps its own, so
    // ours is destroyed at once.
    UniqueIcon icon(static_cast<HICON>(::LoadImageW(
        instance_, MAKEINTRESOURCEW(penEnabled ? IDI_PEN_ENABLED : IDI_PEN_DISABLED), IMAGE_ICON,
        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
    data.hIcon = icon.Get();
    // At most 63 characters and the terminating zero (the structure is zeroed).
    tip_.copy(data.szTip, kTipChars - 1);
    ::Shell_NotifyIconW(message, &data);
}

void TrayIcon::Add(bool penEnabled) {
    penEnabled_ = penEnabled;
    Notify(NIM_ADD, penEnabled);
    added_ = true;
}

void TrayIcon::SetPenEnabled(bool penEnabled) {
    penEnabled_ = penEnabled;
    if (added_) Notify(NIM_MODIFY, penEnabled);
}

void TrayIcon::AddAgain() {
    if (added_) Notify(NIM_ADD, penEnabled_);
}

void TrayIcon::Delete() {
    if (!added_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = kNotifyIconDataSize;
    data.hWnd = owner_;
    data.uID = kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
}

}  // namespace qx
