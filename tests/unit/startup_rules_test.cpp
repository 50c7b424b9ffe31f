#include "base/startup_rules.h"

#include <gtest/gtest.h>


namespace qx {
namespace {

// The class already known stays when the version says nothing new.
TEST(OsVersionClass, FollowsPlatformAndVersion) {
    const struct { bool reported; unsigned platform, major, minor; int known, expected; } cases[] = {
        {true, kPlatformWin32Windows, 4, 0, 0, kOsWin95}, {true, kPlatformWin32Windows, 4, 10, 0, kOsWin98},
        {true, kPlatformWin32Windows, 4, 90, 0, kOsWin98}, {true, kPlatformWin32Nt, 4, 0, 0, kOsNt4},
        {true, kPlatformWin32Nt, 5, 1, 0, kOsNt5},         {true, kPlatformWin32Nt, 10, 0, 0, 0},
        {true, kPlatformWin32Nt, 6, 0, 77, 77},           {true, 3, 10, 0, 0, kOsWin95},
        {false, kPlatformWin32Nt, 5, 0, 77, 77},          // the call failed
    };
    for (const auto& c : cases)
        EXPECT_EQ(OsVersionClass(c.reported, c.platform, c.major, c.minor, c.known), c.expected) << c.platform << " " << c.major;
}

TEST(InstallCommandLine, OnlyTheExactTextSelectsIt) {
    EXPECT_TRUE(IsInstallCommandLine(L"-i"));
    for (const wchar_t* other : {L"", L"-I", L"/i", L"-i ", L" -i", L"-i x", L"-install"})
        EXPECT_FALSE(IsInstallCommandLine(other)) << other;
}

// A new mutex (no handle error) makes the copy resident, an existing one
// (183) does not: the instance system test starts copies side by side.
TEST(InstanceMutexDecision, NoMutexMakesNoResidentCopy) {
    for (const unsigned long error : {5ul, 0ul})  // access denied, or no reason given
        EXPECT_EQ(InstanceMutexDecision(false, error), InstanceDecision::AlreadyRunning) << error;
}

TEST(HotKeyCode, IsTheFirstCharacterWithLettersInUpperCase) {
    const struct { const char* stored; unsigned key; } cases[] = {
        {"C", 'C'}, {"c", 'C'}, {"a", 'A'}, {"z", 'Z'}, {"Zq", 'Z'}, {"7x", '7'},
        {"", 0u},   {"`", '`'}, {"{", '{'}, {"\xB1", 0xB1u},  // no sign extension
    };
    for (const auto& c : cases) EXPECT_EQ(HotKeyCode(c.stored), c.key) << c.stored;
}

}  // namespace
}  // namespace qx
