#include "menu_dump_win.h"

#include <cwchar>
#include <vector>

#include "menuhook_protocol_win.h"

namespace qx::menuhook {
namespace {

// A sub-menu may be inserted into itself; stop well before that recursion hurts.
constexpr int kMaxDepth = 16;
constexpr int kIndentPerLevel = 2;
constexpr wchar_t kFirstPrintable = L' ';
constexpr wchar_t kDelete = 0x7F;
constexpr int kHexEscapeChars = 8;

std::wstring StateFlags(UINT state) {
    std::wstring flags;
    if (state & MFS_CHECKED) flags += L" [checked]";
    if (state & MF_DISABLED) flags += L" [disabled]";
    if (state & MF_GRAYED) flags += L" [grayed]";
    return flags;
}

void AppendItems(HMENU menu, int depth, std::wstring& out) {
    const std::wstring indent(static_cast<std::size_t>(depth * kIndentPerLevel), L' ');
    const int count = ::GetMenuItemCount(menu);
    if (count < 0) {
        out += indent + L"? unreadable menu, error " + std::to_wstring(::GetLastError()) +
               kLineSeparator;
        return;
    }
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        // The first call only measures the text.
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            out += indent + L"? unreadable item " + std::to_wstring(i) + L", error " +
                   std::to_wstring(::GetLastError()) + kLineSeparator;
            continue;
        }
        std::wstring text;
        if (!(info.fType & MFT_SEPARATOR) && info.cch > 0) {
            std::vector<wchar_t> buffer(info.cch + 1, L'\0');
            info.dwTypeData = buffer.data();
            info.cch = static_cast<UINT>(buffer.size());
            if (::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) text = buffer.data();
        }

        if (info.fType & MFT_SEPARATOR) {
            out += indent + L"-" + kLineSeparator;
        } else if (info.hSubMenu) {
            out += indent + L"> " + EscapeText(text) + StateFlags(info.fState) + kLineSeparator;
            if (depth + 1 < kMaxDepth) {
                AppendItems(info.hSubMenu, depth + 1, out);
            } else {
                out += indent + L"  ? nested too deeply" + kLineSeparator;
            }
        } else {
            out += indent + std::to_wstring(info.wID) + L" " + EscapeText(text) +
                   StateFlags(info.fState) + kLineSeparator;
        }
    }
}

}  // namespace

std::wstring EscapeText(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        switch (c) {
        case L'\t': out += L"\\t"; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\\': out += L"\\\\"; break;
        default:
            if (c < kFirstPrintable || c == kDelete) {
                wchar_t hex[kHexEscapeChars] = {};
                std::swprintf(hex, kHexEscapeChars, L"\\x%02X", static_cast<unsigned>(c));
                out += hex;
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::wstring DumpMenu(HMENU menu) {
    std::wstring out;
    AppendItems(menu, 0, out);
    return out;
}

}  // namespace qx::menuhook
