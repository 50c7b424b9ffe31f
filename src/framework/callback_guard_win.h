// The boundary between the system's dispatcher and QXdrv's handlers: nothing
// may unwind through a window or dialog procedure, and a failure caught
// there leaves a trace for the debugger instead of vanishing.
#ifndef QXDRV_FRAMEWORK_CALLBACK_GUARD_WIN_H
#define QXDRV_FRAMEWORK_CALLBACK_GUARD_WIN_H

#include <windows.h>

#include <exception>

namespace qx {

// Writes "QXdrv: <where> failed on message 0x<msg>: <what>" to the debugger.
void TraceCallbackFailure(const char* where, UINT message, const char* what);

// Calls handler() and returns its result; on an exception traces it and
// returns `fallback`.
template <typename Result, typename Handler>
Result GuardedCallback(const char* where, UINT message, Result fallback, Handler&& handler) {
    try {
        return handler();
    } catch (const std::exception& e) {
        TraceCallbackFailure(where, message, e.what());
    } catch (...) {
        TraceCallbackFailure(where, message, "unknown exception");
    }
    return fallback;
}

}  // namespace qx

#endif
