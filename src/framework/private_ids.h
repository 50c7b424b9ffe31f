// The program's own window messages and timer ids. They share one range so
// that no two can collide; the messages are sent or posted to the main
// window, the timers run on the windows named beside them. Plain numbers, so
// the core and the test tools may read them as well.
#ifndef QXDRV_FRAMEWORK_PRIVATE_IDS_H
#define QXDRV_FRAMEWORK_PRIVATE_IDS_H

#include <cstdint>

namespace qx {

// Messages to the main window.
constexpr unsigned WM_TRAYNOTIFY = 0x1400;    // the tray icon's mouse messages
constexpr unsigned WM_PENDATA = 0x1401;       // a batch of received bytes, sent
constexpr unsigned WM_PENLINKENDED = 0x8001;  // WM_APP + 1: the receive loop ended on its own
constexpr unsigned WM_PANELDISPLAYCHANGED = 0x8002;  // WM_APP + 2: "PanelDisplay" was changed

// Timers.
constexpr std::uintptr_t kCircleTimerId = 0x1402;      // double-click area page
constexpr std::uintptr_t kTestModeTimer = 0x1403;      // Test Mode dialog
constexpr std::uintptr_t kDisplayPanelTimer = 0x1404;  // main window: display panel wait
constexpr std::uintptr_t kTrayRetryTimer = 0x1405;     // main window: tray icon retry
constexpr std::uintptr_t kPortRetryTimer = 0x1406;     // main window: absent pen port retry

}  // namespace qx

#endif
