// pensim: pen board simulator for the system tests.
//
//   pensim --pty LINK --fifo PATH
//
// Makes a pty, points LINK at its slave (the driver's COM1) and runs each line
// written to the control FIFO, until "quit" or SIGTERM. The first output line
// is "ready <pty slave>"; then one line per command (see command_runner.h).
// Writes are paced at 38400 baud (ten bits a byte) unless "pace off".
//
// Commands (X 0..9999, Y 0..999):
//   hover|left|right|middle X Y   "@XXXXYYY", "L...", "R...", "M..." and CR
//   release | small               "?T" CR | "?M" CR
//   tap X Y                       left X Y, then release
//   stroke X1 Y1 X2 Y2 STEPS MS   STEPS left reports along the line, MS apart, then release
//   raw BYTES                     bytes in the capture notation (\r \n \t \0 \s \\ \xHH)
//   replay FILE                   a capture (tools/native/capture/pen_capture.h)
//   flood SECONDS [hover|left]    reports at full rate until SECONDS or the next command
//   sleep MS | pace on|off [BAUD] | mark TEXT | quit

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "board_port.h"
#include "command_runner.h"

namespace {

using qx::pensim::BoardPort;
using qx::pensim::CommandRunner;
using qx::pensim::RunResult;

constexpr int kUsageExit = 2;
constexpr int kBoardBaud = 38400;
constexpr int kIdlePollMs = 50;
constexpr std::size_t kReadChunk = 4096;

constexpr auto kStallTimeout = std::chrono::milliseconds(5000);

void OnStopSignal(int) { qx::pensim::g_stopRequested = 1; }

void InstallSignals() {
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no SA_RESTART: waits wake up and see the request
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int Usage(const std::string& message) {
    std::fprintf(stderr, "pensim: %s\nusage: pensim --pty LINK --fifo PATH\n", message.c_str());
    return kUsageExit;
}

// Control FIFO opened read-write, so that writers coming and going never
// produce an end of file; lines are run as they complete.
class ControlFifo {
public:
    explicit ControlFifo(const std::string& path) : path_(path) {}
    ~ControlFifo() {
        if (fd_ >= 0) close(fd_);
        if (created_) unlink(path_.c_str());
    }
    ControlFifo(const ControlFifo&) = delete;
    ControlFifo& operator=(const ControlFifo&) = delete;

    bool Open(std::string& error) {
        if (mkfifo(path_.c_str(), 0600) != 0 && errno != EEXIST) {
            error = std::string("mkfifo: ") + std::strerror(errno);
            return false;
        }
        created_ = true;
        fd_ = open(path_.c_str(), O_RDWR | O_NONBLOCK);
        if (fd_ < 0) {
            error = std::string("open fifo: ") + std::strerror(errno);
            return false;
        }
        return true;
    }

    // True when a complete line is buffered or bytes wait in the FIFO.
    bool Pending() {
        if (buffer_.find('\n') != std::string::npos) return true;
        pollfd p{fd_, POLLIN, 0};
        return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
    }

    // Waits up to 'ms' for the next complete line.
    bool NextLine(std::string& line, int ms) {
        for (;;) {
            const std::size_t nl = buffer_.find('\n');
            if (nl != std::string::npos) {
                line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                return true;
            }
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, ms) <= 0) return false;
            char chunk[kReadChunk];
            const ssize_t n = read(fd_, chunk, sizeof chunk);
            if (n <= 0) return false;
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

private:
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
    std::string buffer_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || std::string(argv[1]) != "--pty" || std::string(argv[3]) != "--fifo")
        return Usage("give --pty LINK --fifo PATH");
    InstallSignals();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    std::string error;
    ControlFifo fifo(argv[4]);
    if (!fifo.Open(error)) return Usage(error);
    // The link appears last: once it exists, the control FIFO is ready as well.
    auto port = BoardPort::CreatePty(argv[2], error);
    if (!port) return Usage(error);
    port->SetPacing(true, kBoardBaud);
    port->SetStallTimeout(kStallTimeout);
    std::printf("ready %s\n", port->PeerPath().c_str());

    CommandRunner runner(*port, stdout);
    runner.SetPendingInput([&fifo] { return fifo.Pending(); });
    // A failed command is reported; the test decides what to do next.
    while (!qx::pensim::g_stopRequested) {
        port->DrainInput();
        std::string line;
        if (fifo.NextLine(line, kIdlePollMs) && runner.Run(line) == RunResult::Quit) break;
    }
    std::printf("end total=%llu\n", runner.Total());
    return 0;
}
