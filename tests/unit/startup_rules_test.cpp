#include "app/startup_rules.h"

#include <gtest/gtest.h>

#include "app/pointer_metrics.h"
#include "fakes/fake_ui.h"
#include "link/line_settings.h"

namespace qx {
namespace {

TEST(OsVersionClass, FollowsPlatformAndVersion) {
    struct Case {
        bool reported;
        unsigned platform, major, minor;
        int expected;
    } cases[] = {
        {true, kPlatformWin32Windows, 4, 0, kOsWin95},
        {true, kPlatformWin32Windows, 4, 10, kOsWin98},
        {true, kPlatformWin32Windows, 4, 90, kOsWin98},
        {true, kPlatformWin32Nt, 4, 0, kOsNt4},
        {true, kPlatformWin32Nt, 5, 1, kOsNt5},
        {true, kPlatformWin32Nt, 6, 1, 0},   // unchanged
        {true, kPlatformWin32Nt, 10, 0, 0},  // unchanged
        {true, 3, 10, 0, kOsWin95},
        {false, kPlatformWin32Nt, 5, 0, 0},  // call failed: unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsVersionClass(c.reported, c.platform, c.major, c.minor, 0), c.expected)
            << c.platform << " " << c.major << "." << c.minor;
    EXPECT_EQ(OsVersionClass(true, kPlatformWin32Nt, 6, 0, 77), 77);
    EXPECT_EQ(OsVersionClass(false, kPlatformWin32Nt, 5, 0, 77), 77);
}

TEST(InstallCommandLine, OnlyTheExactTextSelectsIt) {
    EXPECT_TRUE(IsInstallCommandLine(L"-i"));
    for (const wchar_t* other : {L"", L"-I", L"/i", L"-i ", L" -i", L"-i x", L"-install"})
        EXPECT_FALSE(IsInstallCommandLine(other)) << other;
}

TEST(HotKeyCode, IsTheFirstCharacterWithLettersInUpperCase) {
    const struct {
        const char* stored;
        unsigned key;
    } cases[] = {
        {"C", 'C'}, {"c", 'C'}, {"a", 'A'}, {"z", 'Z'}, {"Zq", 'Z'}, {"7x", '7'},
        {"", 0u},   {"`", '`'}, {"{", '{'}, {"\xB1", 0xB1u},  // no sign extension
    };
    for (const auto& c : cases) EXPECT_EQ(HotKeyCode(c.stored), c.key) << c.stored;
}

TEST(PointerMetrics, RestoreAndDragSizeInTheirOrder) {
    test::FakeSystemParams system;
    RestorePointerMetrics(system, SavedPointerMetrics{4, 5, 700, 6, 7});
    ApplyDragSize(system, 40);
    const std::vector<std::pair<unsigned, unsigned>> expected{
        {kSpiSetDoubleClkHeight, 5}, {kSpiSetDoubleClkWidth, 4}, {kSpiSetDoubleClickTime, 700},
        {kSpiSetDragHeight, 7},      {kSpiSetDragWidth, 6},      {kSpiSetDragHeight, 40},
        {kSpiSetDragWidth, 40}};
    EXPECT_EQ(system.calls, expected);
}

TEST(LineSettings, FlagWordSetsHandshakeAndKeepsErrorCharAndReservedBits) {
    struct Case {
        std::uint32_t old, expected;
    } cases[] = {
        {0x00000000u, 0x00006097u},
        {0xFFFFFFFFu, 0xFFFFE497u | 0x6097u},
        {0x00000400u, 0x00006497u},  // fErrorChar stays
        {0x00001B68u, 0x00006097u},  // DSR flow, DSR sensitivity, XON/XOFF, fNull, RTS bit 12 cleared
        {0x80008000u, 0x8000E097u},  // reserved bits stay
    };
    for (const Case& c : cases) EXPECT_EQ(PenLineFlags(c.old), c.expected) << std::hex << c.old;
}

}  // namespace
}  // namespace qx
