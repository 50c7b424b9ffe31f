// The English and Japanese resources must stay in step: the same string ids
// with the same insertions, the same dialogs with the same controls (ids,
// classes and styles) in the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "resource_script.h"

namespace qx::test {
namespace {

const std::string kResDir = std::string(QXDRV_SOURCE_DIR) + "/src/res/";

// The numbers of the string ids a script uses; a name the header lacks, or
// two names with one number (which the resource compiler takes silently), is
// a fault.
std::map<long, std::string> StringNumbers(const ResourceScript& script,
                                          const std::map<std::string, long>& ids,
                                          std::vector<std::string>& faults) {
    std::map<long, std::string> byNumber;
    for (const auto& entry : script.strings) {
        const std::string& name = entry.first;
        long number = 0;
        if (ids.count(name)) {
            number = ids.at(name);
        } else if (std::isdigit(static_cast<unsigned char>(name[0]))) {
            number = std::stol(name);
        } else {
            faults.push_back(name + " has no number");
            continue;
        }
        if (byNumber.count(number))
            faults.push_back(name + " and " + byNumber[number] + " share " + std::to_string(number));
        byNumber[number] = name;
    }
    return byNumber;
}

class Languages : public ::testing::Test {
protected:
    void SetUp() override {
        en = ParseResourceScript(ReadFile(kResDir + "lang_en_win.rc"));
        ja = ParseResourceScript(ReadFile(kResDir + "lang_ja_win.rc"));
        ids = ReadDefines(ReadFile(kResDir + "resource_ids.h"));
    }
    ResourceScript en, ja;
    std::map<std::string, long> ids;
};

TEST_F(Languages, BothScriptsParseCompletely) {
    EXPECT_TRUE(en.problems.empty()) << en.problems.front();
    EXPECT_TRUE(ja.problems.empty()) << ja.problems.front();
    EXPECT_GT(en.strings.size(), 20u);
    EXPECT_GT(en.dialogs.size(), 3u);
}

TEST_F(Languages, HaveTheSameStringIdsAndInsertions) {
    for (const auto& [name, text] : en.strings) {
        ASSERT_EQ(ja.strings.count(name), 1u) << name << " is missing in Japanese";
        EXPECT_EQ(Insertions(text), Insertions(ja.strings.at(name))) << name;
        EXPECT_FALSE(ja.strings.at(name).empty()) << name;
    }
    for (const auto& entry : ja.strings)
        EXPECT_EQ(en.strings.count(entry.first), 1u) << entry.first << " is missing in English";
}

TEST_F(Languages, UseTheSameStringNumbersEachDefinedOnce) {
    std::vector<std::string> enFaults, jaFaults;
    const auto enNumbers = StringNumbers(en, ids, enFaults);
    const auto jaNumbers = StringNumbers(ja, ids, jaFaults);
    for (const auto& fault : enFaults) ADD_FAILURE() << "English: " << fault;
    for (const auto& fault : jaFaults) ADD_FAILURE() << "Japanese: " << fault;
    for (const auto& [number, name] : enNumbers)
        EXPECT_EQ(jaNumbers.count(number), 1u) << number << " (" << name << ") is missing in Japanese";
    for (const auto& [number, name] : jaNumbers)
        EXPECT_EQ(enNumbers.count(number), 1u) << number << " (" << name << ") is missing in English";
}

TEST_F(Languages, HaveTheSameDialogsWithTheSameControlsInOrder) {
    EXPECT_EQ(en.dialogs.size(), ja.dialogs.size());
    for (const auto& [name, controls] : en.dialogs) {
        ASSERT_EQ(ja.dialogs.count(name), 1u) << name << " is missing in Japanese";
        EXPECT_EQ(ids.count(name), 1u) << name << " has no number";
        const auto& other = ja.dialogs.at(name);
        EXPECT_EQ(controls.size(), other.size()) << name;
        for (std::size_t i = 0; i < std::min(controls.size(), other.size()); ++i)
            EXPECT_EQ(controls[i], other[i]) << name << ", control " << i + 1;
        EXPECT_EQ(en.dialogStyles[name], ja.dialogStyles[name]) << name;
    }
}

TEST_F(Languages, NoDialogGivesOneIdToTwoControls) {
    for (const auto* script : {&en, &ja}) {
        for (const auto& [name, controls] : script->dialogs) {
            std::set<std::string> seen;
            for (const auto& control : controls) {
                if (control.id == "IDC_STATIC" || control.id == "-1") continue;
                EXPECT_TRUE(seen.insert(control.id).second)
                    << name << " uses " << control.id << " twice";
            }
        }
    }
}

// The test mode dialog ends at the top edge of its debug group when it
// starts: every control before the group must lie above that edge, every
// one from the group on below it, or the cut would show part of the debug
// section or hide part of the upper one.
TEST_F(Languages, TestModeDebugSectionLiesBelowTheCut) {
    for (const auto* script : {&en, &ja}) {
        ASSERT_EQ(script->dialogs.count("IDD_TEST_MODE"), 1u);
        const auto& controls = script->dialogs.at("IDD_TEST_MODE");
        const auto group = std::find_if(controls.begin(), controls.end(), [](const Control& c) {
            return c.id == "IDC_TM_DEBUG_GROUP";
        });
        ASSERT_NE(group, controls.end());
        const int cut = group->y;
        for (auto c = controls.begin(); c != controls.end(); ++c) {
            if (c < group) {
                // A combo box's height includes its list, which drops down
                // only when opened.
                const int bottom = c->cls == "COMBOBOX" ? c->y : c->y + c->height;
                EXPECT_LE(bottom, cut) << c->id << " reaches below the cut";
            } else {
                EXPECT_GE(c->y, cut) << c->id << " lies above the cut";
            }
        }
    }
}

// Where the template places a control is the same in both languages for
// the diagnostics, whose layout is fixed.
TEST_F(Languages, DiagnosticsTemplatesPlaceControlsAlike) {
    for (const char* name : {"IDD_TEST_MODE", "IDD_TEST_CHART"}) {
        ASSERT_EQ(en.dialogs.count(name), 1u) << name;
        ASSERT_EQ(ja.dialogs.count(name), 1u) << name;
        const auto& a = en.dialogs.at(name);
        const auto& b = ja.dialogs.at(name);
        ASSERT_EQ(a.size(), b.size()) << name;
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(std::vector<int>({a[i].x, a[i].y, a[i].width, a[i].height}),
                      std::vector<int>({b[i].x, b[i].y, b[i].width, b[i].height}))
                << name << ", control " << i + 1 << " " << a[i].id;
        }
    }
}

TEST_F(Languages, RegistryPathsAreTheSameInBothLanguages) {
    for (const char* name : {"IDS_MAKER_KEY", "IDS_SETTINGS_SUBKEY", "IDS_PRODUCT_SUBKEY"})
        EXPECT_EQ(en.strings.at(name), ja.strings.at(name)) << name;
}

}  // namespace
}  // namespace qx::test
