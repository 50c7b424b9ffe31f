// Decisions of the start-up sequence that need no system calls.
#ifndef QXDRV_BASE_STARTUP_RULES_H
#define QXDRV_BASE_STARTUP_RULES_H

#include <string>

namespace qx {

// OS version classes; the dialogs treat kOsNt5 specially and all others alike.
constexpr int kOsWin95 = 0;
constexpr int kOsWin98 = 1;
constexpr int kOsNt4 = 11;
constexpr int kOsNt5 = 12;

// Platform ids as GetVersionEx reports them.
constexpr unsigned kPlatformWin32Windows = 1;
constexpr unsigned kPlatformWin32Nt = 2;

// The class for a version report; `current` is kept where the report says
// nothing (a failed call, or an NT major version other than 4 and 5).
int OsVersionClass(bool reported, unsigned platform, unsigned major, unsigned minor, int current);

// Only the exact text "-i" after the program name selects install mode
// (asked by start-up once install mode is in).
bool IsInstallCommandLine(const std::wstring& arguments);

// What the single-instance rule makes of creating the named instance
// mutex: resident only when the call made a new one. A name that exists
// (ERROR_ALREADY_EXISTS), or one the call cannot open (ERROR_ACCESS_DENIED:
// the running copy was started with other rights), or any other failure
// means another copy may be running, and starting a second one would fight
// it for the port and the hotkey.
enum class InstanceDecision { Resident, AlreadyRunning };
constexpr unsigned long kErrorAlreadyExists = 183;
InstanceDecision InstanceMutexDecision(bool handleReturned, unsigned long lastError);

// The virtual-key code of the calibration hotkey: the first character of
// the stored letter, a letter taken in upper case (an uppercase letter or a
// digit is its own key code).
unsigned HotKeyCode(const std::string& letter);

}  // namespace qx

#endif
