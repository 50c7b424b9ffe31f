#include "shell/tray_menu.h"

#include "res/resource_ids.h"

namespace qx {
namespace {

MenuEntry Command(unsigned id, const StringTablePort& strings, bool checked = false) {
    MenuEntry e;
    e.kind = MenuEntry::Kind::Command;
    e.id = id;
    e.text = strings.LoadText(id);
    e.checked = checked;
    return e;
}

MenuEntry Separator() {
    MenuEntry e;
    e.kind = MenuEntry::Kind::Separator;
    return e;
}

}  // namespace

std::vector<MenuEntry> BuildTrayMenu(const TrayMenuState& state, const StringTablePort& strings) {
    std::vector<MenuEntry> menu;
    MenuEntry resolution;
    resolution.id = ID_APP_RESOLUTION;
    resolution.text = ResolutionLine(strings.LoadText(IDS_MENU_RESOLUTION), state.width,
                                     state.height, state.frequency);
    menu.push_back(resolution);
    menu.push_back(Separator());
    if (state.penEnabled && !state.busy) menu.push_back(Command(ID_APP_CALIBRATION, strings));
    menu.push_back(Separator());
    menu.push_back(Command(ID_APP_DISABLE_PORT, strings, !state.penEnabled));
    menu.push_back(Separator());
    if (!state.busy) menu.push_back(Command(ID_APP_PROPERTIES, strings));
    menu.push_back(Separator());
    MenuEntry testMode;
    testMode.kind = MenuEntry::Kind::SubMenu;
    testMode.text = strings.LoadText(IDS_MENU_TEST_MODE_POPUP);
    testMode.children.push_back(Command(ID_APP_TEST_MODE, strings));
    menu.push_back(testMode);
    menu.push_back(Separator());
    menu.push_back(Command(ID_APP_HELP, strings));
    menu.push_back(Command(ID_APP_ABOUT, strings));
    menu.push_back(Separator());
    menu.push_back(Command(ID_APP_EXIT, strings));
    return menu;
}

MenuPoint MenuPlacement(const MenuRect& area, int screenWidth, int screenHeight) {
    MenuPoint p;
    p.x = area.left < screenWidth / 2 ? area.left : area.right;
    p.y = area.top < screenHeight / 2 ? area.bottom : area.top;
    return p;
}

}  // namespace qx
