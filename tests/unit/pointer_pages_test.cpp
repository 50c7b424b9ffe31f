// The rules of the double-click area, double-click speed and other-setup
// pages: the area edit's validation and forcing, the two-click exchanges
// on the speed page's pictures, and what OK stores and applies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fakes/props_rig.h"
#include "props/dblclick_rules.h"
#include "props/pen_button_rules.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

TEST(AreaEdit, ValidatesAndForcesAsTheFrameworkDoes) {
    struct Case {
        const char* text;
        AreaCheck check;
        std::int32_t area;    // the field after validation (previous value 40)
        std::int32_t forced;  // what leaving the edit shows when invalid
    } cases[] = {
        {"32", AreaCheck::Valid, 32, 0},
        {" \t 12 \t", AreaCheck::Valid, 12, 0},
        {"+64", AreaCheck::Valid, 64, 0},
        {"008", AreaCheck::Valid, 8, 0},
        {"7", AreaCheck::OutOfRange, 7, 8},
        {"65", AreaCheck::OutOfRange, 65, 64},
        {"0", AreaCheck::OutOfRange, 0, 8},
        {"-5", AreaCheck::OutOfRange, -5, 8},
        {"-0", AreaCheck::NotInteger, 40, 64},  // converts to 0 without a leading "0"
        {"12abc", AreaCheck::NotInteger, 40, 64},
        {"abc", AreaCheck::NotInteger, 40, 64},
        {"", AreaCheck::NotInteger, 40, 64},
        {"   ", AreaCheck::NotInteger, 40, 64},
        {"1 2", AreaCheck::NotInteger, 40, 64},
        {"-", AreaCheck::NotInteger, 40, 64},
        // Beyond 32 bits: out of range, not wrapped into it.
        {"4294967328", AreaCheck::OutOfRange, 2147483647, 64},
        {"-99999999999", AreaCheck::OutOfRange, -2147483647 - 1, 8},
        // Only 31 characters are read: the letters past them go unseen...
        {"                             40xyz", AreaCheck::Valid, 40, 0},
        // ...and digits cut at the 31st stay an integer.
        {"                             1234", AreaCheck::Valid, 12, 0},
    };
    for (const Case& c : cases) {
        const AreaValidation v = ValidateAreaText(c.text, 40);
        EXPECT_EQ(v.check, c.check) << '"' << c.text << '"';
        EXPECT_EQ(v.area, c.area) << '"' << c.text << '"';
        if (c.check != AreaCheck::Valid)
            EXPECT_EQ(ForcedArea(v.area), c.forced) << '"' << c.text << '"';
    }
}

TEST(AreaEdit, TypingFollowsTheLeadingInteger) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"12abc", 12}, {"  -7x", -7}, {"abc", 0}, {"", 0}, {"+40", 40}, {"99999999999", 2147483647},
    };
    for (const auto& [text, n] : cases) EXPECT_EQ(LeadingInteger(text), n) << text;
}

// The other-setup rules also set the drag threshold: its calls are read here.
struct Rig : test::PropsRig {
    Rig() : PropsRig({IDS_NO_RIGHTS, IDS_ENTER_INTEGER, IDS_HTML_NEXT_START}) {
        strings.texts[IDS_ENTER_INTEGER_RANGE] = L"between %1 and %2";
    }
    // The drag threshold calls only, as (action, value).
    std::vector<std::pair<unsigned, unsigned>> DragCalls() const {
        std::vector<std::pair<unsigned, unsigned>> drag;
        for (const auto& call : system.calls)
            if (call.first == kSpiSetDragWidth || call.first == kSpiSetDragHeight) drag.push_back(call);
        return drag;
    }
    // A number stored per machine, or -1.
    std::int32_t Stored(const char* name) const {
        const RegValueData* value = PropsRig::Stored(Hive::LocalMachine, name);
        if (!value || value->bytes.size() != 4) return -1;
        std::int32_t n = 0;
        std::memcpy(&n, value->bytes.data(), 4);
        return n;
    }
};

