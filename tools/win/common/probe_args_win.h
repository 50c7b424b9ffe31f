// Command-line arguments of the Win32 test instruments: "--name value"
// options, bare flags and positional words, plus the deadline every wait
// respects.
#ifndef QXDRV_TOOLS_COMMON_PROBE_ARGS_WIN_H
#define QXDRV_TOOLS_COMMON_PROBE_ARGS_WIN_H

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qx::probe {

// Exit codes: 0 success, 1 the condition failed or timed out, 2 bad usage.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

class Args {
public:
    // 'flags' names the options that take no value.
    Args(const std::vector<std::wstring>& words, const std::set<std::wstring>& flags);

    bool Has(const std::wstring& name) const;
    std::wstring Get(const std::wstring& name, const std::wstring& fallback = L"") const;
    // Decimal or 0x hexadecimal; false when present but not a number.
    bool GetNumber(const std::wstring& name, long long& value) const;
    const std::vector<std::wstring>& Positional() const { return positional_; }
    bool Ok() const { return error_.empty(); }
    const std::wstring& Error() const { return error_; }

private:
    std::map<std::wstring, std::wstring> options_;
    std::set<std::wstring> present_;
    std::vector<std::wstring> positional_;
    std::wstring error_;
};

bool ParseNumber(const std::wstring& text, long long& value);

// The time by which the current subcommand gives up (set from --timeout).
class Deadline {
public:
    explicit Deadline(DWORD timeoutMs);
    bool Passed() const;
    DWORD RemainingMs() const;

private:
    ULONGLONG end_;
};

// Sleeps one polling interval; false once the deadline has passed.
bool PollPause(const Deadline& deadline);

}  // namespace qx::probe

#endif
