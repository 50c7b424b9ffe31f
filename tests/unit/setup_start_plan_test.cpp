// Which way the setup starts the driver it installed, for the accounts and
// sessions a setup runs in on Windows.
#include "app/setup_start_plan.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct Row { const char* situation; SetupContext context; DriverStart start; bool copyChoices; };

TEST(SetupStartPlan, TakesTheInteractiveUsersNormalTokenOrStartsNothing) {
    // The context: SYSTEM, session, session 0 is the services' (Vista and later), a shell
    // runs, elevated, the shell's user is the setup's.
    const Row rows[] = {
        {"deployment tool: SYSTEM in session 0", SetupContext{true, 0, true, false, true, false}, DriverStart::None, false},
        {"SYSTEM in a user's session (psexec -s -i)", SetupContext{true, 1, true, true, true, false}, DriverStart::None, false},
        {"an administrator's elevated token in session 0", SetupContext{false, 0, true, true, true, true}, DriverStart::None, false},
        {"no user logged on to the session", SetupContext{false, 2, true, false, true, true}, DriverStart::None, false},
        {"administrator elevating their own account", SetupContext{false, 1, true, true, true, true}, DriverStart::AsShellUser, false},
        {"standard user elevated over the shoulder", SetupContext{false, 1, true, true, true, false}, DriverStart::AsShellUser, true},
        {"no UAC: the setup's token is the user's own", SetupContext{false, 1, true, true, false, true}, DriverStart::Direct, false},
        {"Windows XP: the console user is in session 0", SetupContext{false, 0, false, true, false, true}, DriverStart::Direct, false},
    };
    for (const Row& row : rows) {
        const SetupStartPlan plan = PlanDriverStart(row.context);
        EXPECT_EQ(row.start, plan.start) << row.situation;
        EXPECT_EQ(row.copyChoices, plan.copyChoicesToShellUser) << row.situation;
    }
}

}  // namespace
}  // namespace qx
