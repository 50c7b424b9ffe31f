// QXstart.exe "<driver exe>" [UsePort=COMn:] [QXMachine=100|200]
//
// Run by the setup (elevated, or as SYSTEM under a deployment tool) after the
// files are in place: starts the installed driver as the interactive user of
// the setup's session, with that user's normal token, or starts nothing and
// leaves it to the Run entry at the next logon. The port and model the setup
// stored are given along: when the session's user is another account than
// the setup's (over-the-shoulder elevation), they go into that user's own
// settings too, which the driver reads before the machine-wide ones.
//
// Exit code: 0 started, 1 nothing to start here (see above), 2 the start
// failed, 3 bad arguments.
#include <windows.h>
#include <sddl.h>
#include <shellapi.h>
#include <versionhelpers.h>

#include <string>
#include <vector>

#include "framework/scoped_handles_win.h"
#include "base/settings_store.h"
#include "app/setup_start_plan.h"

namespace {

constexpr int kStarted = 0;
constexpr int kNotHere = 1;
constexpr int kStartFailed = 2;
constexpr int kBadArguments = 3;

std::vector<BYTE> TokenInfo(HANDLE token, TOKEN_INFORMATION_CLASS which) {
    DWORD bytes = 0;
    ::GetTokenInformation(token, which, nullptr, 0, &bytes);
    std::vector<BYTE> data(bytes);
    if (bytes == 0 || !::GetTokenInformation(token, which, data.data(), bytes, &bytes)) data.clear();
    return data;
}

PSID TokenUserSid(std::vector<BYTE>& info) {
    return info.empty() ? nullptr : reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
}

struct Session {
    qx::SetupContext context;
    qx::UniqueHandle shellToken;  // the shell's own token, when it could be opened
    std::wstring shellUserSid;    // in text form, for HKEY_USERS
};

Session Inspect() {
    Session session;
    qx::SetupContext& context = session.context;
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return session;
    qx::UniqueHandle own(raw);
    std::vector<BYTE> ownUser = TokenInfo(own.Get(), TokenUser);
    const PSID ownSid = TokenUserSid(ownUser);
    context.runsAsSystem = ownSid && ::IsWellKnownSid(ownSid, WinLocalSystemSid);
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &context.sessionId);
    context.sessionZeroIsServices = ::IsWindowsVistaOrGreater();
    TOKEN_ELEVATION elevation{};
    DWORD bytes = 0;
    context.elevated = ::GetTokenInformation(own.Get(), TokenElevation, &elevation,
                                             sizeof(elevation), &bytes) &&
                       elevation.TokenIsElevated != 0;

    DWORD shellPid = 0;
    if (HWND shell = ::GetShellWindow()) ::GetWindowThreadProcessId(shell, &shellPid);
    context.shellRunning = shellPid != 0;
    if (!context.shellRunning) return session;
    qx::UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellPid));
    if (!process.Valid() ||
        !::OpenProcessToken(process.Get(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY,
                            &raw))
        return session;
    session.shellToken.Reset(raw);
    std::vector<BYTE> shellUser = TokenInfo(raw, TokenUser);
    const PSID shellSid = TokenUserSid(shellUser);
    context.shellUserIsSetupUser = !shellSid || !ownSid || ::EqualSid(shellSid, ownSid);
    LPWSTR text = nullptr;
    if (shellSid && ::ConvertSidToStringSidW(shellSid, &text)) {
        session.shellUserSid = text;
        ::LocalFree(text);
    }
    return session;
}

// The values as the driver's settings store writes them.
void CopyChoices(const std::wstring& userSid, const std::wstring& port, const std::wstring& model) {
    if (userSid.empty()) return;
    const qx::SettingsKeys keys;
    const std::string path = keys.maker + keys.settings;
    const std::wstring key = userSid + L"\\" + std::wstring(path.begin(), path.end());
    qx::UniqueHKey settings;
    if (::RegCreateKeyExW(HKEY_USERS, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          settings.Put(), nullptr) != ERROR_SUCCESS)
        return;
    if (!port.empty()) {
        const std::string bytes(port.begin(), port.end());  // "COMn:" is ASCII
        ::RegSetValueExA(settings.Get(), "UsePort", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
    }
    if (!model.empty()) {
        const DWORD number = static_cast<DWORD>(std::wcstoul(model.c_str(), nullptr, 10));
        ::RegSetValueExA(settings.Get(), "QXMachine", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&number), sizeof(number));
    }
}

std::wstring Folder(const std::wstring& exe) {
    const std::size_t slash = exe.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash);
}

bool Start(const Session& session, qx::DriverStart how, const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    const std::wstring folder = Folder(exe);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    BOOL started = FALSE;
    if (how == qx::DriverStart::Direct) {
        started = ::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                                   &process);
    } else {
        if (!session.shellToken.Valid()) return false;
        HANDLE raw = nullptr;
        if (!::DuplicateTokenEx(session.shellToken.Get(), MAXIMUM_ALLOWED, nullptr,
                                SecurityImpersonation, TokenPrimary, &raw))
            return false;
        const qx::UniqueHandle token(raw);
        started = ::CreateProcessWithTokenW(token.Get(), 0, exe.c_str(), &commandLine[0], 0,
                                            nullptr, folder.empty() ? nullptr : folder.c_str(),
                                            &startup, &process);
    }
    if (!started) return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::vector<std::wstring> args(argv, argv + (argv ? argc : 0));
    ::LocalFree(argv);
    if (args.size() < 2) return kBadArguments;
    const std::wstring& exe = args[1];
    const std::wstring portOption = L"UsePort=", modelOption = L"QXMachine=";
    std::wstring port, model;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i].rfind(portOption, 0) == 0) port = args[i].substr(portOption.size());
        else if (args[i].rfind(modelOption, 0) == 0) model = args[i].substr(modelOption.size());
        else return kBadArguments;
    }

    const Session session = Inspect();
    const qx::SetupStartPlan plan = qx::PlanDriverStart(session.context);
    if (plan.copyChoicesToShellUser) CopyChoices(session.shellUserSid, port, model);
    if (plan.start == qx::DriverStart::None) return kNotHere;
    return Start(session, plan.start, exe) ? kStarted : kStartFailed;
}
