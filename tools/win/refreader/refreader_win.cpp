// refreader [PORT [MODULE...]]: the reference reader of the driver bench.
//
// Loads each MODULE (to see what a library costs in memory by itself), opens
// PORT (default "COM1:") with the driver's own OpenPenPort, blocks in
// WaitCommEvent and ReadFile, and for every complete hover report "@XXXXYYY"
// CR calls SetCursorPos(X, Y) and nothing else: no calibration, no
// throttling, no window, no second thread. Prints "open PORT" once the port is
// set up (or "error ..." and exits 1), then runs until it is killed. Whatever
// the driver spends beyond this is its own cost.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "link/line_settings.h"
#include "link/pen_port_win.h"

namespace {

constexpr char kDefaultPort[] = "COM1:";
constexpr char kHoverLead = '@';
constexpr std::size_t kReportChars = 8;  // lead, 4 digits X, 3 digits Y
constexpr std::size_t kXDigits = 4;
constexpr std::size_t kYDigits = 3;
constexpr char kLineEnd = '\r';
constexpr std::size_t kMaxLine = 128;    // a longer line without CR is dropped
constexpr int kExitFailed = 1;

bool Digits(const std::string& text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

void OnLine(const std::string& line) {
    if (line.size() != kReportChars || line[0] != kHoverLead) return;
    int x = 0;
    int y = 0;
    if (Digits(line, 1, kXDigits, x) && Digits(line, 1 + kXDigits, kYDigits, y)) {
        ::SetCursorPos(x, y);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::string portName = kDefaultPort;
    if (argc >= 2) {
        portName.clear();
        for (const wchar_t* c = argv[1]; *c != L'\0'; ++c) portName += static_cast<char>(*c);
    }
    for (int i = 2; i < argc; ++i) {
        if (::LoadLibraryW(argv[i]) == nullptr) {
            std::printf("error cannot load %ls, error %lu\n", argv[i], ::GetLastError());
            std::fflush(stdout);
            return kExitFailed;
        }
    }
    const qx::UniqueHandle port = qx::OpenPenPort(portName);
    if (!port.Valid()) {
        std::printf("error cannot open %s, error %lu\n", portName.c_str(), ::GetLastError());
        std::fflush(stdout);
        return kExitFailed;
    }
    std::printf("open %s\n", portName.c_str());
    std::fflush(stdout);

    std::string line;
    bool overlong = false;  // the current line passed kMaxLine: dropped up to its CR
    char buffer[qx::kReceiveBufferBytes];
    for (;;) {
        DWORD events = 0;
        if (!::WaitCommEvent(port.Get(), &events, nullptr)) break;
        DWORD errors = 0;
        COMSTAT status{};
        ::ClearCommError(port.Get(), &errors, &status);
        if ((events & EV_RXCHAR) == 0 || status.cbInQue == 0) continue;
        const DWORD want = status.cbInQue < sizeof buffer ? status.cbInQue : sizeof buffer;
        DWORD got = 0;
        if (!::ReadFile(port.Get(), buffer, want, &got, nullptr)) break;
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == kLineEnd) {
                if (!overlong) OnLine(line);
                line.clear();
                overlong = false;
            } else if (line.size() < kMaxLine) {
                line += buffer[i];
            } else {
                overlong = true;
            }
        }
    }
    std::printf("error the port stopped, error %lu\n", ::GetLastError());
    return kExitFailed;
}
