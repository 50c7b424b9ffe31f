// The computer's name and the IPv4 addresses the resolver has for it.
#ifndef QXDRV_DIAG_HOST_LOOKUP_WIN_H
#define QXDRV_DIAG_HOST_LOOKUP_WIN_H

#include <optional>
#include <string>
#include <vector>

#include "diag/test_mode_rules.h"

namespace qx {

// The computer's name in the wide form, whatever the ANSI code page
// (a Japanese name stays intact); empty when it cannot be read.
std::wstring ComputerName();

// The host's IPv4 addresses in the resolver's order, each in network byte
// order; empty when the name cannot be resolved. Needs the sockets library.
std::optional<std::vector<Ipv4Address>> HostAddresses(const std::wstring& name);

}  // namespace qx

#endif
