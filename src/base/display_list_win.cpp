#include "base/display_list_win.h"

#include <windows.h>

namespace qx {
namespace {

BOOL CALLBACK AddDisplay(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    auto* displays = reinterpret_cast<std::vector<DisplayInfo>*>(context);
    MONITORINFOEXA info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoA(monitor, &info)) return TRUE;
    DisplayInfo d;
    d.deviceName = info.szDevice;
    d.rect = Rect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                  info.rcMonitor.bottom};
    d.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    displays->push_back(d);
    return TRUE;
}

}  // namespace

std::vector<DisplayInfo> Win32DisplayList::Displays() const {
    std::vector<DisplayInfo> displays;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddDisplay, reinterpret_cast<LPARAM>(&displays));
    return displays;
}

}  // namespace qx
