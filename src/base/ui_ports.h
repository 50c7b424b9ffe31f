// What the core needs of the user interface: texts from the string table,
// message boxes with the application's caption, and the panel's display.
#ifndef QXDRV_BASE_UI_PORTS_H
#define QXDRV_BASE_UI_PORTS_H

#include <string>

#include "base/display_choice.h"

namespace qx {

// Message box flags and answers, with the system's numbers, for the core's
// boxes (Yes/No: the calibration and resolution-change questions).
constexpr unsigned kMbOk = 0x0000;
constexpr unsigned kMbYesNo = 0x0004;
constexpr unsigned kMbIconHand = 0x0010;
constexpr unsigned kMbIconQuestion = 0x0020;
constexpr unsigned kMbIconExclamation = 0x0030;
constexpr unsigned kMbIconInformation = 0x0040;
constexpr unsigned kMbSystemModal = 0x1000;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class StringTablePort {
public:
    virtual ~StringTablePort() = default;
    // The entry in the active language; empty when there is none.
    virtual std::wstring LoadText(unsigned id) const = 0;
};

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Shows text in a box captioned with the application name and returns
    // the button the user chose (kIdOk, kIdYes, kIdNo).
    virtual int ShowMessage(const std::wstring& text, unsigned flags) = 0;
};

class ScreenPort {
public:
    virtual ~ScreenPort() = default;
    // The display the panel is, chosen afresh from the desktop's displays
    // and the "PanelDisplay" setting.
    virtual PanelChoice Panel() const = 0;
    // Its rectangle in desktop coordinates, and its size in pixels: the
    // "screen" that calibrations are kept for and full-screen windows cover.
    Rect PanelRect() const { return Panel().display.rect; }
    int ScreenWidth() const { return PanelRect().Width(); }
    int ScreenHeight() const { return PanelRect().Height(); }
};

}  // namespace qx

#endif
