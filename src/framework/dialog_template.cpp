#include "framework/dialog_template.h"

namespace qx {
namespace {

// DLGTEMPLATEEX: version 1, signature 0xFFFF, then help id, extended style,
// style, item count and the rectangle: 26 bytes before the menu.
constexpr std::size_t kStyleOffset = 12;
constexpr std::size_t kHeaderBytes = 26;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint16_t kOrdinalMark = 0xFFFF;
constexpr std::size_t kClassicHeaderBytes = 18;
// What a classic template's font is besides its size and face.
constexpr std::uint16_t kNormalWeight = 400;
constexpr std::uint8_t kDefaultCharset = 1;

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Word(std::size_t at, std::uint16_t& value) const {
        if (at + 2 > size_) return false;
        value = static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
        return true;
    }
    bool Dword(std::size_t at, std::uint32_t& value) const {
        std::uint16_t low = 0, high = 0;
        if (!Word(at, low) || !Word(at + 2, high)) return false;
        value = low | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }
    // Past a zero-terminated UTF-16 text, into `text` when asked.
    bool SkipText(std::size_t& at, std::u16string* text = nullptr) const {
        for (std::uint16_t c = 0; Word(at, c); at += 2) {
            if (c == 0) {
                at += 2;
                return true;
            }
            if (text) text->push_back(static_cast<char16_t>(c));
        }
        return false;
    }
    // Past a menu or class field: none, an ordinal or a text.
    bool SkipNameOrOrdinal(std::size_t& at) const {
        std::uint16_t first = 0;
        if (!Word(at, first)) return false;
        if (first == 0) {
            at += 2;
            return true;
        }
        if (first == kOrdinalMark) {
            at += 4;
            return at <= size_;
        }
        return SkipText(at);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

struct FontPlace {
    std::size_t start = 0;  // where the point size begins
    std::size_t end = 0;    // just past the face name
};

std::optional<FontPlace> FindFont(const std::uint8_t* data, std::size_t size) {
    Reader r(data, size);
    std::uint16_t version = 0, signature = 0;
    std::uint32_t style = 0;
    if (!r.Word(0, version) || !r.Word(2, signature) || version != 1 ||
        signature != kOrdinalMark || !r.Dword(kStyleOffset, style) || !(style & kDsSetFont))
        return std::nullopt;
    std::size_t at = kHeaderBytes;
    if (!r.SkipNameOrOrdinal(at) || !r.SkipNameOrOrdinal(at) || !r.SkipText(at))
        return std::nullopt;
    FontPlace place{at, at + 6};  // size, weight, italic, charset
    if (!r.SkipText(place.end)) return std::nullopt;
    return place;
}

std::size_t AlignDword(std::size_t at) { return (at + 3) & ~static_cast<std::size_t>(3); }

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// A classic template: style, extended style, item count and rectangle, 18
// bytes; its font is a point size and a face.
std::optional<TemplateFont> ReadClassicFont(const std::uint8_t* data, std::size_t size) {
    Reader r(data, size);
    std::uint32_t style = 0;
    if (!r.Dword(0, style) || !(style & kDsSetFont)) return std::nullopt;
    std::size_t at = kClassicHeaderBytes;
    if (!r.SkipNameOrOrdinal(at) || !r.SkipNameOrOrdinal(at) || !r.SkipText(at))
        return std::nullopt;
    TemplateFont font{0, kNormalWeight, 0, kDefaultCharset, {}};
    if (!r.Word(at, font.points)) return std::nullopt;
    at += 2;
    if (!r.SkipText(at, &font.face)) return std::nullopt;
    return font;
}

}  // namespace

std::optional<TemplateFont> ReadTemplateFont(const std::uint8_t* data, std::size_t size) {
    Reader r(data, size);
    std::uint16_t signature = 0;
    if (r.Word(2, signature) && signature != kOrdinalMark) return ReadClassicFont(data, size);
    const auto place = FindFont(data, size);
    if (!place) return std::nullopt;
    TemplateFont font;
    r.Word(place->start, font.points);
    r.Word(place->start + 2, font.weight);
    font.italic = data[place->start + 4];
    font.charset = data[place->start + 5];
    std::size_t at = place->start + 6;
    r.SkipText(at, &font.face);
    return font;
}

std::vector<std::uint8_t> WithTemplateFont(const std::uint8_t* data, std::size_t size,
                                           const TemplateFont& font) {
    const auto place = FindFont(data, size);
    if (!place) return std::vector<std::uint8_t>(data, data + size);
    std::vector<std::uint8_t> out(data, data + place->start);
    PutWord(out, font.points);
    PutWord(out, font.weight);
    out.push_back(font.italic);
    out.push_back(font.charset);
    for (char16_t c : font.face) PutWord(out, static_cast<std::uint16_t>(c));
    PutWord(out, 0);
    // The items begin on a 4-byte boundary in both.
    out.resize(AlignDword(out.size()), 0);
    const std::size_t items = AlignDword(place->end);
    if (items < size) out.insert(out.end(), data + items, data + size);
    return out;
}

}  // namespace qx
