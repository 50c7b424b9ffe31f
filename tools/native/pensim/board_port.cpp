#include "board_port.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qx::pensim {

volatile std::sig_atomic_t g_stopRequested = 0;

namespace {

constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit
constexpr int kBoardBaud = 38400;
constexpr auto kStopCheckInterval = std::chrono::milliseconds(50);
constexpr std::size_t kDrainChunk = 4096;

std::string Errno(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// The slave starts raw but with line settings unlike the board's (9600 baud,
// 7 bits, even parity, 2 stop bits, no handshake), so that "stty -F" on it
// shows the board's settings only once the driver has set them.
void MakeRawUnlikeBoard(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return;
    cfmakeraw(&tio);
    tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARODD | CRTSCTS)) | CS7 | PARENB | CSTOPB;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);
}

void SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

}  // namespace

bool SleepUntil(Clock::time_point deadline) {
    for (;;) {
        if (g_stopRequested) return false;
        const auto now = Clock::now();
        if (now >= deadline) return true;
        const auto step = std::min<Clock::duration>(deadline - now, kStopCheckInterval);
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(step).count();
        timespec ts{};
        ts.tv_sec = static_cast<time_t>(ns / 1000000000);
        ts.tv_nsec = static_cast<long>(ns % 1000000000);
        nanosleep(&ts, nullptr);
    }
}

std::unique_ptr<BoardPort> BoardPort::CreatePty(const std::string& link, std::string& error) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = Errno("posix_openpt");
        return nullptr;
    }
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        error = Errno("grantpt/unlockpt");
        close(master);
        return nullptr;
    }
    const char* name = ptsname(master);
    if (name == nullptr) {
        error = Errno("ptsname");
        close(master);
        return nullptr;
    }
    const std::string slave = name;
    const int peer = open(slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (peer < 0) {
        error = Errno("open slave");
        close(master);
        return nullptr;
    }
    MakeRawUnlikeBoard(peer);
    SetNonBlocking(master);
    unlink(link.c_str());
    if (symlink(slave.c_str(), link.c_str()) != 0) {
        error = Errno("symlink");
        close(peer);
        close(master);
        return nullptr;
    }
    return std::unique_ptr<BoardPort>(new BoardPort(master, peer, slave, link));
}

BoardPort::BoardPort(int fd, int peerFd, std::string peerPath, std::string link)
    : fd_(fd), peerFd_(peerFd), peerPath_(std::move(peerPath)), link_(std::move(link)) {
    SetPacing(true, kBoardBaud);
}

BoardPort::~BoardPort() {
    if (!link_.empty()) unlink(link_.c_str());
    if (peerFd_ >= 0) close(peerFd_);
    close(fd_);
}

void BoardPort::SetPacing(bool paced, int baud) {
    paced_ = paced;
    if (baud > 0) {
        byteTime_ = std::chrono::nanoseconds(std::chrono::seconds(1)) * kBitsPerByte / baud;
    }
}

void BoardPort::DrainInput() {
    char sink[kDrainChunk];
    while (read(fd_, sink, sizeof sink) > 0) {
    }
}

bool BoardPort::WaitWritable(std::string& error, const std::function<bool()>& interrupt) {
    const auto giveUp = Clock::now() + stallTimeout_;
    for (;;) {
        if (g_stopRequested || (interrupt && interrupt())) return false;
        DrainInput();
        pollfd p{fd_, POLLOUT, 0};
        const int ready = poll(&p, 1, static_cast<int>(kStopCheckInterval.count()));
        if (ready > 0) {
            if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
                error = "device hung up";
                return false;
            }
            if (p.revents & POLLOUT) return true;
        }
        if (ready < 0 && errno != EINTR) {
            error = Errno("poll");
            return false;
        }
        if (Clock::now() >= giveUp) {
            error = "write stalled: nobody reads the line";
            return false;
        }
    }
}

std::size_t BoardPort::Write(const std::string& bytes, std::string& error,
                             const std::function<bool()>& interrupt) {
    std::size_t done = 0;
    if (paced_ && nextDue_ < Clock::now()) nextDue_ = Clock::now();
    const std::function<bool()> none;
    while (done < bytes.size()) {
        const auto& stopEarly = done == 0 ? interrupt : none;
        if (stopEarly && stopEarly()) return done;
        std::size_t chunk = bytes.size() - done;
        if (paced_) {
            // Send what is due by now (at least one byte), then wait for the next slot.
            if (!SleepUntil(nextDue_)) return done;
            const auto late = Clock::now() - nextDue_;
            const auto due = static_cast<std::size_t>(late / byteTime_) + 1;
            chunk = std::min(chunk, due);
        }
        if (!WaitWritable(error, stopEarly)) return done;
        const ssize_t n = write(fd_, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            error = Errno("write");
            return done;
        }
        done += static_cast<std::size_t>(n);
        if (paced_) nextDue_ += byteTime_ * n;
    }
    return done;
}

}  // namespace qx::pensim
