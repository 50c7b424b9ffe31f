#include "base/startup_rules.h"

namespace qx {

int OsVersionClass(bool reported, unsigned platform, unsigned major, unsigned minor, int current) {
    if (!reported) return current;
    if (platform == kPlatformWin32Windows) return minor == 0 ? kOsWin95 : kOsWin98;
    if (platform == kPlatformWin32Nt) {
        if (major == 4) return kOsNt4;
        if (major == 5) return kOsNt5;
        return current;
    }
    return kOsWin95;
}

bool IsInstallCommandLine(const std::wstring& arguments) { return arguments == L"-i"; }

InstanceDecision InstanceMutexDecision(bool handleReturned, unsigned long lastError) {
    if (handleReturned && lastError != kErrorAlreadyExists) return InstanceDecision::Resident;
    return InstanceDecision::AlreadyRunning;
}

unsigned HotKeyCode(const std::string& letter) {
    if (letter.empty()) return 0u;
    const unsigned char first = static_cast<unsigned char>(letter[0]);
    // Virtual-key codes of letters are the uppercase characters; a lowercase
    // one would name a numeric-keypad key instead ('c' is VK_NUMPAD3).
    if (first >= 'a' && first <= 'z') return first - 'a' + 'A';
    return first;
}

}  // namespace qx
