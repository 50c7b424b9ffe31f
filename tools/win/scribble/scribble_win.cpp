// scribble.exe LOGFILE
//
// A full-screen top-level window that paints what the pointer
// draws with a held button and appends one line per mouse message to
// LOGFILE, flushed at once:
//   <tick ms> <message> <x> <y>
// with message one of move, ldown, lup, ldbl, rdown, rup, rdbl, mdown, mup,
// mdbl. Moves are logged only while a button is held, so a log stays short.
// A key press is logged as "<tick ms> key <virtual-key code> 0": tests inject
// one as a marker after the mouse input they wait for (input arrives in order).
// The window class is "QXScribble"; WM_CLOSE ends it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kClass[] = L"QXScribble";
constexpr int kInkWidth = 3;
constexpr COLORREF kInkLeft = RGB(0, 0, 160);
constexpr COLORREF kInkRight = RGB(200, 0, 0);
constexpr COLORREF kInkMiddle = RGB(0, 140, 0);

constexpr int kClickRadius = 4;
constexpr int kDoubleClickRadius = 8;  // a double-click gets a second, wider ring

struct Segment {
    POINT from;
    POINT to;
    COLORREF color;
};

// Where a button went down, in the button's ink.
struct Click {
    POINT at;
    COLORREF color;
    bool doubleClick;
};

FILE* g_log = nullptr;
std::vector<Segment> g_ink;
std::vector<Click> g_clicks;
POINT g_last{};
COLORREF g_color = kInkLeft;
bool g_down = false;

void LogLine(const char* what, int a, int b) {
    if (!g_log) return;
    std::fprintf(g_log, "%lu %s %d %d\n", static_cast<unsigned long>(::GetTickCount()), what, a, b);
    std::fflush(g_log);
}

void Log(const char* what, LPARAM lParam) {
    const POINTS p = MAKEPOINTS(lParam);
    LogLine(what, p.x, p.y);
}

POINT ToPoint(LPARAM lParam) {
    const POINTS p = MAKEPOINTS(lParam);
    return POINT{p.x, p.y};
}

void Press(HWND hwnd, LPARAM lParam, COLORREF color, bool doubleClick = false) {
    g_down = true;
    g_color = color;
    g_last = ToPoint(lParam);
    g_clicks.push_back({g_last, color, doubleClick});
    ::SetCapture(hwnd);
    ::InvalidateRect(hwnd, nullptr, FALSE);
}

void Release() {
    g_down = false;
    ::ReleaseCapture();
}

void Ring(HDC dc, POINT at, int radius) {
    ::Ellipse(dc, at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT client;
    ::GetClientRect(hwnd, &client);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const wchar_t title[] =
        L"QXdrv pen target: strokes are painted; a ring marks each button press (blue left, red "
        L"right, green middle), a double ring a double-click";
    ::TextOutW(dc, 10, 10, title, static_cast<int>(std::wcslen(title)));
    for (const Segment& s : g_ink) {
        HPEN pen = ::CreatePen(PS_SOLID, kInkWidth, s.color);
        HGDIOBJ old = ::SelectObject(dc, pen);
        ::MoveToEx(dc, s.from.x, s.from.y, nullptr);
        ::LineTo(dc, s.to.x, s.to.y);
        ::SelectObject(dc, old);
        ::DeleteObject(pen);
    }
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    for (const Click& c : g_clicks) {
        HPEN pen = ::CreatePen(PS_SOLID, 1, c.color);
        HGDIOBJ old = ::SelectObject(dc, pen);
        Ring(dc, c.at, kClickRadius);
        if (c.doubleClick) Ring(dc, c.at, kDoubleClickRadius);
        ::SelectObject(dc, old);
        ::DeleteObject(pen);
    }
    ::SelectObject(dc, oldBrush);
    ::EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (g_down) {
            Log("move", lParam);
            const POINT p = ToPoint(lParam);
            g_ink.push_back({g_last, p, g_color});
            g_last = p;
            ::InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN: Log("ldown", lParam); Press(hwnd, lParam, kInkLeft); return 0;
    case WM_LBUTTONDBLCLK: Log("ldbl", lParam); Press(hwnd, lParam, kInkLeft, true); return 0;
    case WM_RBUTTONDOWN: Log("rdown", lParam); Press(hwnd, lParam, kInkRight); return 0;
    case WM_RBUTTONDBLCLK: Log("rdbl", lParam); Press(hwnd, lParam, kInkRight, true); return 0;
    case WM_MBUTTONDOWN: Log("mdown", lParam); Press(hwnd, lParam, kInkMiddle); return 0;
    case WM_MBUTTONDBLCLK: Log("mdbl", lParam); Press(hwnd, lParam, kInkMiddle, true); return 0;
    case WM_LBUTTONUP: Log("lup", lParam); Release(); return 0;
    case WM_RBUTTONUP: Log("rup", lParam); Release(); return 0;
    case WM_MBUTTONUP: Log("mup", lParam); Release(); return 0;
    case WM_KEYDOWN: LogLine("key", static_cast<int>(wParam), 0); return 0;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc >= 2) g_log = ::_wfopen(argv[1], L"a");
    ::LocalFree(argv);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);
    // The whole desktop, every display of it.
    HWND hwnd = ::CreateWindowExW(0, kClass, L"QXdrv pen target", WS_POPUP | WS_VISIBLE,
                                  ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ::SetForegroundWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (g_log) std::fclose(g_log);
    return 0;
}
