#include "base/message_text.h"

#include <cwchar>

namespace qx {

std::wstring ResolutionLine(const std::wstring& caption, int width, int height, int frequency) {
    wchar_t size[64];
    if (frequency != 0)
        std::swprintf(size, sizeof(size) / sizeof(size[0]), L"  %d X %d @%dHz", width, height,
                      frequency);
    else
        std::swprintf(size, sizeof(size) / sizeof(size[0]), L"  %d X %d", width, height);
    return caption + size;
}

std::wstring InsertArgs(const std::wstring& text, const std::vector<std::wstring>& args) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'%' && i + 1 < text.size() && text[i + 1] >= L'1' && text[i + 1] <= L'9') {
            const std::size_t index = static_cast<std::size_t>(text[i + 1] - L'1');
            if (index < args.size()) out += args[index];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring Widen(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    for (const char c : text) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return out;
}

std::string NarrowAscii(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

bool SameAsciiName(const std::string& a, const std::string& b) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

}  // namespace qx
