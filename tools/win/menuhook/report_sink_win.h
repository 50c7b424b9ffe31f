// The reader's end of the hook: a message-only window that collects the
// reports menuhook.dll sends from the hooked thread, and the waits on them.
#ifndef QXDRV_TOOLS_MENUHOOK_REPORT_SINK_WIN_H
#define QXDRV_TOOLS_MENUHOOK_REPORT_SINK_WIN_H

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "menuhook_protocol_win.h"

namespace qx::menuhook {

// The time by which a command gives up.
class Deadline {
public:
    explicit Deadline(DWORD timeoutMs);
    bool Passed() const;
    DWORD RemainingMs() const;

private:
    ULONGLONG end_;
};

struct MenuReport {
    ReportKind kind = ReportKind::MenuLoopEntered;
    HWND owner = nullptr;
    std::wstring text;
};

class ReportSink {
public:
    ReportSink();
    ~ReportSink();
    ReportSink(const ReportSink&) = delete;
    ReportSink& operator=(const ReportSink&) = delete;

    bool Ok() const { return hwnd_ != nullptr; }
    // Reports from other threads (another reader's hook) are dropped.
    void AcceptThread(DWORD threadId) { threadId_ = threadId; }

    // Pumps messages until a report that 'wanted' accepts arrives (it is
    // removed and returned) or the deadline passes (false). 'idle' runs
    // between waits and stops the wait early by returning true.
    bool WaitFor(const std::function<bool(const MenuReport&)>& wanted, const Deadline& deadline,
                 MenuReport& found, const std::function<bool()>& idle = nullptr);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCopyData(HWND owner, const COPYDATASTRUCT& data);
    void Pump();

    HWND hwnd_ = nullptr;
    DWORD threadId_ = 0;
    std::deque<MenuReport> reports_;
};

}  // namespace qx::menuhook

#endif
