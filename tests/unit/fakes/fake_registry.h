// An in-memory registry with two hives that keeps the byte forms of the real
// one: values are stored exactly as set.
#ifndef QXDRV_TESTS_FAKE_REGISTRY_H
#define QXDRV_TESTS_FAKE_REGISTRY_H

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/registry_port.h"

namespace qx::test {

class FakeRegistry : public RegistryPort {
public:
    using Key = std::pair<std::pair<Hive, std::string>, std::string>;  // hive, key path; name

    bool QueryValue(Hive hive, const std::string& keyPath, const std::string& name,
                    RegValueData* out) override {
        const RegValueData* v = Find(hive, keyPath, name);
        if (v) *out = *v;
        return v != nullptr;
    }
    bool SetValue(Hive hive, const std::string& keyPath, const std::string& name,
                  std::uint32_t type, const std::uint8_t* data, std::size_t size) override {
        writes.push_back({hive, name});
        if (readOnly.count(hive)) return false;
        PutRaw(hive, keyPath, name, RegValueData{type, {data, data + size}});
        return true;
    }
    bool CreateKey(Hive, const std::string&) override { return true; }

    void PutRaw(Hive hive, const std::string& key, const std::string& name, RegValueData v) {
        values[{{hive, key}, name}] = std::move(v);
    }
    void PutNumber(Hive hive, const std::string& key, const std::string& name, std::uint32_t n) {
        RegValueData v{kRegDword, std::vector<std::uint8_t>(4)};
        std::memcpy(v.bytes.data(), &n, 4);
        PutRaw(hive, key, name, v);
    }
    const RegValueData* Find(Hive hive, const std::string& key, const std::string& name) const {
        auto it = values.find({{hive, key}, name});
        return it == values.end() ? nullptr : &it->second;
    }

    std::map<Key, RegValueData> values;
    std::set<Hive> readOnly;  // this hive refuses writes (no rights)
    std::vector<std::pair<Hive, std::string>> writes;
};

}  // namespace qx::test

#endif
