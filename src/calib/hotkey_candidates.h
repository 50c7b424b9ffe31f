// The keys the hotkey dialog offers for Ctrl + Shift + key.
#ifndef QXDRV_CALIB_HOTKEY_CANDIDATES_H
#define QXDRV_CALIB_HOTKEY_CANDIDATES_H

#include <functional>
#include <string>
#include <vector>

#include "base/ui_ports.h"

namespace qx {

// The letters A to Z, the digits 1 to 9, then 0: the order in which the
// dialog tries them. Their character codes are their virtual-key codes.
std::string HotkeyCandidateOrder();

struct HotkeyChoices {
    std::string keys;   // offered, in character order (as the sorted list shows them)
    int selected = -1;  // index in keys of the current key, -1 when it is not offered
};

// `canRegister(key)` registers Ctrl + Shift + key and unregisters it again,
// answering whether the registration succeeded. On the OS version class that
// the dialog treats specially every key is tried, the current one included;
// on every other class the current key is offered without a try (it is the
// driver's own registration that would fail).
HotkeyChoices BuildHotkeyChoices(int osVersionClass, char currentKey,
                                 const std::function<bool(char)>& canRegister);

// The hotkey's name as the dialogs and notices show it, "Ctrl + Shift + C"
// for the stored letter "C".
std::wstring HotkeyText(const StringTablePort& strings, const std::string& letter);

}  // namespace qx

#endif
