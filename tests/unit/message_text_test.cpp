#include "base/message_text.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(InsertArgs, ReplacesNumberedInsertionsOnly) {
    const struct { const wchar_t* text; std::vector<std::wstring> args; const wchar_t* expected; } cases[] = {
        {L"Quit %1 application?", {L"QXdrv"}, L"Quit QXdrv application?"}, {L"(%1)", {L""}, L"()"},
        {L"%2 then %1", {L"a", L"b"}, L"b then a"}, {L"%1%1", {L"x"}, L"xx"}, {L"missing %2", {L"a"}, L"missing "},
        {L"%d x %d and 100%", {L"a"}, L"%d x %d and 100%"}, {L"%0 and %%1", {L"a"}, L"%0 and %a"},
    };
    for (const auto& c : cases) EXPECT_EQ(InsertArgs(c.text, c.args), c.expected) << c.text;
}

TEST(Widen, KeepsEveryByteAsOneCharacter) {
    EXPECT_EQ(Widen("COM1:"), L"COM1:");
    EXPECT_EQ(Widen(std::string("\xE9", 1)), std::wstring(1, static_cast<wchar_t>(0xE9)));
}

}  // namespace
}  // namespace qx
