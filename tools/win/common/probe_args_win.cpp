#include "probe_args_win.h"

#include <cwchar>

namespace qx::probe {
namespace {

constexpr DWORD kPollIntervalMs = 20;

}  // namespace

bool ParseNumber(const std::wstring& text, long long& value) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstoll(text.c_str(), &end, 0);
    return end != nullptr && *end == L'\0';
}

Args::Args(const std::vector<std::wstring>& words, const std::set<std::wstring>& flags) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::wstring& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, L"--") == 0) {
            const std::wstring name = w.substr(2);
            present_.insert(name);
            if (flags.count(name) != 0) continue;
            if (i + 1 >= words.size()) {
                error_ = L"option --" + name + L" needs a value";
                return;
            }
            options_[name] = words[++i];
        } else {
            positional_.push_back(w);
        }
    }
}

bool Args::Has(const std::wstring& name) const { return present_.count(name) != 0; }

std::wstring Args::Get(const std::wstring& name, const std::wstring& fallback) const {
    const auto it = options_.find(name);
    return it == options_.end() ? fallback : it->second;
}

bool Args::GetNumber(const std::wstring& name, long long& value) const {
    const auto it = options_.find(name);
    if (it == options_.end()) return true;
    return ParseNumber(it->second, value);
}

Deadline::Deadline(DWORD timeoutMs) : end_(GetTickCount64() + timeoutMs) {}

bool Deadline::Passed() const { return GetTickCount64() >= end_; }

DWORD Deadline::RemainingMs() const {
    const ULONGLONG now = GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
}

bool PollPause(const Deadline& deadline) {
    if (deadline.Passed()) return false;
    Sleep(kPollIntervalMs);
    return true;
}

}  // namespace qx::probe