TEST(AreaEdit, EachProblemHasItsBox) {
    Rig rig;
    ShowAreaProblem(rig.services, AreaCheck::NotInteger);
    ShowAreaProblem(rig.services, AreaCheck::OutOfRange);
    ShowAreaProblem(rig.services, AreaCheck::Valid);
    EXPECT_EQ(rig.Shown(), (std::vector<std::wstring>{L"#61712", L"between 8 and 64"}));
    for (const auto& box : rig.boxes.shown) EXPECT_EQ(box.flags, kMbOk | kMbIconExclamation);
}

TEST(SpeedScale, PositionsAndIntervals) {
    const std::pair<std::int32_t, int> cases[] = {
        {500, 800}, {400, 900}, {300, 1000}, {1000, 300}, {200, 1000}, {5000, 300},
        {-2147483647 - 1, 1000}, {2147483647, 300},
    };
    for (const auto& [ms, position] : cases) EXPECT_EQ(PositionFromInterval(ms), position) << ms;
    EXPECT_EQ(IntervalFromPosition(kIntervalDefaultPosition), 500);
}

// Releases on the auto-setting target in turn: the pending start after
// each and the slider position the pair set, if any.
TEST(SpeedAutoSetting, ReleasesOpenAndClosePairs) {
    struct Step {
        std::uint32_t now;
        std::uint32_t start;  // pending afterwards
        int position;         // -1: the slider is left alone
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"400 ms apart: 900", {{10000, 10000, -1}, {10400, 0, 900}}},
        {"120 ms apart: the fast end", {{10000, 10000, -1}, {10120, 0, 1000}}},
        {"1000 ms apart: the slow end", {{10000, 10000, -1}, {11000, 0, 300}}},
        {"1200 ms apart starts a new pair", {{10000, 10000, -1}, {11200, 11200, -1}, {11600, 0, 900}}},
        {"40 ms apart starts a new pair", {{10000, 10000, -1}, {10040, 10040, -1}, {10540, 0, 800}}},
        {"across the tick count's wrap", {{0xFFFFFF00u, 0xFFFFFF00u, -1}, {0x90, 0, 900}}},
        {"a first release at tick 0 is still pending", {{0, 1, -1}, {400, 0, 901}}},
    };
    for (const Case& c : cases) {
        std::uint32_t start = 0;
        for (const Step& s : c.steps) {
            const AutoSettingStep step = AutoSettingRelease(start, s.now);
            start = step.start;
            EXPECT_EQ(step.start, s.start) << c.name << " at " << s.now;
            EXPECT_EQ(step.setsSlider ? step.position : -1, s.position) << c.name << " at " << s.now;
        }
    }
}

// Releases on the test picture with the slider where it stands at each.
TEST(SpeedTest, PlaysWhenThePairIsFastEnoughForTheSliderNow) {
    struct Step {
        std::uint32_t now;
        int slider;
        bool plays;
        std::uint32_t start;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"500 ms: 450 apart plays", {{5000, 800, false, 5000}, {5450, 800, true, 0}}},
        {"500 ms: 550 apart rewinds and opens a pair",
         {{5000, 800, false, 5000}, {5550, 800, false, 5550}, {5950, 800, true, 0}}},
        {"exactly the interval plays", {{5000, 800, false, 5000}, {5500, 800, true, 0}}},
        {"the slider moved to 400 ms without OK", {{5000, 900, false, 5000}, {5450, 900, false, 5450}}},
        {"the slider moved between the clicks", {{5000, 800, false, 5000}, {5600, 600, true, 0}}},
        {"across the tick count's wrap", {{0xFFFFFF00u, 800, false, 0xFFFFFF00u}, {0x90, 800, true, 0}}},
    };
    for (const Case& c : cases) {
        std::uint32_t start = 0;
        for (const Step& s : c.steps) {
            const TestStep step = TestRelease(start, s.now, s.slider);
            start = step.start;
            EXPECT_EQ(step.plays, s.plays) << c.name << " at " << s.now;
            EXPECT_EQ(step.start, s.start) << c.name << " at " << s.now;
        }
    }
}

