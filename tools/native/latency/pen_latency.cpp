// pen_latency: end-to-end latency from a hover report written by the pen
// board to the X pointer at the reported place.
//
//   pen_latency --pty LINK --fifo CTL [--poll-us N]
//
// Makes a pty, points LINK at its slave (a reader under Wine opens it as
// COM1) and runs the commands written, one per line, to the control FIFO CTL:
//
//   measure LABEL COUNT INTERVAL_MS WARMUP X1 Y1 X2 Y2
//       First brings the pointer to (X1, Y1) by repeating that report until
//       it is there (the reader may still be starting). Then writes WARMUP +
//       COUNT hover reports INTERVAL_MS apart, alternating between (X2, Y2)
//       and (X1, Y1), and after each write polls XQueryPointer until the
//       pointer is at the reported place. The board positions are the screen
//       positions: the reader must map them unchanged. Prints
//         result LABEL n=.. missed=.. stale=.. mean_us=.. p50_us=.. p90_us=.. p99_us=.. max_us=..
//       over the COUNT reports after the warm-up, and one "sample LABEL I US"
//       line per report. US is "missed" for a report the pointer did not
//       reach within a second, and "stale" for one whose place the pointer
//       was already at before the write (the previous report was missed):
//       neither counts in the figures.
//   quit
//
// Both ends are timed in this one process with one clock: the write into the
// pty and the poll that first sees the pointer at its place. A report is
// written in one write() (the board's own 38400 baud would add 2.3 ms per
// report; that is the wire, not the reader). --poll-us sleeps between two
// looks at the pointer (default 50): a tighter loop takes a core from the
// reader on a small machine.
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kUsageExit = 2;
constexpr long kDefaultPollUs = 50;
constexpr auto kReachTimeout = std::chrono::seconds(1);
constexpr auto kSyncTimeout = std::chrono::seconds(20);
constexpr auto kSyncRepeat = std::chrono::milliseconds(100);
constexpr int kFifoPollMs = 100;
constexpr int kMaxBoardX = 9999;
constexpr int kMaxBoardY = 999;
constexpr std::size_t kReadChunk = 4096;
constexpr long kMissed = -1;
constexpr long kStale = -2;

volatile std::sig_atomic_t g_stop = 0;
void OnStop(int) { g_stop = 1; }

struct Options {
    std::string link;
    std::string fifo;
    long pollUs = kDefaultPollUs;
};

std::string Hover(int x, int y) {
    char report[16];
    std::snprintf(report, sizeof report, "@%04d%03d\r", x, y);
    return report;
}

// The pty the reader opens, with this side's copy of the slave held open so
// that writes never fail while no reader is attached.
class Pty {
public:
    ~Pty() {
        if (!link_.empty()) unlink(link_.c_str());
        if (slave_ >= 0) close(slave_);
        if (master_ >= 0) close(master_);
    }

    bool Open(const std::string& link, std::string& error) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            error = std::string("pty: ") + std::strerror(errno);
            return false;
        }
        const char* name = ptsname(master_);
        if (name == nullptr) {
            error = "ptsname failed";
            return false;
        }
        slaveName_ = name;
        slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (slave_ < 0) {
            error = std::string("open slave: ") + std::strerror(errno);
            return false;
        }
        termios tio{};
        if (tcgetattr(slave_, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(slave_, TCSANOW, &tio);
        }
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        unlink(link.c_str());
        if (symlink(name, link.c_str()) != 0) {
            error = std::string("symlink: ") + std::strerror(errno);
            return false;
        }
        link_ = link;
        return true;
    }

    bool Write(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
            if (n > 0) done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Whatever the reader wrote back is of no interest; read it away so that
    // the pty never fills.
    void Drain() {
        char chunk[kReadChunk];
        while (read(master_, chunk, sizeof chunk) > 0) {
        }
    }

    const std::string& SlaveName() const { return slaveName_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
    std::string link_;
};

class Pointer {
public:
    ~Pointer() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    bool Open() {
        display_ = XOpenDisplay(nullptr);
        return display_ != nullptr;
    }
    bool At(int x, int y) {
        Window root = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rx, &ry, &wx, &wy,
                      &mask);
        return rx == x && ry == y;
    }

private:
    Display* display_ = nullptr;
};

struct Measure {
    std::string label;
    long count = 0;
    long intervalMs = 0;
    long warmup = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

bool ParseMeasure(std::istringstream& in, Measure& m) {
    if (!(in >> m.label >> m.count >> m.intervalMs >> m.warmup >> m.x1 >> m.y1 >> m.x2 >> m.y2)) {
        return false;
    }
    const auto onBoard = [](int x, int y) { return x >= 0 && x <= kMaxBoardX && y >= 0 && y <= kMaxBoardY; };
    return m.count > 0 && m.intervalMs > 0 && m.warmup >= 0 && onBoard(m.x1, m.y1) &&
           onBoard(m.x2, m.y2) && (m.x1 != m.x2 || m.y1 != m.y2);
}

long Micros(Clock::duration d) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(d).count());
}

// Writes the report, then waits for the pointer; the latency in microseconds,
// kMissed when the pointer did not arrive in time, kStale when it was there
// before the write.
long OneReport(Pty& pty, Pointer& pointer, int x, int y, long pollUs) {
    const std::string report = Hover(x, y);
    const bool stale = pointer.At(x, y);
    const auto start = Clock::now();
    if (!pty.Write(report)) return kMissed;
    if (stale) return kStale;
    for (;;) {
        if (pointer.At(x, y)) return Micros(Clock::now() - start);
        if (Clock::now() - start > kReachTimeout || g_stop) return kMissed;
        if (pollUs > 0) std::this_thread::sleep_for(std::chrono::microseconds(pollUs));
    }
}

