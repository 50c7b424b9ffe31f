// The real registry behind the settings store's port (ANSI calls, so the
// stored byte forms are those of the A functions).
#ifndef QXDRV_BASE_REGISTRY_WIN_H
#define QXDRV_BASE_REGISTRY_WIN_H

#include "base/registry_port.h"

namespace qx {

class Win32Registry : public RegistryPort {
public:
    bool QueryValue(Hive hive, const std::string& keyPath, const std::string& name,
                    RegValueData* out) override;
    bool SetValue(Hive hive, const std::string& keyPath, const std::string& name,
                  std::uint32_t type, const std::uint8_t* data, std::size_t size) override;
    bool CreateKey(Hive hive, const std::string& keyPath) override;
};

}  // namespace qx

#endif
