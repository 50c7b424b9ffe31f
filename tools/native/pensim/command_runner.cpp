#include "command_runner.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "capture/pen_capture.h"
#include "report_format.h"

namespace qx::pensim {
namespace {

constexpr int kBoardBaud = 38400;
constexpr int kFloodStepX = 37;                   // sweeps the board in a coarse lattice
constexpr int kFloodStepY = 23;

bool ParseInt(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

bool ParseInts(const std::vector<std::string>& args, std::size_t count, std::vector<long>& out,
               std::string& error) {
    if (args.size() != count) {
        error = "expects " + std::to_string(count) + " numbers";
        return false;
    }
    out.clear();
    for (const auto& a : args) {
        long v = 0;
        if (!ParseInt(a, v)) {
            error = "not a number: " + a;
            return false;
        }
        out.push_back(v);
    }
    return true;
}

std::string Trimmed(const std::string& line) {
    std::size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) --end;
    return line.substr(0, end);
}

// Splits off the verb; 'rest' keeps the text after the verb and one run of
// blanks verbatim (raw data may hold blanks of its own).
void Split(const std::string& line, std::string& verb, std::vector<std::string>& args,
           std::string& rest) {
    std::size_t i = line.find_first_not_of(" \t");
    std::size_t verbEnd = line.find_first_of(" \t", i);
    verb = line.substr(i, verbEnd == std::string::npos ? std::string::npos : verbEnd - i);
    rest.clear();
    if (verbEnd != std::string::npos) {
        const std::size_t restStart = line.find_first_not_of(" \t", verbEnd);
        if (restStart != std::string::npos) rest = line.substr(restStart);
    }
    std::istringstream words(rest);
    std::string w;
    while (words >> w) args.push_back(w);
}

std::chrono::milliseconds Millis(long ms) { return std::chrono::milliseconds(ms); }

}  // namespace

CommandRunner::CommandRunner(BoardPort& port, std::FILE* log) : port_(port), log_(log) {}

RunResult CommandRunner::Run(const std::string& rawLine) {
    const std::string line = Trimmed(rawLine);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') return RunResult::Ok;

    std::string verb;
    std::string rest;
    Args args;
    Split(line, verb, args, rest);
    ++seq_;
    commandBytes_ = 0;
    std::string error;
    bool quit = false;
    const auto started = Clock::now();
    const bool ok = Dispatch(verb, args, rest, error, quit);
    const long long micros =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started).count();
    if (ok) {
        if (verb != "mark") {
            std::fprintf(log_, "ok %u %s bytes=%llu total=%llu us=%lld\n", seq_, verb.c_str(),
                         commandBytes_, total_, micros);
        }
    } else {
        std::fprintf(log_, "error %u %s: %s (bytes=%llu total=%llu)\n", seq_, verb.c_str(),
                     error.c_str(), commandBytes_, total_);
    }
    std::fflush(log_);
    if (quit) return RunResult::Quit;
    return ok ? RunResult::Ok : RunResult::Failed;
}

bool CommandRunner::Send(const std::string& bytes, std::string& error) {
    const std::size_t n = port_.Write(bytes, error);
    total_ += n;
    commandBytes_ += n;
    if (n == bytes.size()) return true;
    if (error.empty()) error = "stopped";
    return false;
}

bool CommandRunner::Dispatch(const std::string& verb, const Args& args, const std::string& rest,
                             std::string& error, bool& quit) {
    std::vector<long> n;
    if (verb == "hover") return Coordinate(kHoverLead, args, error);
    if (verb == "left") return Coordinate(kLeftLead, args, error);
    if (verb == "right") return Coordinate(kRightLead, args, error);
    if (verb == "middle") return Coordinate(kMiddleLead, args, error);
    if (verb == "release" || verb == "small") {
        if (!args.empty()) {
            error = "takes no arguments";
            return false;
        }
        return Send(verb == "release" ? ReleaseReport() : SmallButtonReport(), error);
    }
    if (verb == "tap") {
        return Coordinate(kLeftLead, args, error) && Send(ReleaseReport(), error);
    }
    if (verb == "raw") {
        // The bytes in the capture notation, as one batch without a delay.
        std::vector<capture::CaptureBatch> batch;
        if (!capture::ParseCapture("0 " + rest, batch, error)) return false;
        return Send(batch.empty() ? std::string() : batch.front().bytes, error);
    }
    if (verb == "sleep") {
        if (!ParseInts(args, 1, n, error)) return false;
        if (n[0] < 0) {
            error = "negative time";
            return false;
        }
        if (!SleepUntil(Clock::now() + Millis(n[0]))) error = "stopped";
        return error.empty();
    }
    if (verb == "stroke") return Stroke(args, error);
    if (verb == "flood") return Flood(args, error);
    if (verb == "replay") {
        if (args.size() != 1) {
            error = "expects one file";
            return false;
        }
        return Replay(rest, error);
    }
    if (verb == "pace") {
        const bool on = !args.empty() && args[0] == "on";
        if (args.empty() || (args[0] != "on" && args[0] != "off") || args.size() > 2) {
            error = "expects on|off [baud]";
            return false;
        }
        long baud = kBoardBaud;
        if (args.size() == 2 && (!ParseInt(args[1], baud) || baud <= 0)) {
            error = "bad baud rate";
            return false;
        }
        port_.SetPacing(on, static_cast<int>(baud));
        return true;
    }
    if (verb == "mark") {
        std::fprintf(log_, "mark %s\n", rest.c_str());
        return true;
    }
    if (verb == "quit") {
        quit = true;
        return true;
    }
    error = "unknown command";
    return false;
}

