// The help file the Help command opens, for the files a site may have beside
// the program and the Windows versions it may run on.
#include "shell/help_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace qx {
namespace {

const std::wstring kExe = L"C:\\Program Files\\NORVANE\\QXdrv\\QXdrv.exe";
const std::wstring kDir = L"C:\\Program Files\\NORVANE\\QXdrv\\";

// The files beside the program, then the choice expected.
struct Row {
    const char* situation; unsigned long windowsMajor; std::set<std::wstring> files; std::wstring winHelp, htmlHelp; bool found;
};

TEST(HelpChoice, OldHelpOnlyWhereWinHelpCanShowItElseTheLanguagesHtmlHelp) {
    const Row rows[] = {
        {"Windows XP with a site help file", 5, {L"QXdrv.HLP", L"QXdrv_ja.chm"}, kDir + L"QXdrv.HLP", L"", false},
        {"Windows 7 with a site help file", 6, {L"QXdrv.HLP", L"QXdrv_ja.chm"}, kDir + L"QXdrv.HLP", L"", false},
        {"Windows 10 passes a site help file over", 10, {L"QXdrv.HLP", L"QXdrv_ja.chm"}, L"", kDir + L"QXdrv_ja.chm", true},
        {"Windows 11 (major 10), English fallback", 10, {L"QXdrv.HLP", L"QXdrv_en.chm"}, L"", kDir + L"QXdrv_en.chm", true},
        {"no help at all names the language's file", 10, {}, L"", kDir + L"QXdrv_ja.chm", false},
        {"an old system without a site help file", 5, {L"QXdrv_ja.chm"}, L"", kDir + L"QXdrv_ja.chm", true},
    };
    for (const Row& row : rows) {
        const HelpChoice choice = ChooseHelp(kExe, L"QXdrv_ja.chm", WinHelpCanShow(row.windowsMajor), [&](const std::wstring& path) {
            return path.rfind(kDir, 0) == 0 && row.files.count(path.substr(kDir.size())) == 1;
        });
        EXPECT_EQ(std::tie(row.winHelp, row.htmlHelp, row.found), std::tie(choice.winHelpFile, choice.htmlHelpFile, choice.found))
            << row.situation;
    }
}

}  // namespace
}  // namespace qx
