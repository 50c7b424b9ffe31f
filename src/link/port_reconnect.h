// Keeping the pen port open while its device comes and goes: a USB serial
// adapter can be unplugged and plugged back, or be plugged in only after the
// program started. The start reports a port that cannot be opened once;
// from then on, and whenever reception ends on its own, the port is tried
// again quietly, on a periodic retry and whenever a serial device arrives,
// until it opens. A port that is not configured is never tried again.
#ifndef QXDRV_LINK_PORT_RECONNECT_H
#define QXDRV_LINK_PORT_RECONNECT_H

namespace qx {

// What the reconnect rules ask of the serial link's side.
class PenPortControl {
public:
    virtual ~PenPortControl() = default;
    // Opens the port with the board's line settings and starts a receive
    // thread on it; true when the port opened. The first open is the start's.
    virtual bool Open(bool first) = 0;
    // Ends the receive thread and closes the port.
    virtual void Close() = 0;
    // The start's failure message (57677), shown once.
    virtual void ShowOpenFailed() = 0;
    virtual void SetRetryTimer(bool on) = 0;
};

// How often an absent port is tried again.
constexpr unsigned kPortRetryMs = 2000;

enum class PortState {
    Idle,          // not started, or no port configured
    Open,          // the port is open and a receive thread reads it
    Absent,        // the port went away or never opened: retried
    Stopped,       // reception stopped for good
};

class PortReconnect {
public:
    explicit PortReconnect(PenPortControl& port) : port_(port) {}
    PortReconnect(const PortReconnect&) = delete;
    PortReconnect& operator=(const PortReconnect&) = delete;

    // The start: opens the port; a port that does not open is reported and,
    // if one is configured, retried from then on.
    void Start(bool configured);
    // Reception ended on its own (the device went away).
    void OnLinkEnded();
    // A serial device arrived, or the retry period passed: an absent port is
    // tried again.
    void OnDeviceArrival() { TryAgain(); }
    void OnRetryTick() { TryAgain(); }
    // Reception ends for good; no event opens the port again.
    void Stop();

    PortState State() const { return state_; }

private:
    void TryAgain();

    PenPortControl& port_;
    PortState state_ = PortState::Idle;
    // Set while the port is opened or closed: closing waits for the receive
    // thread while serving sent messages, and an arrival sent meanwhile must
    // not open the port under it (the retry comes back to it).
    bool acting_ = false;
};

}  // namespace qx

#endif
