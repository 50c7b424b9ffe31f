// inputcheck: the system's input state, seen from a second Win32 process.
//
//   inputcheck state
//       prints three lines:
//         buttons left=N right=N middle=N   (1 = held down in the system, from
//                                            GetAsyncKeyState)
//         cursor X Y                        (GetCursorPos)
//         engine N                          (the driver's button state, its
//                                            diagnostics selector 2; "engine
//                                            none" without a driver window)
//   inputcheck settle [--bytes N] [--timeout MS] [--vk VK]
//       with --bytes, first waits until the driver has received N bytes in
//       all (diagnostics selector 0, printed as "bytes N"); then prints the
//       state as above, injects a press and release of VK (default F24, a key
//       nothing acts on) as a marker and prints "sent"
//
// Exit status 0 on success, 1 when a wait ran out or the system refused, 2 on
// bad usage. One process does what would otherwise take several probe runs:
// a pen test looks at the state after every case.
//
// Once the driver has answered that it received N bytes, it has injected all
// the input those bytes cause: it injects while it handles a delivery, and it
// answers the diagnostics message only between two deliveries. The held
// buttons and the cursor are the system's at that moment, whether or not a
// window has taken the messages yet. The marker orders itself after all that
// input: the system hands a thread its hardware input in the order it arrived,
// so a target window that logs the key has handled every earlier mouse message.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr WORD kDefaultMarkerKey = VK_F24;
constexpr SHORT kHeldBit = static_cast<SHORT>(0x8000);
constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 10;
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
constexpr wchar_t kDriverClass[] = L"QXdrvTrayWnd";
constexpr wchar_t kDiagnosticsMessage[] = L"QXdrvDiagnostics";
constexpr WPARAM kDiagReceivedBytes = 0;
constexpr WPARAM kDiagButtonState = 2;

int Held(int vk) { return (::GetAsyncKeyState(vk) & kHeldBit) != 0 ? 1 : 0; }

// One diagnostics value of the driver; false without a window or an answer.
bool Diagnostic(WPARAM selector, DWORD waitMs, long long& value) {
    HWND driver = ::FindWindowW(kDriverClass, nullptr);
    if (driver == nullptr) return false;
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(driver, ::RegisterWindowMessageW(kDiagnosticsMessage), selector, 0,
                               kSendFlags, waitMs, &result)) {
        return false;
    }
    value = static_cast<long long>(static_cast<LRESULT>(result));
    return true;
}

int State() {
    std::printf("buttons left=%d right=%d middle=%d\n", Held(VK_LBUTTON), Held(VK_RBUTTON),
                Held(VK_MBUTTON));
    POINT p{};
    if (::GetCursorPos(&p)) {
        std::printf("cursor %ld %ld\n", p.x, p.y);
    } else {
        std::printf("cursor none\n");
    }
    long long engine = 0;
    if (Diagnostic(kDiagButtonState, kDefaultTimeoutMs, engine)) {
        std::printf("engine %lld\n", engine);
    } else {
        std::printf("engine none\n");
    }
    return kExitOk;
}

INPUT Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

bool WaitForBytes(long long bytes, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    long long seen = -1;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < end ? static_cast<DWORD>(end - now) : 1;
        if (Diagnostic(kDiagReceivedBytes, left, seen) && seen == bytes) {
            std::printf("bytes %lld\n", seen);
            return true;
        }
        if (::GetTickCount64() >= end) break;
        ::Sleep(kPollMs);
    }
    std::printf("timeout bytes %lld (waiting for %lld)\n", seen, bytes);
    return false;
}

int Marker(WORD vk) {
    INPUT inputs[] = {Key(vk, false), Key(vk, true)};
    const UINT count = static_cast<UINT>(sizeof inputs / sizeof inputs[0]);
    if (::SendInput(count, inputs, sizeof(INPUT)) != count) {
        std::printf("error SendInput failed, error %lu\n", ::GetLastError());
        return kExitFailed;
    }
    std::printf("sent\n");
    return kExitOk;
}

bool ParseNumber(const wchar_t* text, long long& value) {
    wchar_t* end = nullptr;
    value = std::wcstoll(text, &end, 0);
    return end != text && *end == L'\0' && value >= 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: inputcheck state\n"
                 "       inputcheck settle [--bytes N] [--timeout MS] [--vk VK]\n");
    return kExitUsage;
}

int SettleCommand(int argc, wchar_t** argv) {
    long long bytes = -1;
    long long timeoutMs = kDefaultTimeoutMs;
    long long vk = kDefaultMarkerKey;
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc) return Usage();
        const std::wstring option = argv[i];
        long long* target = option == L"--bytes"     ? &bytes
                            : option == L"--timeout" ? &timeoutMs
                            : option == L"--vk"      ? &vk
                                                     : nullptr;
        if (target == nullptr || !ParseNumber(argv[i + 1], *target)) return Usage();
    }
    if (vk == 0 || vk > 0xFE) return Usage();
    if (bytes >= 0 && !WaitForBytes(bytes, static_cast<DWORD>(timeoutMs))) return kExitFailed;
    State();
    return Marker(static_cast<WORD>(vk));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    if (command == L"state" && argc == 2) return State();
    if (command == L"settle") return SettleCommand(argc, argv);
    return Usage();
}
