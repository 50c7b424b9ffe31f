#include "probe_system_win.h"

#include <cstring>
#include <cwctype>
#include <vector>

#include "probe_find_win.h"
#include "probe_output_win.h"

namespace qx::probe {
namespace {

constexpr int kHotkeyId = 1;
constexpr DWORD kHoldPollMs = 50;
constexpr WORD kMarkerKey = VK_F24;  // a key nothing acts on
// The driver's time to answer for its button state, whatever is left of the
// command's own deadline.
constexpr DWORD kAnswerMs = 5000;
constexpr SHORT kHeldBit = static_cast<SHORT>(0x8000);

int Held(int vk) { return (GetAsyncKeyState(vk) & kHeldBit) != 0 ? 1 : 0; }

bool HiveFromName(const std::wstring& name, HKEY& hive) {
    if (name == L"HKCU" || name == L"HKEY_CURRENT_USER") {
        hive = HKEY_CURRENT_USER;
        return true;
    }
    if (name == L"HKLM" || name == L"HKEY_LOCAL_MACHINE") {
        hive = HKEY_LOCAL_MACHINE;
        return true;
    }
    return false;
}

// Owns an open registry key.
class Key {
public:
    Key() = default;
    ~Key() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    LSTATUS Open(HKEY hive, const std::wstring& path) {
        return RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ, &key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

const wchar_t* TypeName(DWORD type) {
    switch (type) {
        case REG_SZ: return L"REG_SZ";
        case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
        case REG_MULTI_SZ: return L"REG_MULTI_SZ";
        case REG_DWORD: return L"REG_DWORD";
        case REG_QWORD: return L"REG_QWORD";
        case REG_BINARY: return L"REG_BINARY";
        case REG_NONE: return L"REG_NONE";
        default: return L"REG_OTHER";
    }
}

std::wstring ValueText(DWORD type, const std::vector<BYTE>& data) {
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        // Every stored UTF-16 unit, terminator included when one is stored.
        std::wstring text(data.size() / sizeof(wchar_t), L'\0');
        if (!text.empty()) memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
        return Escape(text);
    }
    if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        LONG value = 0;
        memcpy(&value, data.data(), sizeof value);
        return std::to_wstring(value);
    }
    std::wstring hex;
    for (BYTE b : data) hex += Hex(b).substr(2) + L" ";
    return hex;
}

std::wstring MetricsLine() {
    return L"metrics dblclk_w=" + std::to_wstring(GetSystemMetrics(SM_CXDOUBLECLK)) +
           L" dblclk_h=" + std::to_wstring(GetSystemMetrics(SM_CYDOUBLECLK)) +
           L" dblclk_time=" + std::to_wstring(GetDoubleClickTime()) +
           L" drag_w=" + std::to_wstring(GetSystemMetrics(SM_CXDRAG)) +
           L" drag_h=" + std::to_wstring(GetSystemMetrics(SM_CYDRAG));
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

}  // namespace

int CmdReg(const Args& args, const Deadline&) {
    const auto& p = args.Positional();
    HKEY hive = nullptr;
    if (p.size() != 3 || !HiveFromName(p[0], hive)) return kExitUsage;
    Key key;
    if (key.Open(hive, p[1]) != ERROR_SUCCESS) {
        Out(L"reg missing-key");
        return kExitFailed;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), p[2].c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        Out(L"reg missing");
        return kExitFailed;
    }
    std::vector<BYTE> data(size);
    DWORD got = size;
    if (RegQueryValueExW(key.Get(), p[2].c_str(), nullptr, &type, data.empty() ? nullptr : data.data(),
                         &got) != ERROR_SUCCESS) {
        Out(L"reg unreadable");
        return kExitFailed;
    }
    data.resize(got);
    Out(L"reg type=" + std::wstring(TypeName(type)) + L" bytes=" + std::to_wstring(size) +
        L" value=" + ValueText(type, data));
    return kExitOk;
}

int CmdRegKey(const Args& args, const Deadline&) {
    const auto& p = args.Positional();
    HKEY hive = nullptr;
    if (p.size() != 2 || !HiveFromName(p[0], hive)) return kExitUsage;
    Key key;
    const bool exists = key.Open(hive, p[1]) == ERROR_SUCCESS;
    Out(exists ? L"key exists" : L"key missing");
    return exists ? kExitOk : kExitFailed;
}

int CmdMetrics(const Args&, const Deadline&) {
    Out(MetricsLine());
    return kExitOk;
}

int CmdSetMetrics(const Args& args, const Deadline&) {
    struct Setting {
        const wchar_t* option;
        UINT action;
    };
    const Setting settings[] = {
        {L"dblclk-w", SPI_SETDOUBLECLKWIDTH}, {L"dblclk-h", SPI_SETDOUBLECLKHEIGHT},
        {L"dblclk-time", SPI_SETDOUBLECLICKTIME}, {L"drag-w", SPI_SETDRAGWIDTH},
        {L"drag-h", SPI_SETDRAGHEIGHT},
    };
    bool any = false;
    for (const auto& s : settings) {
        if (!args.Has(s.option)) continue;
        long long value = 0;
        if (!args.GetNumber(s.option, value) || value < 0) return kExitUsage;
        // Broadcast only, like the driver: the value lives in the session.
        if (!SystemParametersInfoW(s.action, static_cast<UINT>(value), nullptr, SPIF_SENDCHANGE)) {
            Out(L"error SystemParametersInfo " + std::wstring(s.option) + L" failed, error " +
                std::to_wstring(GetLastError()));
            return kExitFailed;
        }
        any = true;
    }
    if (!any) return kExitUsage;
    Out(MetricsLine());
    return kExitOk;
}

int CmdPorts(const Args& args, const Deadline&) {
    // What opening each COM port for reading by its device path answers, as
    // a port probe sees it: "open" or the error code. The numbers given, or
    // COM1 to COM9.
    std::vector<long long> numbers;
    for (const std::wstring& text : args.Positional()) {
        long long n = 0;
        if (!ParseNumber(text, n)) return kExitUsage;
        numbers.push_back(n);
    }
    if (numbers.empty()) {
        for (long long n = 1; n <= 9; ++n) numbers.push_back(n);
    }
    for (long long n : numbers) {
        const std::wstring path = L"\\\\.\\COM" + std::to_wstring(n);
        HANDLE port = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const DWORD error = GetLastError();
        if (port != INVALID_HANDLE_VALUE) CloseHandle(port);
        Out(L"port COM" + std::to_wstring(n) + L": " +
            (port != INVALID_HANDLE_VALUE ? std::wstring(L"open") : L"error " + std::to_wstring(error)));
    }
    return kExitOk;
}

int CmdVersion(const Args& args, const Deadline&) {
    // The version resource's texts in one language block ("040904b0",
    // "041104b0") and the supportedOS entries of the manifest.
    if (args.Positional().size() != 1) return kExitUsage;
    const std::wstring& file = args.Positional()[0];
    const std::wstring block = args.Get(L"block", L"040904b0");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data.data())) {
        Out(L"error no version resource in " + Escape(file));
        return kExitFailed;
    }
    for (const wchar_t* name : {L"CompanyName", L"ProductName", L"ProductVersion", L"FileVersion",
                                L"FileDescription"}) {
        const std::wstring path = L"\\StringFileInfo\\" + block + L"\\" + name;
        wchar_t* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value)
            Out(L"version " + std::wstring(name) + L" " + Escape(value));
        else
            Out(L"version " + std::wstring(name) + L" missing");
    }
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC manifest = module ? FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    if (manifest) {
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
        const std::string xml(text, SizeofResource(module, manifest));
        const std::string tag = "supportedOS Id=\"";
        for (std::size_t at = xml.find(tag); at != std::string::npos; at = xml.find(tag, at + 1)) {
            const std::size_t start = at + tag.size();
            const std::string id = xml.substr(start, xml.find('"', start) - start);
            Out(L"supportedOS " + std::wstring(id.begin(), id.end()));
        }
    }
    if (module) FreeLibrary(module);
    return kExitOk;
}

