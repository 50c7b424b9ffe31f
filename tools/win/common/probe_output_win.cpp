#include "probe_output_win.h"

#include <cwchar>

namespace qx::probe {
namespace {

constexpr wchar_t kFirstPrintable = L' ';
constexpr wchar_t kDelete = 0x7F;

void WriteUtf8(DWORD which, const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    const HANDLE h = GetStdHandle(which);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(h);
}

}  // namespace

std::wstring Escape(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        switch (c) {
            case L'\r': out += L"\\r"; break;
            case L'\n': out += L"\\n"; break;
            case L'\t': out += L"\\t"; break;
            case L'\\': out += L"\\\\"; break;
            default:
                if (c < kFirstPrintable || c == kDelete) {
                    wchar_t hex[8];
                    std::swprintf(hex, 8, L"\\x%02X", static_cast<unsigned>(c));
                    out += hex;
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::wstring Hex(ULONG_PTR value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::wstring HwndText(HWND hwnd) { return Hex(reinterpret_cast<ULONG_PTR>(hwnd)); }

void Out(const std::wstring& line) { WriteUtf8(STD_OUTPUT_HANDLE, line); }

void Err(const std::wstring& line) { WriteUtf8(STD_ERROR_HANDLE, line); }

}  // namespace qx::probe
