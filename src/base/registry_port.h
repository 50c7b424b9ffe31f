// The registry as the settings store sees it: two hives, keys opened (and
// created when missing) per call, values as raw bytes with their type.
#ifndef QXDRV_BASE_REGISTRY_PORT_H
#define QXDRV_BASE_REGISTRY_PORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qx {

enum class Hive { CurrentUser, LocalMachine };

// Registry value types, with the numbers the system gives them.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

struct RegValueData {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;  // exactly the stored bytes
};

class RegistryPort {
public:
    virtual ~RegistryPort() = default;
    // Opens keyPath in the hive for reading, creating it when missing, and
    // reads one value. False when the key cannot be opened or the value is
    // absent; *out is then untouched.
    virtual bool QueryValue(Hive hive, const std::string& keyPath, const std::string& name,
                            RegValueData* out) = 0;
    // Opens keyPath in the hive for writing, creating it when missing, and
    // stores the value. False when the key cannot be opened or the value
    // cannot be set.
    virtual bool SetValue(Hive hive, const std::string& keyPath, const std::string& name,
                          std::uint32_t type, const std::uint8_t* data, std::size_t size) = 0;
    // Makes sure the key exists, opened with full access.
    virtual bool CreateKey(Hive hive, const std::string& keyPath) = 0;
};

}  // namespace qx

#endif
