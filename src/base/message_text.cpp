#include "base/message_text.h"

namespace qx {

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

}  // namespace qx
