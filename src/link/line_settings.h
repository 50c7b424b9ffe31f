// How the pen board's serial line is configured: 38400 baud, 8N1, RTS/CTS
// handshake, DTR on, and the port's queue sizes and time-outs.
#ifndef QXDRV_LINK_LINE_SETTINGS_H
#define QXDRV_LINK_LINE_SETTINGS_H

#include <cstdint>

namespace qx {

constexpr std::uint32_t kPenBaudRate = 38400;
constexpr std::uint8_t kPenByteSize = 8;
constexpr std::uint8_t kPenParity = 0;    // NOPARITY
constexpr std::uint8_t kPenStopBits = 0;  // ONESTOPBIT
constexpr std::uint16_t kPenXonLim = 1024;
constexpr std::uint16_t kPenXoffLim = 3072;
// A character received with a line error is replaced by '?', the same
// character that marks an unusable coordinate field.
constexpr char kPenErrorChar = '?';
constexpr char kPenEofChar = 0;
constexpr char kPenEvtChar = 0;

constexpr std::uint32_t kPenQueueBytes = 4096;  // input and output queues
constexpr std::uint32_t kPenReadIntervalTimeout = 300000;
constexpr std::uint32_t kPenReadTotalTimeoutConstant = 1000;
constexpr std::uint32_t kPenWriteTotalTimeoutConstant = 1000;

// The flag word of the DCB (fBinary ... fAbortOnError) after our changes:
// fBinary, fParity, fOutxCtsFlow, DTR enable, fTXContinueOnXoff, RTS
// handshake and fAbortOnError set; DSR flow, DSR sensitivity, XON/XOFF and
// fNull cleared; fErrorChar and the reserved bits kept.
constexpr std::uint32_t kPenLineFlagsKeep = 0xFFFFE497u;
constexpr std::uint32_t kPenLineFlagsSet = 0x00006097u;

constexpr std::uint32_t PenLineFlags(std::uint32_t old) {
    return (old & kPenLineFlagsKeep) | kPenLineFlagsSet;
}

// The receive buffer, and the most one read takes (room for the zero that
// always follows a batch).
constexpr std::uint32_t kReceiveBufferBytes = 8192;
constexpr std::uint32_t kMaxBatchBytes = kReceiveBufferBytes - 1;

}  // namespace qx

#endif
