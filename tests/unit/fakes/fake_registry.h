// An in-memory registry with two hives that keeps the byte forms of the real
// one: values are stored exactly as set, and keys appear when opened.
#ifndef QXDRV_TESTS_FAKE_REGISTRY_H
#define QXDRV_TESTS_FAKE_REGISTRY_H

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "app/registry_port.h"

namespace qx::test {

class FakeRegistry : public RegistryPort {
public:
    using Key = std::pair<Hive, std::string>;

    bool QueryValue(Hive hive, const std::string& keyPath, const std::string& name,
                    RegValueData* out) override {
        ++queries;
        if (unopenable.count(hive)) return false;
        keys.insert({hive, keyPath});
        auto it = values.find({{hive, keyPath}, name});
        if (it == values.end()) return false;
        *out = it->second;
        return true;
    }

    bool SetValue(Hive hive, const std::string& keyPath, const std::string& name,
                  std::uint32_t type, const std::uint8_t* data, std::size_t size) override {
        writes.push_back({hive, name});
        if (unopenable.count(hive) || readOnly.count(hive)) return false;
        keys.insert({hive, keyPath});
        RegValueData v;
        v.type = type;
        v.bytes.assign(data, data + size);
        values[{{hive, keyPath}, name}] = std::move(v);
        return true;
    }

    bool CreateKey(Hive hive, const std::string& keyPath) override {
        if (unopenable.count(hive)) return false;
        keys.insert({hive, keyPath});
        return true;
    }

    // Test set-up and inspection.
    void PutNumber(Hive hive, const std::string& key, const std::string& name, std::uint32_t n) {
        RegValueData v;
        v.type = kRegDword;
        v.bytes.resize(4);
        std::memcpy(v.bytes.data(), &n, 4);
        values[{{hive, key}, name}] = v;
    }
    void PutText(Hive hive, const std::string& key, const std::string& name,
                 const std::string& text, bool withTerminator = false) {
        RegValueData v;
        v.type = kRegSz;
        v.bytes.assign(text.begin(), text.end());
        if (withTerminator) v.bytes.push_back(0);
        values[{{hive, key}, name}] = v;
    }
    void PutRaw(Hive hive, const std::string& key, const std::string& name, RegValueData v) {
        values[{{hive, key}, name}] = std::move(v);
    }
    const RegValueData* Find(Hive hive, const std::string& key, const std::string& name) const {
        auto it = values.find({{hive, key}, name});
        return it == values.end() ? nullptr : &it->second;
    }

    std::map<std::pair<Key, std::string>, RegValueData> values;
    std::set<Key> keys;
    std::set<Hive> unopenable;  // every open of this hive fails
    std::set<Hive> readOnly;    // this hive refuses writes (no rights)
    std::vector<std::pair<Hive, std::string>> writes;
    int queries = 0;
};

}  // namespace qx::test

#endif
