// An in-memory registry with two hives that keeps the byte forms of the real
// one: values are stored exactly as set.
#ifndef QXDRV_TESTS_FAKE_REGISTRY_H
#define QXDRV_TESTS_FAKE_REGISTRY_H

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "base/registry_port.h"

namespace qx::test {

class FakeRegistry : public RegistryPort {
public:
    using Key = std::pair<Hive, std::string>;

    bool QueryValue(Hive hive, const std::string& keyPath, const std::string& name,
                    RegValueData* out) override {
        auto it = values.find({{hive, keyPath}, name});
        if (it == values.end()) return false;
        *out = it->second;
        return true;
    }

    bool SetValue(Hive hive, const std::string& keyPath, const std::string& name,
                  std::uint32_t type, const std::uint8_t* data, std::size_t size) override {
        writes.push_back({hive, name});
        if (readOnly.count(hive)) return false;
        RegValueData v;
        v.type = type;
        v.bytes.assign(data, data + size);
        values[{{hive, keyPath}, name}] = std::move(v);
        return true;
    }

    bool CreateKey(Hive, const std::string&) override { return true; }

    // Test set-up and inspection.
    void PutNumber(Hive hive, const std::string& key, const std::string& name, std::uint32_t n) {
        RegValueData v;
        v.type = kRegDword;
        v.bytes.resize(4);
        std::memcpy(v.bytes.data(), &n, 4);
        values[{{hive, key}, name}] = v;
    }
    void PutText(Hive hive, const std::string& key, const std::string& name, const std::string& text) {
        values[{{hive, key}, name}] = RegValueData{kRegSz, {text.begin(), text.end()}};
    }
    void PutRaw(Hive hive, const std::string& key, const std::string& name, RegValueData v) {
        values[{{hive, key}, name}] = std::move(v);
    }
    const RegValueData* Find(Hive hive, const std::string& key, const std::string& name) const {
        auto it = values.find({{hive, key}, name});
        return it == values.end() ? nullptr : &it->second;
    }

    std::map<std::pair<Key, std::string>, RegValueData> values;
    std::set<Hive> readOnly;  // this hive refuses writes (no rights)
    std::vector<std::pair<Hive, std::string>> writes;
};

}  // namespace qx::test

#endif
