#include "app/setup_start_plan.h"

namespace qx {

SetupStartPlan PlanDriverStart(const SetupContext& context) {
    SetupStartPlan plan;
    // A service session or a session without a shell has no user to see the
    // driver; a copy started there would only hold the COM port.
    if (context.runsAsSystem) return plan;
    if (context.sessionId == 0 && context.sessionZeroIsServices) return plan;
    if (!context.shellRunning) return plan;
    if (!context.elevated) {
        plan.start = DriverStart::Direct;
        return plan;
    }
    plan.start = DriverStart::AsShellUser;
    plan.copyChoicesToShellUser = !context.shellUserIsSetupUser;
    return plan;
}

}  // namespace qx
