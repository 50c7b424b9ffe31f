// Pen captures: what a pen board sent, batch by batch, with the pauses in
// between, as a small text file that the golden replay test and the pen
// board simulator both read.
//
// Format, one line per batch (one read of the port, one WM_PENDATA):
//
//   # comment                 lines starting with '#', and blank lines, are skipped
//   <delay_ms> <bytes>        wait delay_ms (decimal, 32-bit), then send the bytes
//   <delay_ms>                wait only
//
// The delay counts from the end of the previous batch (for a replay into the
// decoder: from when its handling returned, including any press wait). After
// the single space the rest of the line is the batch, where every printable
// ASCII character stands for itself (spaces too) and these escapes stand for
// the others:
//
//   \r CR   \n LF   \t TAB   \0 zero byte   \s space   \\ backslash   \xHH any byte
//
// A raw control character in the bytes is an error (CR and LF would be lost
// to an editor); a CR right before the line's LF is dropped so that CRLF
// files read the same.
#ifndef QXDRV_TOOLS_CAPTURE_PEN_CAPTURE_H
#define QXDRV_TOOLS_CAPTURE_PEN_CAPTURE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx::capture {

struct CaptureBatch {
    std::uint32_t delayMs = 0;
    std::string bytes;  // may be empty (wait only) and may hold zero bytes
};

namespace detail {

inline int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

inline bool Unescape(std::string_view text, std::string& bytes, std::string& error) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            error = "raw control character (escape it)";
            return false;
        }
        if (c != '\\') {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        if (++i == text.size()) {
            error = "backslash at the end of the line";
            return false;
        }
        switch (text[i]) {
            case 'r': bytes.push_back('\r'); break;
            case 'n': bytes.push_back('\n'); break;
            case 't': bytes.push_back('\t'); break;
            case '0': bytes.push_back('\0'); break;
            case 's': bytes.push_back(' '); break;
            case '\\': bytes.push_back('\\'); break;
            case 'x': {
                const int hi = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
                const int lo = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
                if (hi < 0 || lo < 0) {
                    error = "\\x needs two hex digits";
                    return false;
                }
                bytes.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                break;
            }
            default:
                error = std::string("unknown escape \\") + text[i];
                return false;
        }
    }
    return true;
}

}  // namespace detail

// Parses a whole capture. On failure returns false with `error` naming the
// line, and `batches` holds the lines before it.
inline bool ParseCapture(std::string_view text, std::vector<CaptureBatch>& batches, std::string& error) {
    std::size_t lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;

        CaptureBatch batch;
        std::size_t i = 0;
        std::uint64_t delay = 0;
        for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
            delay = delay * 10 + static_cast<std::uint64_t>(line[i] - '0');
            if (delay > UINT32_MAX) break;
        }
        const bool endsWell = i == line.size() || line[i] == ' ';
        if (i == 0 || delay > UINT32_MAX || !endsWell) {
            error = "line " + std::to_string(lineNo) + ": expected <delay_ms> [<bytes>]";
            return false;
        }
        batch.delayMs = static_cast<std::uint32_t>(delay);
        if (i < line.size() && !detail::Unescape(line.substr(i + 1), batch.bytes, error)) {
            error = "line " + std::to_string(lineNo) + ": " + error;
            return false;
        }
        batches.push_back(std::move(batch));
    }
    return true;
}

}  // namespace qx::capture

#endif
