// The board's end of the serial line: a pty this process creates (the driver
// opens its slave as COM1) or an existing serial device or pty. Writes are
// paced at the board's baud rate or go out as fast as the reader takes them.
#ifndef QXDRV_TOOLS_PENSIM_BOARD_PORT_H
#define QXDRV_TOOLS_PENSIM_BOARD_PORT_H

#include <chrono>
#include <csignal>
#include <functional>
#include <memory>
#include <string>

namespace qx::pensim {

// Set by SIGTERM, SIGINT and SIGHUP; every wait in the simulator gives up when
// it is set so that the process ends promptly.
extern volatile std::sig_atomic_t g_stopRequested;

using Clock = std::chrono::steady_clock;

// Sleeps until the deadline or a stop request; false when stopped.
bool SleepUntil(Clock::time_point deadline);

class BoardPort {
public:
    // Makes a pty in raw mode and points 'link' at its slave.
    static std::unique_ptr<BoardPort> CreatePty(const std::string& link, std::string& error);

    ~BoardPort();
    BoardPort(const BoardPort&) = delete;
    BoardPort& operator=(const BoardPort&) = delete;

    // The device the driver's side opens (the pty slave, or the device path).
    const std::string& PeerPath() const { return peerPath_; }

    // Paced writing spends ten bit times per byte (start, 8 data, stop).
    void SetPacing(bool paced, int baud);
    bool Paced() const { return paced_; }
    void SetStallTimeout(std::chrono::milliseconds timeout) { stallTimeout_ = timeout; }

    // Writes every byte. Returns the count written, which is short when the
    // reader stalls past the stall timeout or the device fails ('error' set),
    // or a stop is requested. 'interrupt' is asked only until the first byte
    // is out, so that an interruption never cuts a report in two.
    std::size_t Write(const std::string& bytes, std::string& error,
                      const std::function<bool()>& interrupt = {});

    // Reads and drops whatever the driver's side wrote, so that an echo can
    // never fill the master and block the line.
    void DrainInput();

private:
    BoardPort(int fd, int peerFd, std::string peerPath, std::string link);
    bool WaitWritable(std::string& error, const std::function<bool()>& interrupt);

    int fd_;
    int peerFd_;  // our own hold on the slave keeps the line alive between opens
    std::string peerPath_;
    std::string link_;
    bool paced_ = true;
    std::chrono::nanoseconds byteTime_{};
    Clock::time_point nextDue_{};
    std::chrono::milliseconds stallTimeout_{5000};
};

}  // namespace qx::pensim

#endif
