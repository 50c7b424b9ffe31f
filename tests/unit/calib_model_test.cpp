#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <tuple>

#include "calib/calib_model.h"
#include "calib/live_calibration.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

const char* const kKey1280x768 = "SOFTWARE\\NORVANE\\QXdrv1.2\\1280_768";
const char* const kKey1024x768 = "SOFTWARE\\NORVANE\\QXdrv1.2\\1024_768";
const char* const kNames[] = {"CalibRatioX", "CalibRatioY", "CalibOffsetX", "CalibOffsetY"};

using V = std::array<double, 4>;
constexpr unsigned kInformation = kMbIconInformation | kMbSystemModal;
V All(const CalibValues& v) { return {v.ratioX, v.ratioY, v.offsetX, v.offsetY}; }

class CalibModelTest : public testing::Test {
protected:
    // Short stand-ins for the string table: what matters is which entry is
    // used and where its numbered insertions go.
    CalibModelTest() {
        strings.texts = {{IDS_MODE_FULL, L"FULL"}, {IDS_MODE_4_3, L"4 : 3"}, {IDS_MODE_ORIGINAL, L"ORIGINAL"},
                         {IDS_MODE_DOT_BY_DOT, L"DOT BY DOT"}, {IDS_MODE_SELECTED, L"%1 selected"},
                         {IDS_PRESET_APPLIED, L"fits: %2 at %1"}, {IDS_PRESET_APPLIED_NO_MODE, L"no mode fits: %2 at %1"},
                         {IDS_RESOLUTION_PIXELS, L"%d x %d px"}};
    }

    void Use(std::int32_t machine, int width, int height) {
        store.SetQXMachine(machine);
        screen.width = width;
        screen.height = height;
    }
    void PutStored(const std::string& name, const std::string& text) {
        registry.PutRaw(Hive::CurrentUser, kKey1280x768, name, {kRegSz, {text.begin(), text.end()}});
    }
    // The four values as stored, or "<absent>".
    std::string StoredTexts(const std::string& key) const {
        std::string s;
        for (const char* name : kNames) {
            const RegValueData* v = registry.Find(Hive::CurrentUser, key, name);
            s += (s.empty() ? "" : " ") + (v && v->type == kRegSz ? std::string(v->bytes.begin(), v->bytes.end()) : "<absent>");
        }
        return s;
    }

    test::FakeRegistry registry;
    test::FakeSystemParams system;
    SettingsStore store{registry, system};
    test::FakeScreen screen;
    test::FakeStrings strings;
    test::FakeMessageBoxes boxes;
    CalibrationModel model{store, screen, strings, boxes};
};

TEST(CalibNumberTest, FormatsSixDecimalsAndParsesLikeAtof) {
    const double inf = std::numeric_limits<double>::infinity();
    struct FormatCase { double value; const char* text; } const formats[] = {
        {1280.0 / 1237.0, "1.034762"}, {-1, "-1.000000"}, {1e20, "100000000000000000000.000000"},
        {inf, "0.000000"},             {std::numeric_limits<double>::quiet_NaN(), "0.000000"},
        // No negative zero is ever stored.
        {-0.0, "0.000000"},            {-4e-7, "0.000000"},  {-6e-7, "-0.000001"},
    };
    for (const FormatCase& c : formats) EXPECT_EQ(FormatCalibNumber(c.value), c.text);
    EXPECT_EQ(FormatCalibNumber(-1e300).size(), 309u);  // all digits, no exponent

    struct ParseCase { const char* text; double value; } const parses[] = {
        {"1.250000", 1.25}, {"  -2.5e1xyz", -25}, {"abc", 0}, {"", 0}, {"nan", 0}, {"-inf", 0}, {"1e999", 0},
    };
    for (const ParseCase& c : parses) EXPECT_EQ(ParseCalibNumber(c.text), c.value) << c.text;

    // The resolution pattern is filled without printf.
    struct Case { const wchar_t* pattern; const wchar_t* want; } const patterns[] = {
        {L"%d x %d pixels", L"1280 x 768 pixels"},
        {L"%d x %d ピクセル", L"1280 x 768 ピクセル"},
        {L"%d %d %d|%s|%%|%", L"1280 768 |%s|%|%"},
    };
    for (const Case& c : patterns) EXPECT_EQ(FormatResolution(c.pattern, 1280, 768), c.want);
}

TEST_F(CalibModelTest, StoredTextsReadWithIdentityDefaults) {
    EXPECT_EQ(All(model.StoredCalibration()), (V{1, 1, 0, 0}));
    EXPECT_EQ(All(model.ReadStoredWithoutDefaults()), (V{0, 0, 0, 0}));
    PutStored("CalibRatioX", "1.250000");
    EXPECT_EQ(All(model.StoredCalibration()), (V{1.25, 1, 0, 0}));
    EXPECT_EQ(All(model.ReadStoredWithoutDefaults()), (V{1.25, 0, 0, 0}));
    PutStored("CalibRatioY", "");  // empty counts as missing
    PutStored("CalibOffsetX", "garbage");
    PutStored("CalibOffsetY", "-216.000000");
    EXPECT_EQ(All(model.StoredCalibration()), (V{1.25, 1, 0, -216}));
    // A preset read ignores the store.
    Use(100, 1280, 768);
    EXPECT_EQ(All(model.PresetCalibration(0)), (V{1, 1, 0, 0}));
}

