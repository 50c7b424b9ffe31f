// The notification-area icon: added once at creation, switched between the
// enabled and the disabled picture, added again when the taskbar comes back,
// and deleted at teardown.
#ifndef QXDRV_SHELL_TRAY_ICON_WIN_H
#define QXDRV_SHELL_TRAY_ICON_WIN_H

#include <windows.h>

#include <string>

namespace qx {

constexpr UINT kTrayIconId = 129;
constexpr UINT WM_TRAYNOTIFY = 0x1400;

class TrayIcon {
public:
    TrayIcon(HWND owner, HINSTANCE instance, std::wstring tip);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void Add(bool penEnabled);
    void SetPenEnabled(bool penEnabled);
    void Delete();
    // After Explorer restarts: the shell has forgotten the icon.
    void AddAgain();

private:
    void Notify(DWORD message, bool penEnabled);

    HWND owner_;
    HINSTANCE instance_;
    std::wstring tip_;
    bool penEnabled_ = true;
    bool added_ = false;
};

}  // namespace qx

#endif
