#include "framework/sockets_win.h"

#include <winsock2.h>

namespace qx {
namespace {

constexpr BYTE kSocketsMajor = 1;
constexpr BYTE kSocketsMinor = 1;

// One per program; its destruction at the program's end is the cleanup.
class SocketsLibrary {
public:
    SocketsLibrary() {
        WSADATA data{};
        started_ = ::WSAStartup(MAKEWORD(kSocketsMajor, kSocketsMinor), &data) == 0;
    }
    ~SocketsLibrary() {
        if (started_) ::WSACleanup();
    }
    SocketsLibrary(const SocketsLibrary&) = delete;
    SocketsLibrary& operator=(const SocketsLibrary&) = delete;
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace

bool StartSockets() {
    static const SocketsLibrary library;
    return library.Started();
}

}  // namespace qx
