#include "props/system_ports_win.h"

#include "framework/scoped_handles_win.h"
#include "link/port_names.h"

namespace qx {
namespace {

constexpr wchar_t kSerialCommKey[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
// Value names are device names such as "\Device\Serial0" or
// "\Device\BthModem0"; port names are far shorter.
constexpr DWORD kMaxValueNameChars = 256;
constexpr DWORD kMaxPortNameChars = 32;

class EventSignal : public DoneSignal {
public:
    EventSignal() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    void Set() override { ::SetEvent(event_.Get()); }
    bool WaitFor(unsigned ms) override {
        return event_.Valid() && ::WaitForSingleObject(event_.Get(), ms) == WAIT_OBJECT_0;
    }

private:
    UniqueHandle event_;
};

DWORD WINAPI RunWork(LPVOID parameter) {
    std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
    // Nothing may unwind out of a thread's start routine.
    try {
        (*work)();
    } catch (...) {
    }
    return 0;
}

}  // namespace

PortOpenResult Win32PortProbe::Probe(const std::string& port) const {
    UniqueHandle handle(::CreateFileA(PortDevicePath(port).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (handle.Valid()) return {true, 0};
    return {false, ::GetLastError()};
}

std::vector<std::string> Win32SerialPortList::SerialPorts() const {
    std::vector<std::string> ports;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return ports;
    const UniqueHKey key(opened);
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxValueNameChars];
        wchar_t data[kMaxPortNameChars + 1] = {};
        DWORD nameChars = kMaxValueNameChars;
        DWORD type = 0;
        DWORD dataBytes = kMaxPortNameChars * sizeof(wchar_t);
        const LONG status = ::RegEnumValueW(key.Get(), index, name, &nameChars, nullptr, &type,
                                            reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS) break;
        // A value too long for a port name is no port the page can list.
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        std::string port;
        for (const wchar_t* c = data; *c && *c < 0x80; ++c) port += static_cast<char>(*c);
        ports.push_back(port);
    }
    return ports;
}

std::shared_ptr<DoneSignal> Win32WorkerThreads::NewSignal() {
    return std::make_shared<EventSignal>();
}

bool Win32WorkerThreads::Start(std::function<void()> work) {
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    const UniqueHandle thread(::CreateThread(nullptr, 0, &RunWork, owned.get(), 0, nullptr));
    if (!thread.Valid()) return false;
    // The thread's own now: RunWork deletes it.
    static_cast<void>(owned.release());
    return true;
}

}  // namespace qx