TEST(DblClickApply, StoresAppliesAndNoticesAFailedWriteOnce) {
    Rig rig;
    ApplyDblClickArea(rig.services, 40);
    ApplyDblClickInterval(rig.services, 900);
    EXPECT_EQ(rig.Stored("DblClick"), 40);
    EXPECT_EQ(rig.Stored("DblClickInterval"), 400);
    EXPECT_EQ(rig.system.calls, (std::vector<std::pair<unsigned, unsigned>>{
                                    {kSpiSetDoubleClkHeight, 40}, {kSpiSetDoubleClkWidth, 40},
                                    {kSpiSetDoubleClickTime, 400}}));
    EXPECT_TRUE(rig.Shown().empty());

    rig.registry.readOnly = {Hive::LocalMachine, Hive::CurrentUser};
    ApplyDblClickArea(rig.services, 20);
    ApplyDblClickInterval(rig.services, 800);
    EXPECT_EQ(rig.Shown(), std::vector<std::wstring>{L"#60102"});
    EXPECT_EQ(rig.boxes.shown[0].flags, kMbOk | kMbIconHand);
}

TEST(OtherSetupApply, StoresTheSwitchesAndSetsTheDragThreshold) {
    using Calls = std::vector<std::pair<unsigned, unsigned>>;
    struct Case {
        const char* name;
        OtherSetupChoice choice;
        OtherSetupStart start;
        Calls drag;
        bool notice;                   // 60021
        std::int32_t storedRange;      // "SingleClick" afterwards (-1: never written)
    } cases[] = {
        {"newly on", {1, 0, 1, 16}, {16, 0}, {{kSpiSetDragHeight, 16}, {kSpiSetDragWidth, 16}}, true, 16},
        {"on with a new range", {0, 1, 1, 24}, {16, 1}, {{kSpiSetDragHeight, 24}, {kSpiSetDragWidth, 24}}, true, 24},
        {"already on, unchanged", {0, 0, 1, 20}, {20, 1}, {{kSpiSetDragHeight, 20}, {kSpiSetDragWidth, 20}}, false, 20},
        // Off: the system's own threshold from before the program started.
        {"switched off, the range untouched", {1, 1, 0, 28}, {20, 1}, {{kSpiSetDragHeight, 7}, {kSpiSetDragWidth, 6}}, false, -1},
        {"left off", {0, 0, 0, 16}, {16, 0}, {{kSpiSetDragHeight, 7}, {kSpiSetDragWidth, 6}}, false, -1},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.services.startDragWidth = 6;
        rig.services.startDragHeight = 7;
        ApplyOtherSetup(rig.services, c.choice, c.start);
        EXPECT_EQ(rig.DragCalls(), c.drag) << c.name;
        EXPECT_EQ(rig.Shown(), c.notice ? std::vector<std::wstring>{L"#60021"} : std::vector<std::wstring>{})
            << c.name;
        if (c.notice) EXPECT_EQ(rig.boxes.shown[0].flags, kMbOk | kMbIconInformation) << c.name;
        EXPECT_EQ(rig.Stored("MiddleButon"), c.choice.middle) << c.name;
        EXPECT_EQ(rig.Stored("CalibDisp"), c.choice.notice) << c.name;
        EXPECT_EQ(rig.Stored("SingleClickType"), c.choice.html) << c.name;
        EXPECT_EQ(rig.Stored("SingleClick"), c.storedRange) << c.name;
    }
}

TEST(OtherSetupApply, OnlyAFailedCalibDispWriteBringsTheRightsNotice) {
    Rig rig;
    rig.rightsNotice = 0;  // shown already on another page
    rig.registry.readOnly = {Hive::LocalMachine, Hive::CurrentUser};
    ApplyOtherSetup(rig.services, {1, 1, 0, 16}, {16, 0});
    EXPECT_TRUE(rig.Shown().empty());
    rig.rightsNotice = 1;
    ApplyOtherSetup(rig.services, {1, 1, 0, 16}, {16, 0});
    EXPECT_EQ(rig.Shown(), std::vector<std::wstring>{L"#60102"});
    EXPECT_EQ(rig.rightsNotice, 0);
}

}  // namespace
}  // namespace qx
