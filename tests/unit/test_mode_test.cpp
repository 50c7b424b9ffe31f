// What the test mode dialog and the test chart compute: the marks with the
// middle-button hold, the system button rule, the shown texts, the reading
// of the manual fields, the caption, the address list and the chart's
// geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/startup_rules.h"
#include "diag/test_chart_layout.h"
#include "diag/test_mode_rules.h"
#include "fakes/fake_ui.h"
#include "res/resource_ids.h"

namespace qx::test {
namespace {

FakeStrings Strings() {
    FakeStrings strings;
    strings.texts = {{IDS_MARK_DOWN, L"O"},        {IDS_MARK_UP, L" "},
                     {IDS_MARK_DISABLED, L"#"},    {IDS_MODEL_A100, L"PX-A100"},
                     {IDS_MODEL_B200, L"PX-B200"}, {IDS_NO_ADDRESS, L"Nothing."}};
    return strings;
}

std::wstring Shown(const std::optional<Mark>& mark) {
    return mark ? MarkText(*mark, Strings()) : L"(kept)";
}

TEST(TestModeMarks, DriverLeftAndRightFollowTheEngine) {
    const struct {
        ButtonState state;
        const wchar_t* left;
        const wchar_t* right;
    } cases[] = {{ButtonState::None, L" ", L" "},
                 {ButtonState::Left, L"O", L" "},
                 {ButtonState::Right, L" ", L"O"},
                 {ButtonState::Middle, L" ", L" "}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.left, Shown(DriverButtonMark(c.state, ButtonState::Left)))
            << static_cast<int>(c.state);
        EXPECT_EQ(c.right, Shown(DriverButtonMark(c.state, ButtonState::Right)))
            << static_cast<int>(c.state);
    }
}

// One call of UpdateMiddleMarks: what the driver's and the system's middle
// edits show afterwards ("(kept)" where nothing is written).
struct Step {
    int hold;  // 0 timer tick, 1 small-button report
    ButtonState state;
    const wchar_t* driver;
    const wchar_t* system;
};

void RunTicks(int middleEnabled, std::initializer_list<Step> steps) {
    MiddleMarks marks;
    int n = 0;
    for (const Step& step : steps) {
        ++n;
        const auto update = marks.OnUpdate(step.hold, step.state, middleEnabled);
        const std::wstring driver = update ? Shown(update->driver) : L"(kept)";
        const std::wstring system = update ? Shown(update->system) : L"(kept)";
        EXPECT_EQ(step.driver, driver) << "step " << n << ", middle enabled " << middleEnabled;
        EXPECT_EQ(step.system, system) << "step " << n << ", middle enabled " << middleEnabled;
    }
}

TEST(TestModeMarks, ASmallButtonPressStaysForOneMoreTickAHeldMiddleEveryTickDisabledShowsHash) {
    // The engine reports the press (state Middle during the call), then is
    // back at None before the next tick: that tick keeps the marks, the one
    // after clears them.
    RunTicks(0, {{0, ButtonState::None, L" ", L"(kept)"},
            {1, ButtonState::Middle, L"#", L"(kept)"},
            {0, ButtonState::None, L"(kept)", L"(kept)"},
            {0, ButtonState::None, L" ", L"(kept)"}});
    RunTicks(1, {{0, ButtonState::None, L" ", L" "},
            {1, ButtonState::Middle, L"O", L"O"},
            {0, ButtonState::None, L"(kept)", L"(kept)"},
            {0, ButtonState::None, L" ", L" "}});
    // A middle report held across ticks shows every tick.
    RunTicks(1, {{0, ButtonState::Middle, L"O", L"O"}, {0, ButtonState::Middle, L"O", L"O"},
            {0, ButtonState::Left, L" ", L" "}});
    RunTicks(0, {{0, ButtonState::Middle, L"#", L"(kept)"}, {0, ButtonState::None, L" ", L"(kept)"}});
    // Two presses between ticks: the second finds the hold set and uses it
    // up, nothing is written.
    RunTicks(0, {{1, ButtonState::Middle, L"#", L"(kept)"},
            {1, ButtonState::Middle, L"(kept)", L"(kept)"},
            {0, ButtonState::None, L" ", L"(kept)"}});
}

TEST(TestModeButtons, TheOsVersionClassChoosesTheKeyState) {
    const short kDownToggled = static_cast<short>(0xFF81);
    const struct {
        int osClass;
        short keyState;
        short asyncState;
        bool down;
    } cases[] = {
        {kOsNt5, kDownToggled, 0, true},        // the thread's down bit
        {kOsNt5, 0x0001, -32768, false},        // toggled only; the async state is not asked
        {kOsNt5, static_cast<short>(0x8000), 0, false},  // only the low byte's 0x80 counts
        {kOsNt4, 0, 1, true},                   // any nonzero async value
        {kOsWin98, kDownToggled, 0, false},
        {0, 0, -32768, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.down, SystemButtonDown(c.osClass, c.keyState, c.asyncState))
            << c.osClass << " " << c.keyState << " " << c.asyncState;
}

TEST(TestModeTexts, FormatsAsShown) {
    EXPECT_EQ(L"x=-5, y=1023", PositionText(ScreenPoint{-5, 1023}));
    EXPECT_EQ(L"4294967295", UnsignedText(4294967295u));
    EXPECT_EQ(L"-32", IntText(-32));
    const struct {
        double value;
        const wchar_t* ratio;
        const wchar_t* offset;
    } cases[] = {{0.7996, L"0.800", L"0"},  {1.0, L"1.000", L"1"},
                 {-12.9, L"-12.900", L"-12"}, {12.9, L"12.900", L"12"},
                 {-0.5, L"-0.500", L"0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.ratio, RatioText(c.value)) << c.value;
        EXPECT_EQ(c.offset, OffsetText(c.value)) << c.value;
    }
    EXPECT_EQ(L"0.799", ManualFieldText(0.799));
    EXPECT_EQ(L"0.333333333333333", ManualFieldText(1.0 / 3));
    EXPECT_EQ(L"-5", ManualFieldText(-5.0));
    EXPECT_EQ(L"1e+20", ManualFieldText(1e20));
}

TEST(TestModeManualFields, ReadsOneNumberPerField) {
    const struct {
        const wchar_t* text;
        std::optional<double> value;
    } cases[] = {
        {L"0", 0.0},          {L" 1.5 ", 1.5},   {L"\t-2\t", -2.0}, {L"1e3", 1000.0},
        {L"0.000", 0.0},      {L"+7", 7.0},      {L".5", 0.5},      {L"abc", std::nullopt},
        {L"", std::nullopt},  {L"   ", std::nullopt},
        {L"1.5abc", std::nullopt}, {L"1 2", std::nullopt},
        // Zero however it is spelt; a number that only underflows to 0 is refused.
        {L"-0", 0.0}, {L".0", 0.0}, {L"+0.0e5", 0.0}, {L"1e-999", std::nullopt},
        {L"-", std::nullopt}, {L".", std::nullopt}, {L"e5", std::nullopt},
        // Not a plain finite decimal number.
        {L"1e999", std::nullopt}, {L"1.8e308", std::nullopt}, {L"inf", std::nullopt},
        {L"nan", std::nullopt},
        {L"0x10", std::nullopt}, {L"1\u00b2", std::nullopt}, {L"1.5\n", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> read = ReadManualNumber(c.text);
        EXPECT_EQ(c.value.has_value(), read.has_value()) << "[" << std::string(c.text, c.text + wcslen(c.text)) << "]";
        if (c.value && read) EXPECT_DOUBLE_EQ(*c.value, *read);
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
    EXPECT_EQ(ReadManualNumber(L"1.79769313486232e+308"), Limits::max());
    EXPECT_EQ(ReadManualNumber(L"-1.79769313486232e+308"), -Limits::max());
}

TEST(TestModeManualFields, TheFirstFieldThatIsNotANumberFails) {
    const ManualReading good = ReadManualFields({L"0.799", L" 1 ", L"-1", L"-5.25"});
    ASSERT_TRUE(good.values.has_value());
    EXPECT_DOUBLE_EQ(0.799, good.values->ratioX);
    EXPECT_DOUBLE_EQ(1.0, good.values->ratioY);
    EXPECT_DOUBLE_EQ(-1.0, good.values->offsetX);
    EXPECT_DOUBLE_EQ(-5.25, good.values->offsetY);
    const ManualReading bad = ReadManualFields({L"1", L"1", L"", L"abc"});
    EXPECT_FALSE(bad.values.has_value());
    EXPECT_EQ(2, bad.failedField);
}

TEST(TestModeCaptionText, NamesModel100AndEveryOtherCodeAsTheSecond) {
    const FakeStrings strings = Strings();
    const struct {
        int code;
        const wchar_t* caption;
    } cases[] = {{100, L"Test Mode (PX-A100)"}, {200, L"Test Mode (PX-B200)"},
                 {0, L"Test Mode (PX-B200)"},   {9999, L"Test Mode (PX-B200)"}};
    for (const auto& c : cases) EXPECT_EQ(c.caption, TestModeCaption(L"Test Mode", c.code, strings)) << c.code;
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
    const struct {
        const char* name;
        bool dotted;
    } cases[] = {{"192.168.0.1", true},  {"0.0.0.0", true},       {"255.255.255.255", true},
                 {"PANEL-PC", false},    {"192.168.0", false},    {"192.168.0.256", false},
                 {"1.2.3.4.5", false},   {"1.2.3.4.", false},     {"1..3.4", false},
                 {"1234.1.1.1", false},  {"", false},             {"10.0.0.1a", false}};
    for (const auto& c : cases) EXPECT_EQ(c.dotted, IsDottedAddress(c.name)) << c.name;
}

// At 1280 x 768 the diagnostics system test reads these places off the real
// chart; here a size where the first white column is an even one.
TEST(TestChart, GeometryAt1024x600) {
    // 1024 / 3 = 341: the first white column is 342, an even one.
    const TestChartLayout layout = ChartLayout(1024, 600);
    EXPECT_EQ(341, layout.firstColumn);
    EXPECT_EQ(682, layout.lastColumn);
    EXPECT_EQ(200, layout.stripeTop);
    EXPECT_EQ(400, layout.stripeBottom);
    EXPECT_FALSE(StripeIsWhite(layout, 341));
    EXPECT_TRUE(StripeIsWhite(layout, 342));
    EXPECT_TRUE(StripeIsWhite(layout, 682));  // i = 341, odd
    EXPECT_EQ(170, layout.modeLine.y);
}

}  // namespace
}  // namespace qx::test
