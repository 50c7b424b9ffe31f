// COM port names as the settings hold them ("COM12:") and the device paths
// the system opens them by. CreateFile accepts "COM1:" to "COM9:" as they
// stand, but COM10 and up only as "\\.\COM10"; the device path works for
// every number, so the program always opens ports by it.
#ifndef QXDRV_LINK_PORT_NAMES_H
#define QXDRV_LINK_PORT_NAMES_H

#include <optional>
#include <string>

namespace qx {

constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 256;

// "COM%d:", the form the port page stores.
std::string ComPortName(int number);
// The number of "COMn:" or "COMn" (letters in any case), 1 to 256; none for
// any other text.
std::optional<int> ComPortNumber(const std::string& name);
// "\\.\COMn" for a COM port name; any other text unchanged, so that an empty
// or foreign name fails to open as it did and is reported by that name.
std::string PortDevicePath(const std::string& name);

}  // namespace qx

#endif