bool CommandRunner::Coordinate(char lead, const Args& args, std::string& error) {
    std::vector<long> n;
    if (!ParseInts(args, 2, n, error)) return false;
    std::string report;
    if (!CoordinateReport(lead, static_cast<int>(n[0]), static_cast<int>(n[1]), report)) {
        error = "coordinates outside 0..9999 x 0..999";
        return false;
    }
    return Send(report, error);
}

bool CommandRunner::Stroke(const Args& args, std::string& error) {
    std::vector<long> n;
    if (!ParseInts(args, 6, n, error)) return false;
    const long x1 = n[0], y1 = n[1], x2 = n[2], y2 = n[3], steps = n[4], interval = n[5];
    if (steps < 1 || interval < 0) {
        error = "needs STEPS >= 1 and INTERVAL_MS >= 0";
        return false;
    }
    // STEPS left reports evenly spaced from the first point to the last, INTERVAL_MS
    // apart, then the release after one more interval.
    auto due = Clock::now();
    for (long i = 0; i < steps; ++i) {
        const long x = steps == 1 ? x1 : x1 + (x2 - x1) * i / (steps - 1);
        const long y = steps == 1 ? y1 : y1 + (y2 - y1) * i / (steps - 1);
        std::string report;
        if (!CoordinateReport(kLeftLead, static_cast<int>(x), static_cast<int>(y), report)) {
            error = "coordinates outside 0..9999 x 0..999";
            return false;
        }
        if (!SleepUntil(due)) {
            error = "stopped";
            return false;
        }
        if (!Send(report, error)) return false;
        due += Millis(interval);
    }
    if (!SleepUntil(due)) {
        error = "stopped";
        return false;
    }
    return Send(ReleaseReport(), error);
}

bool CommandRunner::Flood(const Args& args, std::string& error) {
    std::vector<long> n;
    Args numbers(args.begin(), args.begin() + std::min<std::size_t>(args.size(), 1));
    if (!ParseInts(numbers, 1, n, error)) return false;
    const std::string kind = args.size() > 1 ? args[1] : "hover";
    if (args.size() > 2 || (kind != "hover" && kind != "left") || n[0] < 0) {
        error = "expects SECONDS [hover|left]";
        return false;
    }
    // Full rate whatever the pacing: the reader takes what it can. A command
    // arriving on the control line ends the flood early.
    const bool wasPaced = port_.Paced();
    port_.SetPacing(false, 0);
    const auto end = Clock::now() + std::chrono::seconds(n[0]);
    const char lead = kind == "left" ? kLeftLead : kHoverLead;
    int x = 0;
    int y = 0;
    bool ok = true;
    const auto stopEarly = [this, end] {
        return Clock::now() >= end || (pending_ && pending_());
    };
    while (!g_stopRequested && !stopEarly()) {
        // One report per write, so that ending early never cuts a report.
        std::string report;
        CoordinateReport(lead, x, y, report);
        x = (x + kFloodStepX) % (kMaxBoardX + 1);
        y = (y + kFloodStepY) % (kMaxBoardY + 1);
        std::string writeError;
        const std::size_t written = port_.Write(report, writeError, stopEarly);
        total_ += written;
        commandBytes_ += written;
        if (!writeError.empty()) {
            error = writeError;
            ok = false;
            break;
        }
    }
    if (ok && lead == kLeftLead) ok = Send(ReleaseReport(), error);
    port_.SetPacing(wasPaced, 0);
    return ok;
}

bool CommandRunner::Replay(const std::string& path, std::string& error) {
    // Each capture line is one batch, written at once after its delay, which
    // counts from the end of the previous batch.
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<capture::CaptureBatch> batches;
    if (!capture::ParseCapture(text.str(), batches, error)) {
        error = path + ": " + error;
        return false;
    }
    for (const auto& batch : batches) {
        if (!SleepUntil(Clock::now() + Millis(batch.delayMs))) {
            error = "stopped";
            return false;
        }
        if (!batch.bytes.empty() && !Send(batch.bytes, error)) return false;
    }
    return true;
}

}  // namespace qx::pensim