TEST_F(CalibModelTest, WritesFourTextsUnderTheResolutionKey) {
    model.WriteCalibration({1280.0 / 1237.0, 0.5, -1, 318});
    EXPECT_EQ(StoredTexts(kKey1280x768), "1.034762 0.500000 -1.000000 318.000000");
    EXPECT_EQ(All(model.StoredCalibration()), (V{1.034762, 0.5, -1, 318}));
    // A failed store is silent and leaves the values it could not replace.
    registry.readOnly = {Hive::CurrentUser, Hive::LocalMachine};
    model.WriteCalibration(CalibValues{});
    EXPECT_EQ(StoredTexts(kKey1280x768), "1.034762 0.500000 -1.000000 318.000000");
}

// Each call uses the resolution of that moment.
TEST_F(CalibModelTest, TheLiveCalibrationIsWhatIsStoredForTheSize) {
    LiveCalibration live(model);
    live.Set({2, 3, 4, 5});
    EXPECT_EQ(All(live.Values()), (V{2, 3, 4, 5}));
    EXPECT_EQ(All(model.StoredCalibration()), (V{2, 3, 4, 5}));
    // Another size has its own store; nothing is written by using it.
    screen.width = 1024;
    live.UseStored();
    EXPECT_EQ(All(live.Values()), (V{1, 1, 0, 0}));
    EXPECT_EQ(StoredTexts(kKey1024x768), "<absent> <absent> <absent> <absent>");
    model.WriteCalibration({3, 3, 7, 7});
    EXPECT_EQ(StoredTexts(kKey1024x768), "3.000000 3.000000 7.000000 7.000000");
    screen.width = 1280;
    EXPECT_EQ(All(model.StoredCalibration()), (V{2, 3, 4, 5}));
}

TEST_F(CalibModelTest, ModesFollowTheCurrentModelAndResolution) {
    struct Case { std::int32_t machine; int width, height; int firstMode; bool supported; } const cases[] = {
        {100, 1024, 768, 0, true},  {200, 1024, 768, 2, true},    {100, 1600, 1024, 1, true},
        {200, 1600, 1024, 0, true}, {100, 1280, 960, -1, false},  {200, 1280, 960, 1, true},
        {0, 1280, 960, 1, true},    {100, 1920, 1080, -1, false}, {200, 1920, 1080, -1, false},
    };
    for (const Case& c : cases) {
        Use(c.machine, c.width, c.height);
        EXPECT_EQ(std::make_tuple(model.FirstAvailableMode(), model.IsSupportedResolution(), model.IsModeAvailable(c.firstMode)),
                  std::make_tuple(c.firstMode, c.supported, c.firstMode >= 0 ? 1 : 0))
            << c.machine << " " << c.width << "x" << c.height;
    }
}

TEST_F(CalibModelTest, ModeNamesDependOnTheModel) {
    struct Case { std::int32_t machine; int mode; const wchar_t* want; } const cases[] = {
        {100, 0, L"FULL"},      {200, 1, L"4 : 3"},        {100, 2, L"ORIGINAL"},
        {100, -1, L"ORIGINAL"}, {200, 2, L"DOT BY DOT"},   {0, 7, L"DOT BY DOT"},
    };
    for (const Case& c : cases) {
        store.SetQXMachine(c.machine);
        EXPECT_EQ(model.ScreenModeName(c.mode), c.want) << c.machine << " " << c.mode;
    }
    // The notice of a selected mode names it.
    model.ShowModeSelectedNotice(1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(std::pair(boxes.shown[0].text, boxes.shown[0].flags), std::pair(std::wstring(L"4 : 3 selected"), kInformation));
}

// The first available mode's preset, or FULL of the nearest row with the
// other notice when no mode suits the resolution.
TEST_F(CalibModelTest, InstallPresetStoresAndNamesTheFirstAvailableMode) {
    struct Case { std::int32_t machine; int width, height; const char* stored; const wchar_t* notice; } const cases[] = {
        {100, 1280, 768, "0.998000 0.999000 -3.000000 -4.000000", L"fits: ORIGINAL at 1280 x 768 px"},
        {200, 1280, 768, "1.000000 1.000000 -2.000000 -4.000000", L"fits: DOT BY DOT at 1280 x 768 px"},
        {100, 1024, 768, "0.799000 0.999000 -1.000000 -5.000000", L"fits: FULL at 1024 x 768 px"},
        {100, 1920, 1080, "1.250000 1.333000 0.000000 0.000000", L"no mode fits: FULL at 1920 x 1080 px"},
        {200, 1920, 1080, "1.236000 1.357000 -4.000000 -1.000000", L"no mode fits: FULL at 1920 x 1080 px"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.machine << " " << c.width << "x" << c.height);
        registry.values.clear();
        boxes.shown.clear();
        Use(c.machine, c.width, c.height);
        model.ApplyInstallPreset();
        EXPECT_EQ(StoredTexts(store.CalibrationKeyPath(c.width, c.height)), c.stored);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(std::pair(boxes.shown[0].text, boxes.shown[0].flags), std::pair(std::wstring(c.notice), kInformation));
    }
}

}  // namespace
}  // namespace qx
