#include "shell/tray_icon_retry.h"

namespace qx {

TrayAddNext AfterTrayAdd(bool added, int attemptsMade) {
    if (added) return TrayAddNext::Done;
    return attemptsMade <= kTrayRetryAttempts ? TrayAddNext::RetryLater : TrayAddNext::GiveUp;
}

}  // namespace qx
