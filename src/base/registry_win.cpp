#include "base/registry_win.h"

#include <windows.h>

#include <cstring>

#include "framework/scoped_handles_win.h"

namespace qx {
namespace {

// Larger values are not settings of ours; the store treats them as absent.
constexpr DWORD kMaxValueBytes = 64 * 1024;
// The longest text the store writes, and a byte that is not a terminator.
constexpr std::size_t kMaxTextBytes = 256;
constexpr std::uint8_t kNotATerminator = 0xFF;

HKEY RootOf(Hive hive) {
    return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// RegCreateKeyExA opens the key and creates it when it is missing.
bool OpenKey(Hive hive, const std::string& path, REGSAM access, UniqueHKey* key) {
    return ::RegCreateKeyExA(RootOf(hive), path.c_str(), 0, nullptr, 0, access, nullptr,
                             key->Put(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

bool Win32Registry::QueryValue(Hive hive, const std::string& keyPath, const std::string& name,
                               RegValueData* out) {
    UniqueHKey key;
    if (!OpenKey(hive, keyPath, KEY_READ, &key)) return false;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    if (size > kMaxValueBytes) {
        // Report the type and an oversized body without reading it.
        out->type = type;
        out->bytes.assign(kMaxValueBytes + 1, 0);
        return true;
    }
    std::vector<std::uint8_t> bytes(size);
    DWORD got = size;
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type,
                           bytes.empty() ? nullptr : bytes.data(), &got) != ERROR_SUCCESS)
        return false;
    bytes.resize(got < size ? got : size);
    out->type = type;
    out->bytes = std::move(bytes);
    return true;
}

bool Win32Registry::SetValue(Hive hive, const std::string& keyPath, const std::string& name,
                             std::uint32_t type, const std::uint8_t* data, std::size_t size) {
    UniqueHKey key;
    if (!OpenKey(hive, keyPath, KEY_WRITE, &key)) return false;
    // RegSetValueExA counts a zero that follows an unterminated string as its
    // terminator. Texts are stored as exactly their characters, so the byte
    // after them must not be zero.
    std::uint8_t text[kMaxTextBytes + 1];
    if (type == REG_SZ && size > 0 && size <= kMaxTextBytes && data[size - 1] != 0) {
        std::memcpy(text, data, size);
        text[size] = kNotATerminator;
        data = text;
    }
    return ::RegSetValueExA(key.Get(), name.c_str(), 0, type, data,
                            static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool Win32Registry::CreateKey(Hive hive, const std::string& keyPath) {
    UniqueHKey key;
    return OpenKey(hive, keyPath, KEY_ALL_ACCESS, &key);
}

}  // namespace qx
