// The services the property pages' rules take, over fakes: settings in a
// fake registry, texts "#<id>" for the ids a suite names, boxes that record
// and answer, and a rights notice armed as a fresh opening of the sheet.
#ifndef QXDRV_TESTS_PROPS_RIG_H
#define QXDRV_TESTS_PROPS_RIG_H

#include <initializer_list>
#include <string>
#include <vector>

#include "base/settings_store.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"
#include "props/port_page_rules.h"

namespace qx::test {

struct PropsRig {
    explicit PropsRig(std::initializer_list<unsigned> markedIds) {
        for (unsigned id : markedIds) strings.texts[id] = L"#" + std::to_wstring(id);
        services.settings = &store;
        services.strings = &strings;
        services.boxes = &boxes;
        services.rightsNotice = &rightsNotice;
        services.system = &system;
    }
    // The texts of the boxes shown, in order.
    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> texts;
        for (const auto& box : boxes.shown) texts.push_back(box.text);
        return texts;
    }
    const RegValueData* Stored(Hive hive, const char* name) const {
        return registry.Find(hive, kSettingsKey, name);
    }

    const std::string kSettingsKey = "SOFTWARE\\NORVANE\\QXdrv1.2\\Setting";
    FakeRegistry registry;
    FakeSystemParams system;
    SettingsStore store{registry, system};
    FakeStrings strings;
    FakeMessageBoxes boxes;
    int rightsNotice = 1;
    PropServices services;
};

}  // namespace qx::test

#endif