bool Sync(Pty& pty, Pointer& pointer, int x, int y) {
    const auto end = Clock::now() + kSyncTimeout;
    while (Clock::now() < end && !g_stop) {
        pty.Drain();
        if (!pty.Write(Hover(x, y))) return false;
        const auto next = Clock::now() + kSyncRepeat;
        while (Clock::now() < next) {
            if (pointer.At(x, y)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return false;
}

long Percentile(const std::vector<long>& sorted, double p) {
    if (sorted.empty()) return -1;
    // Nearest rank: the smallest sample with at least p of them at or below it.
    std::size_t rank = static_cast<std::size_t>(p * static_cast<double>(sorted.size()) + 0.999999);
    rank = std::max<std::size_t>(1, std::min(rank, sorted.size()));
    return sorted[rank - 1];
}

void RunMeasure(const Measure& m, Pty& pty, Pointer& pointer, long pollUs) {
    if (!Sync(pty, pointer, m.x1, m.y1)) {
        std::printf("error %s: the pointer never reached (%d, %d)\n", m.label.c_str(), m.x1, m.y1);
        return;
    }
    std::vector<long> reached;
    long missed = 0;
    long stale = 0;
    const auto interval = std::chrono::milliseconds(m.intervalMs);
    auto due = Clock::now() + interval;
    for (long i = 0; i < m.warmup + m.count && !g_stop; ++i) {
        std::this_thread::sleep_until(due);
        // A report that came late (a missed one waits a whole second) moves
        // the schedule: two writes are never closer than the interval.
        due = std::max(due, Clock::now()) + interval;
        pty.Drain();
        const bool second = i % 2 == 0;
        const long us = OneReport(pty, pointer, second ? m.x2 : m.x1, second ? m.y2 : m.y1, pollUs);
        if (i < m.warmup) continue;
        if (us == kMissed) {
            ++missed;
            std::printf("sample %s %ld missed\n", m.label.c_str(), i - m.warmup);
        } else if (us == kStale) {
            ++stale;
            std::printf("sample %s %ld stale\n", m.label.c_str(), i - m.warmup);
        } else {
            reached.push_back(us);
            std::printf("sample %s %ld %ld\n", m.label.c_str(), i - m.warmup, us);
        }
    }
    std::sort(reached.begin(), reached.end());
    double sum = 0;
    for (long us : reached) sum += static_cast<double>(us);
    const long mean = reached.empty() ? -1 : static_cast<long>(sum / static_cast<double>(reached.size()));
    std::printf("result %s n=%zu missed=%ld stale=%ld mean_us=%ld p50_us=%ld p90_us=%ld p99_us=%ld "
                "max_us=%ld\n",
                m.label.c_str(), reached.size(), missed, stale, mean, Percentile(reached, 0.50),
                Percentile(reached, 0.90), Percentile(reached, 0.99),
                reached.empty() ? -1 : reached.back());
}

int Usage(const char* message) {
    std::fprintf(stderr, "pen_latency: %s\nusage: pen_latency --pty LINK --fifo CTL [--poll-us N]\n",
                 message);
    return kUsageExit;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--pty") o.link = argv[i + 1];
        else if (a == "--fifo") o.fifo = argv[i + 1];
        else if (a == "--poll-us") o.pollUs = std::strtol(argv[i + 1], nullptr, 10);
        else return Usage(("unknown option " + a).c_str());
    }
    if (argc % 2 == 0) return Usage("every option takes a value");
    if (o.link.empty() || o.fifo.empty() || o.pollUs < 0) return Usage("--pty and --fifo are needed");
    std::signal(SIGTERM, OnStop);
    std::signal(SIGINT, OnStop);
    std::signal(SIGPIPE, SIG_IGN);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    Pointer pointer;
    if (!pointer.Open()) return Usage("cannot open the X display (DISPLAY)");
    if (mkfifo(o.fifo.c_str(), 0600) != 0 && errno != EEXIST) return Usage("cannot make the FIFO");
    // Read-write, so that writers coming and going never make an end of file.
    const int control = open(o.fifo.c_str(), O_RDWR | O_NONBLOCK);
    if (control < 0) return Usage("cannot open the FIFO");
    Pty pty;
    std::string error;
    if (!pty.Open(o.link, error)) return Usage(error.c_str());
    std::printf("ready %s\n", pty.SlaveName().c_str());

    std::string pending;
    bool quit = false;
    while (!quit && !g_stop) {
        pty.Drain();
        const std::size_t nl = pending.find('\n');
        if (nl == std::string::npos) {
            pollfd p{control, POLLIN, 0};
            if (poll(&p, 1, kFifoPollMs) > 0) {
                char chunk[kReadChunk];
                const ssize_t n = read(control, chunk, sizeof chunk);
                if (n > 0) pending.append(chunk, static_cast<std::size_t>(n));
            }
            continue;
        }
        std::istringstream line(pending.substr(0, nl));
        pending.erase(0, nl + 1);
        std::string verb;
        if (!(line >> verb)) continue;
        if (verb == "quit") {
            quit = true;
        } else if (verb == "measure") {
            Measure m;
            if (ParseMeasure(line, m)) {
                RunMeasure(m, pty, pointer, o.pollUs);
            } else {
                std::printf("error measure: expects LABEL COUNT INTERVAL_MS WARMUP X1 Y1 X2 Y2\n");
            }
        } else {
            std::printf("error unknown command %s\n", verb.c_str());
        }
    }
    close(control);
    unlink(o.fifo.c_str());
    std::printf("end\n");
    return 0;
}
