#include "link/pen_port_win.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "link/line_settings.h"

namespace qx {
namespace {

// The DCB's flag word (fBinary to fDummy2) follows DCBlength and BaudRate.
constexpr std::size_t kDcbFlagsOffset = 2 * sizeof(DWORD);
static_assert(offsetof(DCB, wReserved) == kDcbFlagsOffset + sizeof(DWORD),
              "the DCB flag word is one DWORD after BaudRate");

void ApplyPenLineSettings(DCB* dcb) {
    dcb->BaudRate = kPenBaudRate;
    dcb->ByteSize = kPenByteSize;
    dcb->Parity = kPenParity;
    dcb->StopBits = kPenStopBits;
    std::uint32_t flags = 0;
    auto* raw = reinterpret_cast<unsigned char*>(dcb) + kDcbFlagsOffset;
    std::memcpy(&flags, raw, sizeof(flags));
    flags = PenLineFlags(flags);
    std::memcpy(raw, &flags, sizeof(flags));
    dcb->XonLim = kPenXonLim;
    dcb->XoffLim = kPenXoffLim;
    dcb->ErrorChar = kPenErrorChar;
    dcb->EofChar = kPenEofChar;
    dcb->EvtChar = kPenEvtChar;
}

}  // namespace

UniqueHandle OpenPenPort(const std::string& deviceName) {
    UniqueHandle port(::CreateFileA(deviceName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    if (!port.Valid()) return UniqueHandle();

    // The results of these four are not needed: a port that accepts its line
    // settings works with the defaults of the others.
    ::SetCommMask(port.Get(), EV_RXCHAR);
    ::SetupComm(port.Get(), kPenQueueBytes, kPenQueueBytes);
    ::PurgeComm(port.Get(), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    COMMTIMEOUTS timeouts{};
    ::GetCommTimeouts(port.Get(), &timeouts);
    timeouts.ReadIntervalTimeout = kPenReadIntervalTimeout;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = kPenReadTotalTimeoutConstant;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = kPenWriteTotalTimeoutConstant;
    ::SetCommTimeouts(port.Get(), &timeouts);

    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    ::GetCommState(port.Get(), &dcb);
    ApplyPenLineSettings(&dcb);
    if (!::SetCommState(port.Get(), &dcb)) return UniqueHandle();
    return port;
}

}  // namespace qx
