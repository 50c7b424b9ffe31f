// The English and Japanese resources must stay in step: the same string ids
// with the same insertions, the same dialogs with the same controls.
#include <gtest/gtest.h>

#include "resource_script.h"

namespace qx::test {
namespace {

const std::string kResDir = std::string(QXDRV_SOURCE_DIR) + "/src/res/";

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

// The comparisons below mean something only if the reader sees what the
// scripts hold: every line read, quotes undone, insertions and controls found.
TEST_F(Languages, BothScriptsParseCompletely) {
    EXPECT_TRUE(en.problems.empty()) << en.problems.front();
    EXPECT_TRUE(ja.problems.empty()) << ja.problems.front();
    EXPECT_GT(en.strings.size(), 20u);
    EXPECT_EQ(Insertions(en.strings.at("IDS_PRESET_APPLIED")), (std::multiset<std::string>{"%1", "%2"}));
    EXPECT_EQ(Insertions(ja.strings.at("IDS_RESOLUTION_PIXELS")), (std::multiset<std::string>{"%d", "%d"}));
    EXPECT_NE(en.strings.at("IDS_HOTKEY_FAILED").find("\"Calibration selection dialog\""), std::string::npos);
    EXPECT_EQ(ja.dialogs.at("IDD_ABOUTBOX").count({"DEFPUSHBUTTON", "IDOK"}), 1u);
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

TEST_F(Languages, EveryStringIdIsDefinedOnceWithItsOwnNumber) {
    std::map<long, std::string> byNumber;
    for (const auto& entry : en.strings) {
        ASSERT_EQ(ids.count(entry.first), 1u) << entry.first << " has no number";
        const long number = ids.at(entry.first);
        EXPECT_EQ(byNumber.count(number), 0u)
            << entry.first << " and " << byNumber[number] << " share " << number;
        byNumber[number] = entry.first;
    }
}

TEST_F(Languages, HaveTheSameDialogsAndControls) {
    EXPECT_EQ(en.dialogs.size(), ja.dialogs.size());
    for (const auto& [name, controls] : en.dialogs) {
        ASSERT_EQ(ja.dialogs.count(name), 1u) << name << " is missing in Japanese";
        EXPECT_EQ(controls, ja.dialogs.at(name)) << name;
    }
}

TEST_F(Languages, RegistryPathsAreTheSameInBothLanguages) {
    for (const char* name : {"IDS_MAKER_KEY", "IDS_SETTINGS_SUBKEY", "IDS_PRODUCT_SUBKEY"})
        EXPECT_EQ(en.strings.at(name), ja.strings.at(name)) << name;
}

}  // namespace
}  // namespace qx::test