int CmdHoldHotkey(const Args& args, const Deadline&) {
    const std::wstring key = args.Get(L"key", L"C");
    long long holdMs = 0;
    if (key.size() != 1 || !std::iswalnum(key[0]) || !args.GetNumber(L"ms", holdMs) || holdMs < 0) {
        return kExitUsage;
    }
    // Letters and digits are their own virtual-key codes.
    if (!RegisterHotKey(nullptr, kHotkeyId, MOD_CONTROL | MOD_SHIFT, std::towupper(key[0]))) {
        Out(L"hotkey-failed error=" + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"held");
    // Until killed, or for --ms; the thread keeps its queue serviced meanwhile.
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(holdMs);
    while (holdMs == 0 || GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kHoldPollMs, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_HOTKEY) Out(L"hotkey");
        }
    }
    UnregisterHotKey(nullptr, kHotkeyId);
    Out(L"released");
    return kExitOk;
}

int CmdKeys(const Args& args, const Deadline&) {
    long long alone = 0;
    if (args.Has(L"vk")) {
        if (!args.GetNumber(L"vk", alone) || alone <= 0 || alone > 0xFE) return kExitUsage;
        INPUT press[] = {KeyInput(static_cast<WORD>(alone), false), KeyInput(static_cast<WORD>(alone), true)};
        if (SendInput(2, press, sizeof(INPUT)) != 2) return kExitFailed;
        Out(L"sent");
        return kExitOk;
    }
    const std::wstring key = args.Get(L"key", L"C");
    if (key.size() != 1 || !std::iswalnum(key[0])) return kExitUsage;
    const WORD vk = static_cast<WORD>(std::towupper(key[0]));
    INPUT chord[] = {KeyInput(VK_CONTROL, false), KeyInput(VK_SHIFT, false), KeyInput(vk, false),
                     KeyInput(vk, true),          KeyInput(VK_SHIFT, true),  KeyInput(VK_CONTROL, true)};
    const UINT count = static_cast<UINT>(sizeof(chord) / sizeof(chord[0]));
    if (SendInput(count, chord, sizeof(INPUT)) != count) {
        Out(L"error SendInput failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"sent");
    return kExitOk;
}

int CmdState(const Args&, const Deadline&) {
    Out(L"buttons left=" + std::to_wstring(Held(VK_LBUTTON)) + L" right=" +
        std::to_wstring(Held(VK_RBUTTON)) + L" middle=" + std::to_wstring(Held(VK_MBUTTON)));
    POINT p{};
    Out(GetCursorPos(&p) ? L"cursor " + std::to_wstring(p.x) + L" " + std::to_wstring(p.y)
                         : std::wstring(L"cursor none"));
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    Out(GetCursorInfo(&cursor) ? L"cursor-shown " + std::to_wstring((cursor.flags & CURSOR_SHOWING) ? 1 : 0)
                               : std::wstring(L"cursor-shown none"));
    const HWND driver = FindWindowW(kMainWindowClass, nullptr);
    long long engine = 0;
    const bool answered = driver != nullptr &&
                          AskDiag(driver, static_cast<WPARAM>(Diag::Button), Deadline(kAnswerMs), engine);
    Out(answered ? L"engine " + std::to_wstring(engine) : std::wstring(L"engine none"));
    return kExitOk;
}

int CmdSettle(const Args& args, const Deadline& deadline) {
    long long bytes = -1;
    long long vk = kMarkerKey;
    if (!args.GetNumber(L"bytes", bytes) || !args.GetNumber(L"vk", vk) || vk <= 0 || vk > 0xFE) {
        return kExitUsage;
    }
    if (args.Has(L"bytes")) {
        HWND driver = nullptr;
        if (!FindMainWindow(args, deadline, driver)) return kExitFailed;
        long long seen = -1;
        while (!(AskDiag(driver, static_cast<WPARAM>(Diag::Bytes), deadline, seen) && seen == bytes)) {
            if (!PollPause(deadline)) {
                Out(L"timeout bytes " + std::to_wstring(seen) + L" (waiting for " +
                    std::to_wstring(bytes) + L")");
                return kExitFailed;
            }
        }
        Out(L"bytes " + std::to_wstring(seen));
    }
    CmdState(args, deadline);
    INPUT marker[] = {KeyInput(static_cast<WORD>(vk), false), KeyInput(static_cast<WORD>(vk), true)};
    if (SendInput(2, marker, sizeof(INPUT)) != 2) {
        Out(L"error SendInput failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"sent");
    return kExitOk;
}

}  // namespace qx::probe
