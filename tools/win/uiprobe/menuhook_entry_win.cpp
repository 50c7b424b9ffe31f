// Entry point of menuhook.dll, built without the MinGW start-up
// files. A DLL with the usual start-up code carries a static TLS directory,
// and Wine 8 fails to load such a DLL into a process that already runs a
// second thread (the driver's receive thread): the load faults half-way with
// the loader lock held, so the hook never runs and the next thread that
// starts in the driver hangs. Without the start-up files there is no TLS
// directory; this entry does the two things they would have done.
#include <windows.h>

extern "C" void _pei386_runtime_relocator(void);
extern "C" void __main(void);

namespace {

using ExitFunction = void (*)(void);
// Destructors the library code registers (a handful at most).
constexpr int kMaxExitFunctions = 64;
ExitFunction g_exitFunctions[kMaxExitFunctions];
int g_exitCount = 0;

}  // namespace

// The DLL's own atexit, run when the DLL is unloaded: the C runtime's would
// call into this DLL after it is gone.
extern "C" int atexit(ExitFunction function) {
    if (g_exitCount >= kMaxExitFunctions) return -1;
    g_exitFunctions[g_exitCount++] = function;
    return 0;
}

extern "C" BOOL WINAPI MenuHookEntry(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        _pei386_runtime_relocator();  // imported data references
        __main();                     // static constructors
    } else if (reason == DLL_PROCESS_DETACH) {
        while (g_exitCount > 0) g_exitFunctions[--g_exitCount]();
    }
    return TRUE;
}
