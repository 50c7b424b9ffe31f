// Opening the pen board's serial port with the board's line settings: 38400
// baud, 8N1, RTS/CTS, the flag word, queues, timeouts and event mask.
#ifndef QXDRV_LINK_PEN_PORT_WIN_H
#define QXDRV_LINK_PEN_PORT_WIN_H

#include <windows.h>

#include <string>

#include "framework/scoped_handles_win.h"

namespace qx {

// Opens and configures the port; an invalid handle on failure.
UniqueHandle OpenPenPort(const std::string& deviceName);

}  // namespace qx

#endif
