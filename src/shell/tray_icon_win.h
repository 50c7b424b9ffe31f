// The notification-area icon: added at creation (asked for again on a timer
// while the shell is not ready yet), switched between the enabled and the
// disabled picture, added again when the taskbar comes back, and deleted at
// teardown.
#ifndef QXDRV_SHELL_TRAY_ICON_WIN_H
#define QXDRV_SHELL_TRAY_ICON_WIN_H

#include <windows.h>

#include <string>

#include "framework/private_ids.h"

namespace qx {

constexpr UINT kTrayIconId = 129;

class TrayIcon {
public:
    TrayIcon(HWND owner, HINSTANCE instance, std::wstring tip);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void Add(bool penEnabled);
    void SetPenEnabled(bool penEnabled);
    void Delete();
    // After Explorer restarts: the shell has forgotten the icon.
    void AddAgain();

private:
    bool Notify(DWORD message, bool penEnabled);
    // One attempt to add the icon; the retry timer runs while it fails.
    void TryAdd();
    void StopRetry();
    static void CALLBACK OnRetryTimer(HWND owner, UINT message, UINT_PTR id, DWORD time);

    HWND owner_;
    HINSTANCE instance_;
    std::wstring tip_;
    bool penEnabled_ = true;
    bool wanted_ = false;  // between Add and Delete
    bool added_ = false;   // the shell took it
    int attempts_ = 0;
    bool retrying_ = false;
};

}  // namespace qx

#endif
