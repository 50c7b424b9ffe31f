#include "base/win_ports_win.h"

#include "framework/box_owner_win.h"
#include "base/display_list_win.h"
#include "base/message_text.h"
#include "res/resource_ids.h"

namespace qx {

std::wstring Win32Strings::LoadText(unsigned id) const {
    // With a zero buffer size LoadStringW hands out the resource's own text,
    // whatever its length.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(instance_, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::wstring();
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::string Win32Strings::LoadAscii(unsigned id) const { return NarrowAscii(LoadText(id)); }

int Win32MessageBoxes::ShowMessage(const std::wstring& text, unsigned flags) {
    const std::wstring caption = strings_.LoadText(IDS_APP_NAME);
    return ::MessageBoxW(CurrentBoxOwner(), text.c_str(), caption.c_str(), flags);
}

PanelChoice Win32Screen::Panel() const {
    PanelChoice choice = ChoosePanelDisplay(Win32DisplayList().Displays(), settings_.GetPanelDisplay());
    if (choice.display.rect.Width() <= 0 || choice.display.rect.Height() <= 0) {
        // No monitor reported (a desktop being rebuilt): the primary's size
        // keeps calibrations and windows sensible meanwhile.
        choice.display.rect = Rect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        choice.display.primary = true;
    }
    return choice;
}

int PanelFrequency(const ScreenPort& screen) {
    const std::string device = screen.Panel().display.deviceName;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    if (!::EnumDisplaySettingsA(device.empty() ? nullptr : device.c_str(), ENUM_CURRENT_SETTINGS, &mode))
        return 0;
    return static_cast<int>(mode.dmDisplayFrequency);
}

SavedPointerMetrics ReadPointerMetrics() {
    SavedPointerMetrics m;
    m.doubleClickWidth = ::GetSystemMetrics(SM_CXDOUBLECLK);
    m.doubleClickHeight = ::GetSystemMetrics(SM_CYDOUBLECLK);
    m.doubleClickTime = ::GetDoubleClickTime();
    m.dragWidth = ::GetSystemMetrics(SM_CXDRAG);
    m.dragHeight = ::GetSystemMetrics(SM_CYDRAG);
    return m;
}

}  // namespace qx
