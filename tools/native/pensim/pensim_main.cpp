// pensim: pen board simulator for the system tests.
//
//   pensim (--pty LINK | --dev PATH) [--fifo PATH] [--script FILE] [-e CMD]...
//          [--unpaced] [--baud N] [--stall-timeout MS]
//
// --pty makes a pty, points LINK at its slave (the driver's COM1) and keeps it
// open until "quit" or SIGTERM. --dev writes into an existing device or pty.
// Commands run in this order: every -e, the --script file, then each line
// written to the control FIFO, which stays open until "quit" or SIGTERM. The
// first output line is "ready <pty slave or device>"; then one line per
// command (see command_runner.h). Writes are paced at 38400 baud (ten bits a
// byte) unless --unpaced or "pace off".
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

struct Options {
    std::string ptyLink;
    std::string device;
    std::string fifo;
    std::string script;
    std::vector<std::string> commands;
    bool paced = true;
    long baud = kBoardBaud;
    long stallMs = 5000;
};

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

int Usage(const char* message) {
    std::fprintf(stderr,
                 "pensim: %s\n"
                 "usage: pensim (--pty LINK | --dev PATH) [--fifo PATH] [--script FILE]\n"
                 "              [-e CMD]... [--unpaced] [--baud N] [--stall-timeout MS]\n",
                 message);
    return kUsageExit;
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--unpaced") {
            o.paced = false;
            continue;
        }
        if (!hasValue) {
            error = "missing value or unknown option: " + a;
            return false;
        }
        const std::string v = argv[++i];
        if (a == "--pty") o.ptyLink = v;
        else if (a == "--dev") o.device = v;
        else if (a == "--fifo") o.fifo = v;
        else if (a == "--script") o.script = v;
        else if (a == "-e") o.commands.push_back(v);
        else if (a == "--baud") o.baud = std::strtol(v.c_str(), nullptr, 10);
        else if (a == "--stall-timeout") o.stallMs = std::strtol(v.c_str(), nullptr, 10);
        else {
            error = "unknown option: " + a;
            return false;
        }
    }
    if (o.ptyLink.empty() == o.device.empty()) {
        error = "give exactly one of --pty and --dev";
        return false;
    }
    if (o.baud <= 0 || o.stallMs <= 0) {
        error = "baud and stall timeout must be positive";
        return false;
    }
    return true;
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
    Options o;
    std::string error;
    if (!ParseOptions(argc, argv, o, error)) return Usage(error.c_str());
    InstallSignals();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    std::unique_ptr<ControlFifo> fifo;
    if (!o.fifo.empty()) {
        fifo = std::make_unique<ControlFifo>(o.fifo);
        if (!fifo->Open(error)) return Usage(error.c_str());
    }
    // The link appears last: once it exists, the control FIFO is ready as well.
    auto port = o.device.empty() ? BoardPort::CreatePty(o.ptyLink, error)
                                 : BoardPort::OpenDevice(o.device, error);
    if (!port) return Usage(error.c_str());
    port->SetPacing(o.paced, static_cast<int>(o.baud));
    port->SetStallTimeout(std::chrono::milliseconds(o.stallMs));
    std::printf("ready %s\n", port->PeerPath().c_str());

    CommandRunner runner(*port, stdout);
    if (fifo) runner.SetPendingInput([&fifo] { return fifo->Pending(); });

    bool failed = false;
    bool quit = false;
    const auto account = [&](RunResult r) {
        if (r == RunResult::Failed) failed = true;
        if (r == RunResult::Quit) quit = true;
    };
    for (const auto& c : o.commands) {
        if (quit || qx::pensim::g_stopRequested) break;
        account(runner.Run(c));
    }
    if (!quit && !o.script.empty() && !qx::pensim::g_stopRequested) {
        account(runner.RunFile(o.script));
    }
    // A failed command on the command line or in a script ends the run; on the
    // control FIFO the test decides what to do next.
    const bool keepServing = !quit && !(failed && !fifo) && (fifo || o.device.empty());
    while (keepServing && !quit && !qx::pensim::g_stopRequested) {
        port->DrainInput();
        std::string line;
        if (fifo && fifo->NextLine(line, kIdlePollMs)) {
            account(runner.Run(line));
        } else if (!fifo) {
            qx::pensim::SleepUntil(qx::pensim::Clock::now() +
                                   std::chrono::milliseconds(kIdlePollMs));
        }
    }
    std::printf("end total=%llu\n", runner.Total());
    return failed ? 1 : 0;
}
