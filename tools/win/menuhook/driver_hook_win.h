// Installs menuhook.dll's hook on one thread of another process, for as long
// as the owner lives.
#ifndef QXDRV_TOOLS_MENUHOOK_DRIVER_HOOK_WIN_H
#define QXDRV_TOOLS_MENUHOOK_DRIVER_HOOK_WIN_H

#include <windows.h>

#include <string>

namespace qx::menuhook {

class DriverHook {
public:
    DriverHook(const std::wstring& dllPath, DWORD threadId);
    ~DriverHook();
    DriverHook(const DriverHook&) = delete;
    DriverHook& operator=(const DriverHook&) = delete;

    bool Ok() const { return hook_ != nullptr; }
    const std::wstring& Error() const { return error_; }

private:
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    std::wstring error_;
};

// menuhook.dll in the folder of the running executable.
std::wstring DefaultDllPath();

}  // namespace qx::menuhook

#endif
