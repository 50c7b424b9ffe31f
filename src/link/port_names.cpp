#include "link/port_names.h"

#include <cctype>

namespace qx {

std::string ComPortName(int number) { return "COM" + std::to_string(number) + ":"; }

std::optional<int> ComPortNumber(const std::string& name) {
    if (name.size() < 4) return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return std::nullopt;
    }
    std::size_t end = name.size();
    if (name.back() == ':') --end;
    if (end == 3 || end - 3 > 3 || name[3] == '0') return std::nullopt;
    int number = 0;
    for (std::size_t i = 3; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    if (number < kFirstComPort || number > kLastComPort) return std::nullopt;
    return number;
}

std::string PortDevicePath(const std::string& name) {
    const std::optional<int> number = ComPortNumber(name);
    if (!number) return name;
    return "\\\\.\\COM" + std::to_string(*number);
}

}  // namespace qx
