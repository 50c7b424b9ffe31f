// refreader [PORT]: the reference reader of the latency benchmark.
//
// Opens PORT (default "COM1:") with the pen board's line settings, the same
// way the driver does, blocks in WaitCommEvent and ReadFile, and for every
// complete hover report "@XXXXYYY" CR calls SetCursorPos(X, Y) and nothing
// else: no calibration, no throttling, no window, no second thread. Prints
// "open PORT" once the port is set up (or "error ..." and exits 1), then runs
// until it is killed. Whatever the driver spends beyond this is its own cost.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "link/line_settings.h"

namespace {

constexpr char kDefaultPort[] = "COM1:";
constexpr char kHoverLead = '@';
constexpr std::size_t kReportChars = 8;  // lead, 4 digits X, 3 digits Y
constexpr std::size_t kXDigits = 4;
constexpr std::size_t kYDigits = 3;
constexpr char kLineEnd = '\r';
constexpr std::size_t kMaxLine = 128;    // a longer line without CR is dropped
constexpr int kExitFailed = 1;

// The board's line settings as the driver sets them: 38400 baud, 8N1, RTS/CTS.
bool Configure(HANDLE port) {
    ::SetCommMask(port, EV_RXCHAR);
    ::SetupComm(port, qx::kPenQueueBytes, qx::kPenQueueBytes);
    ::PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = qx::kPenReadIntervalTimeout;
    timeouts.ReadTotalTimeoutConstant = qx::kPenReadTotalTimeoutConstant;
    timeouts.WriteTotalTimeoutConstant = qx::kPenWriteTotalTimeoutConstant;
    ::SetCommTimeouts(port, &timeouts);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ::GetCommState(port, &dcb);
    dcb.BaudRate = qx::kPenBaudRate;
    dcb.ByteSize = qx::kPenByteSize;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    return ::SetCommState(port, &dcb) != 0;
}

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
    HANDLE port = ::CreateFileA(portName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE || !Configure(port)) {
        std::printf("error cannot open %s, error %lu\n", portName.c_str(), ::GetLastError());
        std::fflush(stdout);
        if (port != INVALID_HANDLE_VALUE) ::CloseHandle(port);
        return kExitFailed;
    }
    std::printf("open %s\n", portName.c_str());
    std::fflush(stdout);

    std::string line;
    bool overlong = false;  // the current line passed kMaxLine: dropped up to its CR
    char buffer[qx::kReceiveBufferBytes];
    for (;;) {
        DWORD events = 0;
        if (!::WaitCommEvent(port, &events, nullptr)) break;
        DWORD errors = 0;
        COMSTAT status{};
        ::ClearCommError(port, &errors, &status);
        if ((events & EV_RXCHAR) == 0 || status.cbInQue == 0) continue;
        const DWORD want = status.cbInQue < sizeof buffer ? status.cbInQue : sizeof buffer;
        DWORD got = 0;
        if (!::ReadFile(port, buffer, want, &got, nullptr)) break;
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
    ::CloseHandle(port);
    return kExitFailed;
}
