#include "link/pen_decoder.h"

#include <cstdlib>
#include <cstring>

namespace qx {
namespace {

constexpr char kCr = '\r';
constexpr char kUnusable = '?';  // also the port's ErrorChar for line errors
constexpr std::size_t kShortLength = 2;
constexpr std::size_t kCoordLength = 8;
constexpr std::size_t kXFieldStart = 1;
constexpr std::size_t kXFieldLength = 4;
constexpr std::size_t kYFieldStart = 5;
constexpr std::size_t kYFieldLength = 3;
// One receive batch (the receive buffer less its terminating zero) on top of
// the longest text kept between deliveries: the buffer never grows past it
// outside calibration, so it is reserved once.
constexpr std::size_t kLargestBatch = 8191;

// atof semantics on one field: the characters are copied and zero-terminated,
// so strtod sees nothing past the field. A '?' anywhere makes it unusable.
bool ParseField(std::string_view field, double& value) {
    char text[kXFieldLength + 1] = {};
    if (field.find(kUnusable) != std::string_view::npos) return false;
    std::memcpy(text, field.data(), field.size());
    value = std::strtod(text, nullptr);
    return true;
}

}  // namespace

PenDecoder::PenDecoder(const CalibValues& calib, PointerEngine& engine, const int& calibrating)
    : calib_(calib), engine_(engine), calibrating_(&calibrating) {
    buffer_.reserve(kOverflowLength + kLargestBatch);
}

std::string_view PenDecoder::PendingText() const {
    return std::string_view(buffer_).substr(start_);
}

void PenDecoder::ClearBuffer() {
    buffer_.clear();
    start_ = 0;
}

bool PenDecoder::HasCr() const { return buffer_.find(kCr, start_) != std::string::npos; }

void PenDecoder::Consume(std::size_t count) {
    start_ += count;
    if (start_ >= buffer_.size()) ClearBuffer();
}

void PenDecoder::OnPenData(const char* text, std::size_t count) {
    if (text != nullptr && count > 0) {
        const void* zero = std::memchr(text, 0, count);
        const std::size_t length =
            zero == nullptr ? count : static_cast<std::size_t>(static_cast<const char*>(zero) - text);
        buffer_.erase(0, start_);
        start_ = 0;
        buffer_.append(text, length);
    }
    if (*calibrating_ != 0) {
        // A delivery inside the handler's own message box only appends.
        if (calibGuard_ == 0 && calibHandler_ != nullptr) {
            calibGuard_ = 1;
            calibHandler_->OnCalibrationPenData();
            calibGuard_ = 0;
        }
        return;
    }
    while (HasCr()) DecodeStep();
    ApplyOverflowRule();
}

void PenDecoder::ApplyOverflowRule() {
    if (resync_ != 0) ClearBuffer();
    if (PendingText().size() >= kOverflowLength) {
        ClearBuffer();
        resync_ = 1;
    }
}

PenReport PenDecoder::DecodeStep() {
    const std::size_t cr = buffer_.find(kCr, start_);
    if (cr == std::string::npos) {
        ApplyOverflowRule();
        return PenReport::None;
    }
    const std::size_t length = cr - start_;
    if (resync_ != 0) {
        // The tail of the broken line, and its CR, even if it looks whole.
        Consume(length + 1);
        resync_ = 0;
        return PenReport::None;
    }
    // The line is copied off the buffer before the engine acts on it.
    char line[kCoordLength] = {};
    if (length == kShortLength || length == kCoordLength) {
        std::memcpy(line, buffer_.data() + start_, length);
    }
    Consume(length + 1);
    if (length == kShortLength) return DecodeShort(std::string_view(line, length));
    if (length == kCoordLength) return DecodeCoordinates(std::string_view(line, length));
    return PenReport::None;
}

PenReport PenDecoder::DecodeShort(std::string_view line) {
    if (line[0] == '?') {
        if (line[1] == 'T') engine_.OnRelease();
        if (line[1] == 'M') engine_.OnSmallButton();
    }
    return PenReport::Short;
}

PenReport PenDecoder::DecodeCoordinates(std::string_view line) {
    ScreenPoint screen;
    switch (line[0]) {
        case 'L':
            if (!ParseFields(line, screen)) return PenReport::None;
            engine_.OnButtonReport(ButtonState::Left, screen.x, screen.y);
            return PenReport::Left;
        case 'R':
            if (!ParseFields(line, screen)) return PenReport::None;
            engine_.OnButtonReport(ButtonState::Right, screen.x, screen.y);
            return PenReport::Right;
        case 'M':
            if (!ParseFields(line, screen)) return PenReport::None;
            engine_.OnButtonReport(ButtonState::Middle, screen.x, screen.y);
            return PenReport::Middle;
        case '@':
            // Lifting the pen into hover releases even if the fields are bad.
            engine_.OnHoverRelease();
            if (!ParseFields(line, screen)) return PenReport::None;
            engine_.OnHoverMove(screen.x, screen.y);
            return PenReport::Hover;
        default:
            return PenReport::None;
    }
}

bool PenDecoder::ParseFields(std::string_view line, ScreenPoint& screen) {
    double boardX = 0.0;
    double boardY = 0.0;
    if (!ParseField(line.substr(kXFieldStart, kXFieldLength), boardX)) return false;
    if (!ParseField(line.substr(kYFieldStart, kYFieldLength), boardY)) return false;
    // Saturating truncation: a field such as "9e99" or "nan" must not be
    // undefined behaviour when it becomes an int.
    raw_ = BoardPoint{TruncateToInt(boardX), TruncateToInt(boardY)};
    screen = BoardToScreen(boardX, boardY, calib_);
    return true;
}

}  // namespace qx
