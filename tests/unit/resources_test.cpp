// The English and Japanese resources must stay in step: the same string ids
// with the same insertions, the same dialogs with the same controls.
#include <gtest/gtest.h>

#include "resource_script.h"

namespace qx::test {
namespace {

const std::string kResDir = std::string(QXDRV_SOURCE_DIR) + "/src/res/";

TEST(ResourceScript, ReadsEntriesQuotesAndControls) {
    const auto script = ParseResourceScript(
        "STRINGTABLE\nBEGIN\n    IDS_A \"Say \"\"%1\"\" (%d x %d)\"\nEND\n"
        "IDD_X DIALOGEX 0, 0, 10, 10\nBEGIN\n"
        "    DEFPUSHBUTTON \"OK, then\", IDOK, 1, 2, 3, 4\n"
        "    EDITTEXT IDC_E, 1, 2, 3, 4\nEND\n");
    EXPECT_TRUE(script.problems.empty());
    ASSERT_EQ(script.strings.count("IDS_A"), 1u);
    EXPECT_EQ(script.strings.at("IDS_A"), "Say \"%1\" (%d x %d)");
    EXPECT_EQ(Insertions(script.strings.at("IDS_A")),
              (std::multiset<std::string>{"%1", "%d", "%d"}));
    const std::multiset<std::pair<std::string, std::string>> controls{
        {"DEFPUSHBUTTON", "IDOK"}, {"EDITTEXT", "IDC_E"}};
    EXPECT_EQ(script.dialogs.at("IDD_X"), controls);
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
