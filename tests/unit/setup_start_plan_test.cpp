// Which way the setup starts the driver it installed, for the accounts and
// sessions a setup runs in on Windows.
#include "app/setup_start_plan.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct Row {
    const char* situation;
    SetupContext context;
    DriverStart start;
    bool copyChoices;
};

SetupContext Context(bool system, unsigned long session, bool shell, bool elevated,
                     bool sameUser, bool vista = true) {
    SetupContext c;
    c.runsAsSystem = system;
    c.sessionId = session;
    c.sessionZeroIsServices = vista;
    c.shellRunning = shell;
    c.elevated = elevated;
    c.shellUserIsSetupUser = sameUser;
    return c;
}

TEST(SetupStartPlan, TakesTheInteractiveUsersNormalTokenOrStartsNothing) {
    const Row rows[] = {
        {"deployment tool: SYSTEM in session 0", Context(true, 0, false, true, false),
         DriverStart::None, false},
        {"SYSTEM in a user's session (scheduled or psexec -s -i)",
         Context(true, 1, true, true, false), DriverStart::None, false},
        {"an administrator's elevated token in session 0", Context(false, 0, true, true, true),
         DriverStart::None, false},
        {"no user logged on to the session", Context(false, 2, false, true, true),
         DriverStart::None, false},
        {"administrator, UAC elevation of one's own account", Context(false, 1, true, true, true),
         DriverStart::AsShellUser, false},
        {"standard user, over-the-shoulder elevation", Context(false, 1, true, true, false),
         DriverStart::AsShellUser, true},
        {"no UAC: the setup's token is the user's own", Context(false, 1, true, false, true),
         DriverStart::Direct, false},
        {"Windows XP: the console user is in session 0",
         Context(false, 0, true, false, true, false), DriverStart::Direct, false},
    };
    for (const Row& row : rows) {
        const SetupStartPlan plan = PlanDriverStart(row.context);
        EXPECT_EQ(row.start, plan.start) << row.situation;
        EXPECT_EQ(row.copyChoices, plan.copyChoicesToShellUser) << row.situation;
    }
}

}  // namespace
}  // namespace qx
