// What the test mode dialog and the test chart compute: the marks with the
// middle-button hold, the system button rule, the shown texts, the reading
// of the manual fields, the caption, the address list and the chart's
// geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "base/startup_rules.h"
#include "diag/test_chart_layout.h"
#include "diag/test_mode_rules.h"
#include "fakes/fake_ui.h"
#include "res/resource_ids.h"

namespace qx::test {
namespace {

FakeStrings Strings() {
    FakeStrings strings;
    strings.texts = {{IDS_MARK_DOWN, L"O"}, {IDS_MARK_UP, L" "}, {IDS_MARK_DISABLED, L"#"},
                     {IDS_MODEL_A100, L"PX-A100"}, {IDS_MODEL_B200, L"PX-B200"}, {IDS_NO_ADDRESS, L"Nothing."}};
    return strings;
}

std::wstring Shown(const std::optional<Mark>& mark) {
    return mark ? MarkText(*mark, Strings()) : L"(kept)";
}

// The tip's left mark down and up is read off the real dialog by the
// diagnostics system test.
TEST(TestModeMarks, DriverLeftAndRightFollowTheEngine) {
    const std::tuple<ButtonState, const wchar_t*, const wchar_t*> cases[] = {
        {ButtonState::Left, L"O", L" "}, {ButtonState::Right, L" ", L"O"}, {ButtonState::Middle, L" ", L" "}};
    for (const auto& [state, left, right] : cases) {
        EXPECT_EQ(left, Shown(DriverButtonMark(state, ButtonState::Left))) << static_cast<int>(state);
        EXPECT_EQ(right, Shown(DriverButtonMark(state, ButtonState::Right))) << static_cast<int>(state);
    }
}

// Calls of UpdateMiddleMarks in turn, from the dialog's timer (hold 0) or
// a small-button report (hold 1): what the driver's and the system's middle
// edits show afterwards ("(kept)" where nothing is written). A press with
// the middle button disabled is read off the real dialog by the
// diagnostics system test.
TEST(TestModeMarks, ASmallButtonPressStaysForOneMoreTickAHeldMiddleEveryTick) {
    struct Step {
        int hold;
        ButtonState state;
        const wchar_t* driver;
        const wchar_t* system;
    };
    const ButtonState none = ButtonState::None, middle = ButtonState::Middle;
    const struct {
        const char* name;
        int middleEnabled;
        std::vector<Step> steps;
    } cases[] = {
        // The engine reports the press, then is back at None before the next
        // tick: that tick keeps the marks, the one after clears them.
        {"a press, enabled", 1, {{0, none, L" ", L" "}, {1, middle, L"O", L"O"}, {0, none, L"(kept)", L"(kept)"},
                                 {0, none, L" ", L" "}}},
        {"a middle report held across ticks", 1, {{0, middle, L"O", L"O"}, {0, middle, L"O", L"O"},
                                                  {0, ButtonState::Left, L" ", L" "}}},
        {"held, disabled", 0, {{0, middle, L"#", L"(kept)"}, {0, none, L" ", L"(kept)"}}},
        // The second press finds the hold set and uses it up.
        {"two presses between ticks", 0, {{1, middle, L"#", L"(kept)"}, {1, middle, L"(kept)", L"(kept)"},
                                          {0, none, L" ", L"(kept)"}}},
    };
    for (const auto& c : cases) {
        MiddleMarks marks;
        for (std::size_t n = 0; n < c.steps.size(); ++n) {
            const Step& step = c.steps[n];
            const auto update = marks.OnUpdate(step.hold, step.state, c.middleEnabled);
            EXPECT_EQ(step.driver, update ? Shown(update->driver) : L"(kept)") << c.name << ", step " << n + 1;
            EXPECT_EQ(step.system, update ? Shown(update->system) : L"(kept)") << c.name << ", step " << n + 1;
        }
    }
}

TEST(TestModeButtons, TheOsVersionClassChoosesTheKeyState) {
    const short kDownToggled = static_cast<short>(0xFF81);
    // The class, the thread's key state, the async state, down or not.
    const std::tuple<int, short, short, bool> cases[] = {
        {kOsNt5, kDownToggled, 0, true},        // the thread's down bit
        {kOsNt5, 0x0001, -32768, false},        // toggled only; the async state is not asked
        {kOsNt5, static_cast<short>(0x8000), 0, false},  // only the low byte's 0x80 counts
        {kOsNt4, 0, 1, true},                   // any nonzero async value
        {kOsWin98, kDownToggled, 0, false},
        {0, 0, -32768, true},
    };
    for (const auto& [osClass, keyState, asyncState, down] : cases)
        EXPECT_EQ(down, SystemButtonDown(osClass, keyState, asyncState)) << osClass << " " << keyState << " " << asyncState;
}

TEST(TestModeTexts, FormatsAsShown) {
    EXPECT_EQ(L"x=-5, y=1023", PositionText(ScreenPoint{-5, 1023}));
    EXPECT_EQ(L"4294967295", UnsignedText(4294967295u));
    EXPECT_EQ(L"-32", IntText(-32));
    // A value, its text as a ratio and as an offset.
    const std::tuple<double, const wchar_t*, const wchar_t*> cases[] = {
        {0.7996, L"0.800", L"0"}, {1.0, L"1.000", L"1"}, {-12.9, L"-12.900", L"-12"},
        {12.9, L"12.900", L"12"}, {-0.5, L"-0.500", L"0"}};
    for (const auto& [value, ratio, offset] : cases) {
        EXPECT_EQ(ratio, RatioText(value)) << value;
        EXPECT_EQ(offset, OffsetText(value)) << value;
    }
    EXPECT_EQ(L"0.799", ManualFieldText(0.799));
    EXPECT_EQ(L"0.333333333333333", ManualFieldText(1.0 / 3));
    EXPECT_EQ(L"-5", ManualFieldText(-5.0));
    EXPECT_EQ(L"1e+20", ManualFieldText(1e20));
}

TEST(TestModeManualFields, ReadsOneNumberPerField) {
    const std::pair<const wchar_t*, std::optional<double>> cases[] = {
        {L"0", 0.0},          {L" 1.5 ", 1.5},   {L"\t-2\t", -2.0}, {L"1e3", 1000.0},
        {L"+7", 7.0},         {L".5", 0.5},      {L"abc", std::nullopt}, {L"1.5\n", std::nullopt},
        {L"", std::nullopt},  {L"   ", std::nullopt}, {L"1.5abc", std::nullopt}, {L"1 2", std::nullopt},
        // Zero however it is spelt; a number that only underflows to 0 is refused.
        {L"-0", 0.0}, {L".0", 0.0}, {L"0.000", 0.0}, {L"+0.0e5", 0.0}, {L"1e-999", std::nullopt},
        {L"-", std::nullopt}, {L".", std::nullopt}, {L"e5", std::nullopt},
        // Not a plain finite decimal number.
        {L"1e999", std::nullopt}, {L"inf", std::nullopt}, {L"0x10", std::nullopt}, {L"1\u00b2", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        const std::optional<double> read = ReadManualNumber(text);
        EXPECT_EQ(value.has_value(), read.has_value()) << "[" << std::string(text, text + wcslen(text)) << "]";
        if (value && read) EXPECT_DOUBLE_EQ(*value, *read);
    }
}

// Whatever the manual fields show, Enter and Set read back: the display
// again shows the same text, a negative zero keeps its sign.
TEST(TestModeManualFields, EveryShownNumberReadsBack) {
    using Limits = std::numeric_limits<double>;
    const double values[] = {0.0,          -0.0,         1.0,           -1.0,
                             0.1,          1.0 / 3,      -1280.0 / 1237, 0.799,
                             1e-300,       Limits::min(), Limits::denorm_min(),
                             -3 * Limits::denorm_min(),  1e300,         -1e300,
                             Limits::max(), -Limits::max(), 123456789012345678.0, 1e15};
    for (const double v : values) {
        const std::wstring shown = ManualFieldText(v);
        const std::optional<double> read = ReadManualNumber(shown);
        const std::string text(shown.begin(), shown.end());
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(ManualFieldText(*read), shown) << text;
        EXPECT_EQ(std::signbit(*read), std::signbit(v)) << text;
        EXPECT_TRUE(std::isfinite(*read)) << text;
    }
}

// A good reading and the focus on a failing field are met by the
// diagnostics system test's Set.
TEST(TestModeManualFields, TheFirstFieldThatIsNotANumberFails) {
    const ManualReading bad = ReadManualFields({L"1", L"1", L"", L"abc"});
    EXPECT_FALSE(bad.values.has_value());
    EXPECT_EQ(2, bad.failedField);
}

TEST(TestModeCaptionText, NamesModel100AndEveryOtherCodeAsTheSecond) {
    const FakeStrings strings = Strings();
    const std::pair<int, const wchar_t*> cases[] = {{100, L"Test Mode (PX-A100)"}, {200, L"Test Mode (PX-B200)"},
                                                    {0, L"Test Mode (PX-B200)"}, {9999, L"Test Mode (PX-B200)"}};
    for (const auto& [code, caption] : cases) EXPECT_EQ(caption, TestModeCaption(L"Test Mode", code, strings)) << code;
}

TEST(TestModeAddresses, ListsEachAddressOnceOrNothing) {
    const FakeStrings strings = Strings();
    using Entries = std::vector<std::wstring>;
    const std::vector<Ipv4Address> two = {{192, 168, 0, 10}, {10, 0, 0, 255}, {192, 168, 0, 10}};
    EXPECT_EQ((Entries{L" 192.168.0.10", L" 10.0.0.255"}), AddressEntries(false, two, strings));
    EXPECT_EQ((Entries{L"Nothing."}), AddressEntries(false, std::nullopt, strings));
    EXPECT_EQ(Entries{}, AddressEntries(true, std::nullopt, strings));
}

TEST(TestModeAddresses, TellsADottedAddressFromAName) {
    const std::pair<const char*, bool> cases[] = {{"192.168.0.1", true},  {"0.0.0.0", true},       {"255.255.255.255", true},
                 {"PANEL-PC", false},    {"192.168.0", false},    {"192.168.0.256", false},
                 {"1.2.3.4.5", false},   {"1.2.3.4.", false},     {"1..3.4", false},
                 {"1234.1.1.1", false},  {"", false},             {"10.0.0.1a", false}};
    for (const auto& [name, dotted] : cases) EXPECT_EQ(dotted, IsDottedAddress(name)) << name;
}

// At 1280 x 768 the diagnostics system test reads these places off the real
// chart; here a size where the first white column is an even one.
TEST(TestChart, GeometryAt1024x600) {
    // 1024 / 3 = 341: the first white column is 342, an even one.
    const TestChartLayout layout = ChartLayout(1024, 600);
    EXPECT_EQ((std::vector<int>{341, 682, 200, 400}),
              (std::vector<int>{layout.firstColumn, layout.lastColumn, layout.stripeTop, layout.stripeBottom}));
    EXPECT_FALSE(StripeIsWhite(layout, 341));
    EXPECT_TRUE(StripeIsWhite(layout, 342));
    EXPECT_TRUE(StripeIsWhite(layout, 682));  // i = 341, odd
    EXPECT_EQ(170, layout.modeLine.y);
}

}  // namespace
}  // namespace qx::test
