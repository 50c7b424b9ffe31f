// Recording fakes of the user-interface ports.
#ifndef QXDRV_TESTS_FAKE_UI_H
#define QXDRV_TESTS_FAKE_UI_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/system_params_port.h"
#include "base/ui_ports.h"

namespace qx::test {

class FakeSystemParams : public SystemParamsPort {
public:
    void SetSystemParam(unsigned action, unsigned value) override { calls.push_back({action, value}); }
    std::vector<std::pair<unsigned, unsigned>> calls;
};

class FakeStrings : public StringTablePort {
public:
    std::wstring LoadText(unsigned id) const override {
        auto it = texts.find(id);
        return it == texts.end() ? std::wstring() : it->second;
    }
    std::map<unsigned, std::wstring> texts;
};

class FakeMessageBoxes : public MessageBoxPort {
public:
    struct Shown {
        std::wstring text;
        unsigned flags;
    };
    int ShowMessage(const std::wstring& text, unsigned flags) override {
        shown.push_back({text, flags});
        return kIdOk;
    }
    std::vector<Shown> shown;
};

// The panel on a display of width x height starting at left, top.
class FakeScreen : public ScreenPort {
public:
    PanelChoice Panel() const override {
        PanelChoice choice;
        choice.display.rect = Rect{left, top, left + width, top + height};
        return choice;
    }
    int width = 1280;
    int height = 768;
    int left = 0;
    int top = 0;
};

}  // namespace qx::test

#endif
