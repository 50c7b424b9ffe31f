#include "report_sink_win.h"

#include <algorithm>

namespace qx::menuhook {
namespace {

// A menu of a few hundred items is a few kilobytes; anything far larger is
// not a report of ours.
constexpr DWORD kMaxReportBytes = 1u << 20;
// Menu state is also polled, so no wait lasts longer than this.
constexpr DWORD kPollMs = 20;

}  // namespace

Deadline::Deadline(DWORD timeoutMs) : end_(::GetTickCount64() + timeoutMs) {}

bool Deadline::Passed() const { return ::GetTickCount64() >= end_; }

DWORD Deadline::RemainingMs() const {
    const ULONGLONG now = ::GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
}

ReportSink::ReportSink() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ReportSink::WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kSinkClass;
    ::RegisterClassExW(&wc);  // fails harmlessly if already registered
    hwnd_ = ::CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              this);
}

ReportSink::~ReportSink() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK ReportSink::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_COPYDATA && lParam != 0) {
        auto* self = reinterpret_cast<ReportSink*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) {
            try {
                self->OnCopyData(reinterpret_cast<HWND>(wParam),
                                 *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            } catch (...) {
                return FALSE;
            }
            return TRUE;
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void ReportSink::OnCopyData(HWND owner, const COPYDATASTRUCT& data) {
    if ((data.dwData & ~kReportKindMask) != kReportTag) return;
    if (data.cbData > kMaxReportBytes || data.cbData % sizeof(wchar_t) != 0) return;
    if (data.cbData > 0 && data.lpData == nullptr) return;
    if (threadId_ != 0 && ::GetWindowThreadProcessId(owner, nullptr) != threadId_) return;
    MenuReport report;
    report.kind = static_cast<ReportKind>(data.dwData & kReportKindMask);
    report.owner = owner;
    if (data.cbData > 0) {
        report.text.assign(static_cast<const wchar_t*>(data.lpData),
                           data.cbData / sizeof(wchar_t));
    }
    reports_.push_back(std::move(report));
}

void ReportSink::Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool ReportSink::WaitFor(const std::function<bool(const MenuReport&)>& wanted,
                         const Deadline& deadline, MenuReport& found,
                         const std::function<bool()>& idle) {
    for (;;) {
        Pump();
        const auto it = std::find_if(reports_.begin(), reports_.end(), wanted);
        if (it != reports_.end()) {
            found = *it;
            reports_.erase(it);
            return true;
        }
        if (idle && idle()) return false;
        if (deadline.Passed()) return false;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, std::min(deadline.RemainingMs(), kPollMs),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace qx::menuhook
