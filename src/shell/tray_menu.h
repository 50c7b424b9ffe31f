// The tray icon's popup menu as data: its entries, their order and states,
// and where the menu opens. The shell turns this into a real menu.
#ifndef QXDRV_SHELL_TRAY_MENU_H
#define QXDRV_SHELL_TRAY_MENU_H

#include <string>
#include <vector>

#include "base/ui_ports.h"
#include "diag/test_chart_layout.h"

namespace qx {

struct MenuEntry {
    enum class Kind { Command, Separator, SubMenu };
    Kind kind = Kind::Command;
    unsigned id = 0;  // command id; 0 for separators and sub-menus
    std::wstring text;
    bool checked = false;
    std::vector<MenuEntry> children;  // entries of a sub-menu
};

struct TrayMenuState {
    bool penEnabled = true;  // the window's port name is not empty
    bool busy = false;       // a modal command is running
    int width = 0;           // current display mode
    int height = 0;
    int frequency = 0;  // Hz; 0 when the driver does not say
};

// The entries in menu order. Entries left out leave their separators in place.
std::vector<MenuEntry> BuildTrayMenu(const TrayMenuState& state, const StringTablePort& strings);

struct MenuRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct MenuPoint {
    int x = 0;
    int y = 0;
};

// Opens the menu at the notification area's corner that faces the screen's
// middle: its right edge when the area is in the right half, its top edge
// when it is in the bottom half. An area that was not found is (0,0,0,0).
MenuPoint MenuPlacement(const MenuRect& area, int screenWidth, int screenHeight);

}  // namespace qx

#endif
