// When the shell refuses the notification-area icon at start (the taskbar is
// not there yet at logon), the icon is asked for again a while longer.
#ifndef QXDRV_SHELL_TRAY_ICON_RETRY_H
#define QXDRV_SHELL_TRAY_ICON_RETRY_H

namespace qx {

constexpr unsigned kTrayRetryIntervalMs = 2000;
// Further attempts after the first: two minutes in all.
constexpr int kTrayRetryAttempts = 60;

enum class TrayAddNext { Done, RetryLater, GiveUp };

// After an attempt to add the icon; `attemptsMade` counts the first one.
TrayAddNext AfterTrayAdd(bool added, int attemptsMade);

}  // namespace qx

#endif
