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
// while every delivery is decoded, so it is reserved once.
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

PenTouch TouchOfLead(char lead) {
    switch (lead) {
        case 'L': return PenTouch::Left;
        case 'R': return PenTouch::Right;
        case 'M': return PenTouch::Middle;
        case '@': return PenTouch::Hover;
        default: return PenTouch::None;
    }
}

PenReport KindOf(PenTouch touch) {
    switch (touch) {
        case PenTouch::Left: return PenReport::Left;
        case PenTouch::Right: return PenReport::Right;
        case PenTouch::Middle: return PenReport::Middle;
        case PenTouch::Hover: return PenReport::Hover;
        default: return PenReport::None;
    }
}

}  // namespace

PenDecoder::PenDecoder() { buffer_.reserve(kOverflowLength + kLargestBatch); }

std::string_view PenDecoder::PendingText() const {
    return std::string_view(buffer_).substr(start_);
}

void PenDecoder::ClearBuffer() {
    buffer_.clear();
    start_ = 0;
    searched_ = 0;
}

void PenDecoder::Consume(std::size_t count) {
    start_ += count;
    if (start_ >= buffer_.size()) ClearBuffer();
}

bool PenDecoder::Append(const char* text, std::size_t count) {
    if (text != nullptr && count > 0) {
        const void* zero = std::memchr(text, 0, count);
        const std::size_t length = zero == nullptr
                                       ? count
                                       : static_cast<std::size_t>(static_cast<const char*>(zero) - text);
        buffer_.erase(0, start_);
        searched_ = searched_ > start_ ? searched_ - start_ : 0;
        start_ = 0;
        buffer_.append(text, length);
    }
    // Only the text not searched yet can hold a CR; without one, the
    // overflow rule applies now, as Next would apply it.
    const std::size_t from = searched_ > start_ ? searched_ : start_;
    const void* cr = std::memchr(buffer_.data() + from, kCr, buffer_.size() - from);
    if (cr != nullptr) {
        searched_ = static_cast<std::size_t>(static_cast<const char*>(cr) - buffer_.data());
        return true;
    }
    searched_ = buffer_.size();
    ApplyOverflowRule();
    return false;
}

void PenDecoder::ApplyOverflowRule() {
    if (resync_) ClearBuffer();
    if (PendingText().size() >= kOverflowLength) {
        ClearBuffer();
        resync_ = true;
    }
}

bool PenDecoder::Next(PenEvent& event) {
    // Everything taken: no line, and nothing the overflow rule could drop.
    if (start_ == buffer_.size()) return false;
    // Text that arrived a byte or a few at a time is searched once, not
    // again with every delivery.
    std::size_t cr = searched_ > start_ ? searched_ : start_;
    if (buffer_[cr] != kCr) cr = buffer_.find(kCr, cr);
    if (cr == std::string::npos) {
        searched_ = buffer_.size();
        ApplyOverflowRule();
        return false;
    }
    event = PenEvent{};
    const std::size_t length = cr - start_;
    if (resync_) {
        // The tail of the broken line, and its CR, even if it looks whole.
        Consume(length + 1);
        resync_ = false;
    } else if (length == kShortLength) {
        event.kind = PenReport::Short;
        if (buffer_[start_] == '?' && buffer_[start_ + 1] == 'T') event.touch = PenTouch::Release;
        if (buffer_[start_] == '?' && buffer_[start_ + 1] == 'M') event.touch = PenTouch::SmallButton;
        Consume(length + 1);
    } else if (length == kCoordLength) {
        char line[kCoordLength];
        std::memcpy(line, buffer_.data() + start_, length);
        Consume(length + 1);
        DecodeCoordinates(std::string_view(line, length), event);
    } else {
        Consume(length + 1);
    }
    event.lastRaw = raw_;
    return true;
}

void PenDecoder::DecodeCoordinates(std::string_view line, PenEvent& event) {
    const PenTouch touch = TouchOfLead(line[0]);
    if (touch == PenTouch::None) return;
    // Lifting the pen into hover releases even if the fields are bad.
    if (touch == PenTouch::Hover) event.touch = PenTouch::Hover;
    double x = 0.0;
    double y = 0.0;
    if (!ParseField(line.substr(kXFieldStart, kXFieldLength), x)) return;
    if (!ParseField(line.substr(kYFieldStart, kYFieldLength), y)) return;
    raw_ = BoardPoint{TruncateToInt(x), TruncateToInt(y)};
    event.kind = KindOf(touch);
    event.touch = touch;
    event.positioned = true;
    event.boardX = x;
    event.boardY = y;
}

}  // namespace qx
