// The sockets library of the program: started once, version 1.1, when it is
// first needed, and cleaned up when the program ends.
#ifndef QXDRV_FRAMEWORK_SOCKETS_WIN_H
#define QXDRV_FRAMEWORK_SOCKETS_WIN_H

namespace qx {

// True when the library is started (now or before); false when it is not
// available. Main window thread.
bool StartSockets();

}  // namespace qx

#endif
