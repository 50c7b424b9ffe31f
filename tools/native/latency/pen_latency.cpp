// pen_latency LINK: the pen board's end of the latency bench.
//
// Makes a pty, points LINK at its slave (a reader under Wine opens it as
// COM1), and runs the commands read from standard input, one per line:
//
//   measure LABEL COUNT INTERVAL_MS WARMUP X1 Y1 X2 Y2
//       Repeats the hover report for (X1, Y1) until the pointer is there (the
//       reader may still be starting), then writes WARMUP + COUNT reports,
//       each INTERVAL_MS after the pointer reached the one before (more than
//       the driver's 20 ms move throttle), alternating between (X2, Y2) and
//       (X1, Y1), and
//       after each write polls XQueryPointer until the pointer is at the
//       reported place. One line per report after the warm-up:
//         sample LABEL US        microseconds from the write to the pointer
//         sample LABEL missed    the pointer did not get there within 1 s
//         sample LABEL stale     it was there before the write
//       then "done LABEL", or "error LABEL ..." when the reader never moved
//       the pointer.
//
// Both ends are timed in this one process by one clock. A report goes out in
// one write(): the 2.3 ms it takes on the board's 38400 baud wire is the wire,
// not the reader. Between two looks at the pointer the loop sleeps 50 us, so
// that it does not take a core from the reader on a small machine. It ends at
// the end of its input.
#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kUsageExit = 2;
constexpr auto kPollPause = std::chrono::microseconds(50);
constexpr auto kReachTimeout = std::chrono::seconds(1);
constexpr auto kSyncTimeout = std::chrono::seconds(20);
constexpr auto kSyncRepeat = std::chrono::milliseconds(100);
constexpr std::size_t kDrainChunk = 4096;

// The pty, with this side's own copy of the slave held open so that writes
// never fail while no reader has it.
struct Pty {
    int master = -1;
    int slave = -1;

    bool Open(const std::string& link) {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return false;
        const char* name = ptsname(master);
        if (name == nullptr) return false;
        slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (slave < 0 || tcgetattr(slave, &tio) != 0) return false;
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        unlink(link.c_str());
        return symlink(name, link.c_str()) == 0;
    }

    void Hover(int x, int y) const {
        char report[16];
        const int n = std::snprintf(report, sizeof report, "@%04d%03d\r", x, y);
        if (write(master, report, static_cast<std::size_t>(n)) != n) std::perror("write");
    }

    // Whatever the reader sends to the board is read away, so that the pty
    // never fills.
    void Drain() const {
        char chunk[kDrainChunk];
        while (read(master, chunk, sizeof chunk) > 0) {
        }
    }
};

bool PointerAt(Display* display, int x, int y) {
    Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return rx == x && ry == y;
}

bool Sync(const Pty& pty, Display* display, int x, int y) {
    const auto end = Clock::now() + kSyncTimeout;
    while (Clock::now() < end) {
        pty.Drain();
        pty.Hover(x, y);
        const auto next = Clock::now() + kSyncRepeat;
        while (Clock::now() < next) {
            if (PointerAt(display, x, y)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return false;
}

// One report: its sample's text.
std::string OneReport(const Pty& pty, Display* display, int x, int y) {
    if (PointerAt(display, x, y)) {
        pty.Hover(x, y);
        return "stale";
    }
    const auto start = Clock::now();
    pty.Hover(x, y);
    while (!PointerAt(display, x, y)) {
        if (Clock::now() - start > kReachTimeout) return "missed";
        std::this_thread::sleep_for(kPollPause);
    }
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    return std::to_string(us.count());
}

void Measure(const Pty& pty, Display* display, std::istringstream& args) {
    std::string label;
    long count = 0, intervalMs = 0, warmup = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!(args >> label >> count >> intervalMs >> warmup >> x1 >> y1 >> x2 >> y2)) {
        std::printf("error measure: expects LABEL COUNT INTERVAL_MS WARMUP X1 Y1 X2 Y2\n");
        return;
    }
    if (!Sync(pty, display, x1, y1)) {
        std::printf("error %s: the pointer never reached (%d, %d)\n", label.c_str(), x1, y1);
        return;
    }
    for (long i = 0; i < warmup + count; ++i) {
        // The pause follows the pointer's arrival, not the write: a late
        // move followed at once by the next would fall in the driver's move
        // throttle and be dropped by design.
        std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
        pty.Drain();
        const bool second = i % 2 == 0;
        const std::string sample = OneReport(pty, display, second ? x2 : x1, second ? y2 : y1);
        if (i >= warmup) std::printf("sample %s %s\n", label.c_str(), sample.c_str());
    }
    std::printf("done %s\n", label.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pen_latency LINK  (commands on standard input)\n");
        return kUsageExit;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Display* display = XOpenDisplay(nullptr);
    Pty pty;
    if (display == nullptr || !pty.Open(argv[1])) {
        std::fprintf(stderr, "pen_latency: no X display or no pty: %s\n", std::strerror(errno));
        return kUsageExit;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream args(line);
        std::string verb;
        if (args >> verb && verb == "measure") {
            Measure(pty, display, args);
        } else if (!verb.empty()) {
            std::printf("error unknown command %s\n", verb.c_str());
        }
    }
    unlink(argv[1]);
    XCloseDisplay(display);
    return 0;
}
