#include "link/port_reconnect.h"

namespace qx {

void PortReconnect::Start(bool configured) {
    if (state_ != PortState::Idle) return;
    acting_ = true;
    const bool opened = port_.Open(true);
    acting_ = false;
    if (state_ == PortState::Stopped) return;
    if (opened) {
        state_ = PortState::Open;
        return;
    }
    if (configured) state_ = PortState::Absent;
    port_.ShowOpenFailed();
    // The retry starts once the box is closed: a device that arrived while it
    // was open has been taken already, and a stop has ended everything.
    if (state_ == PortState::Absent) port_.SetRetryTimer(true);
}

void PortReconnect::OnLinkEnded() {
    if (state_ != PortState::Open || acting_) return;
    state_ = PortState::Absent;
    acting_ = true;
    port_.Close();
    acting_ = false;
    if (state_ == PortState::Absent) port_.SetRetryTimer(true);
}

void PortReconnect::TryAgain() {
    if (state_ != PortState::Absent || acting_) return;
    acting_ = true;
    const bool opened = port_.Open(false);
    acting_ = false;
    if (state_ == PortState::Stopped) {
        // Stopped while the old thread was being ended: nothing may read now.
        if (opened) port_.Close();
        return;
    }
    if (!opened) return;  // the timer keeps running
    state_ = PortState::Open;
    port_.SetRetryTimer(false);
}

void PortReconnect::Stop() {
    state_ = PortState::Stopped;
    port_.SetRetryTimer(false);
    port_.Close();
}

}  // namespace qx
