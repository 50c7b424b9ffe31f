#include "diag/host_lookup_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "framework/unique_owner.h"

namespace qx {
namespace {

constexpr DWORD kNameBufferSize = 256;
constexpr DWORD kNameSizeGiven = 255;

// Frees a resolver answer.
struct FreeAddrInfoTraits : NullMeansNone {
    static void Close(ADDRINFOW* list, NoContext) { ::FreeAddrInfoW(list); }
};
using AddressList = UniqueOwner<ADDRINFOW*, FreeAddrInfoTraits>;

}  // namespace

std::wstring ComputerName() {
    wchar_t name[kNameBufferSize] = {};
    DWORD size = kNameSizeGiven;
    if (!::GetComputerNameW(name, &size)) return std::wstring();
    return std::wstring(name, size);
}

std::optional<std::vector<Ipv4Address>> HostAddresses(const std::wstring& name) {
    ADDRINFOW hints{};
    hints.ai_family = AF_INET;
    // One entry per address rather than one per socket type.
    hints.ai_socktype = SOCK_STREAM;
    AddressList list;
    if (::GetAddrInfoW(name.c_str(), nullptr, &hints, list.Put()) != 0) return std::nullopt;
    std::vector<Ipv4Address> addresses;
    for (const ADDRINFOW* a = list.Get(); a != nullptr; a = a->ai_next) {
        if (a->ai_family != AF_INET || a->ai_addr == nullptr ||
            a->ai_addrlen < sizeof(sockaddr_in))
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&in->sin_addr);
        addresses.push_back(Ipv4Address{bytes[0], bytes[1], bytes[2], bytes[3]});
    }
    if (addresses.empty()) return std::nullopt;
    return addresses;
}

}  // namespace qx
