#include "shell/tray_icon_win.h"

#include <shellapi.h>

#include <utility>

#include "framework/scoped_handles_win.h"
#include "res/resource_ids.h"
#include "shell/tray_icon_retry.h"

namespace qx {
namespace {

// The first NOTIFYICONDATA layout, with its 64-character tip. The wide form
// keeps a Japanese tip intact under any ANSI code page.
constexpr DWORD kNotifyIconDataSize = NOTIFYICONDATAW_V1_SIZE;
constexpr std::size_t kTipChars = 64;
// The property that finds the icon from its owner window, whose retry timer
// is kTrayRetryTimer.
constexpr wchar_t kIconProperty[] = L"QXdrv.TrayIcon";

}  // namespace

TrayIcon::TrayIcon(HWND owner, HINSTANCE instance, std::wstring tip)
    : owner_(owner), instance_(instance), tip_(std::move(tip)) {}

TrayIcon::~TrayIcon() { StopRetry(); }

bool TrayIcon::Notify(DWORD message, bool penEnabled) {
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
    return ::Shell_NotifyIconW(message, &data) != FALSE;
}

void TrayIcon::Add(bool penEnabled) {
    penEnabled_ = penEnabled;
    wanted_ = true;
    attempts_ = 0;
    TryAdd();
}

void TrayIcon::TryAdd() {
    added_ = Notify(NIM_ADD, penEnabled_);
    ++attempts_;
    if (AfterTrayAdd(added_, attempts_) != TrayAddNext::RetryLater) {
        StopRetry();
        return;
    }
    if (retrying_) return;
    ::SetPropW(owner_, kIconProperty, this);
    retrying_ = ::SetTimer(owner_, kTrayRetryTimer, kTrayRetryIntervalMs, &OnRetryTimer) != 0;
}

void TrayIcon::StopRetry() {
    if (!retrying_) return;
    ::KillTimer(owner_, kTrayRetryTimer);
    ::RemovePropW(owner_, kIconProperty);
    retrying_ = false;
}

void CALLBACK TrayIcon::OnRetryTimer(HWND owner, UINT, UINT_PTR, DWORD) {
    auto* icon = static_cast<TrayIcon*>(::GetPropW(owner, kIconProperty));
    if (icon && icon->wanted_ && !icon->added_) icon->TryAdd();
}

void TrayIcon::SetPenEnabled(bool penEnabled) {
    penEnabled_ = penEnabled;
    if (added_) Notify(NIM_MODIFY, penEnabled);
}

void TrayIcon::AddAgain() {
    // The taskbar is there now, whether it had the icon before or not yet.
    if (!wanted_) return;
    added_ = Notify(NIM_ADD, penEnabled_);
    if (added_) StopRetry();
}

void TrayIcon::Delete() {
    wanted_ = false;
    StopRetry();
    if (!added_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = kNotifyIconDataSize;
    data.hWnd = owner_;
    data.uID = kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
}

}  // namespace qx
