// How the setup starts the driver it installed. The setup runs elevated (an
// administrator's full token, possibly another account than the one logged
// on) or as SYSTEM under a deployment tool; the driver must run as the
// interactive user with that user's normal token, in that user's session,
// or not at all (the Run entry then starts it at the next logon).
#ifndef QXDRV_APP_SETUP_START_PLAN_H
#define QXDRV_APP_SETUP_START_PLAN_H

namespace qx {

struct SetupContext {
    bool runsAsSystem = false;     // the setup's token is LocalSystem's
    unsigned long sessionId = 0;   // the setup's session
    bool sessionZeroIsServices = true;  // Windows Vista and later
    bool shellRunning = false;     // the session has a desktop shell (a logged-on user)
    bool elevated = false;         // the setup's token is an elevated one
    bool shellUserIsSetupUser = true;  // the shell runs under the setup's own account
};

enum class DriverStart {
    None,         // start nothing: the Run entry starts it at the next logon
    Direct,       // the setup's own token is the user's normal one
    AsShellUser,  // with the token of the session's shell process
};

struct SetupStartPlan {
    DriverStart start = DriverStart::None;
    // The port and model the setup stored go into the shell user's own
    // settings too: that user's per-user values are read before the
    // machine-wide ones, and the setup's HKEY_CURRENT_USER is another hive.
    bool copyChoicesToShellUser = false;
};

SetupStartPlan PlanDriverStart(const SetupContext& context);

}  // namespace qx

#endif
