#include "framework/callback_guard_win.h"

#include <cstdio>

namespace qx {

void TraceCallbackFailure(const char* where, UINT message, const char* what) {
    char line[512];
    std::snprintf(line, sizeof(line), "QXdrv: %s failed on message 0x%04X: %s\n", where,
                  message, what ? what : "");
    ::OutputDebugStringA(line);
}

}  // namespace qx
