#include "driver_hook_win.h"

#include <vector>

#include "menuhook_protocol_win.h"

namespace qx::menuhook {
namespace {

constexpr DWORD kLongPathChars = 32768;
constexpr const wchar_t* kDllName = L"menuhook.dll";

}  // namespace

DriverHook::DriverHook(const std::wstring& dllPath, DWORD threadId) {
    module_ = ::LoadLibraryW(dllPath.c_str());
    if (!module_) {
        error_ = L"cannot load " + dllPath + L", error " + std::to_wstring(::GetLastError());
        return;
    }
    // Through void(*)(), the generic function pointer type, to change the signature.
    using AnyFunction = void (*)();
    const auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<AnyFunction>(::GetProcAddress(module_, kHookProcName)));
    if (!proc) {
        error_ = L"no hook procedure in " + dllPath;
        return;
    }
    // The system loads the DLL into the thread's process by this module's path.
    hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, proc, module_, threadId);
    if (!hook_) {
        error_ = L"SetWindowsHookEx failed, error " + std::to_wstring(::GetLastError());
    }
}

DriverHook::~DriverHook() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    if (module_) ::FreeLibrary(module_);
}

std::wstring DefaultDllPath() {
    std::vector<wchar_t> path(kLongPathChars, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), kLongPathChars);
    std::wstring file(path.data(), length);
    const std::size_t slash = file.find_last_of(L"\\/");
    file.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return file + kDllName;
}

}  // namespace qx::menuhook
