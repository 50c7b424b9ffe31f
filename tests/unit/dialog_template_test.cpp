// Replacing the font of an extended dialog template in its bytes: the font
// reads back, the items follow unchanged on their 4-byte boundary, and
// bytes that are no such template are left as they are.
#include "framework/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qx {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Word(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Dword(Bytes& b, std::uint32_t v) {
    Word(b, static_cast<std::uint16_t>(v & 0xFFFF));
    Word(b, static_cast<std::uint16_t>(v >> 16));
}
void Text(Bytes& b, const std::u16string& s) {
    for (char16_t c : s) Word(b, c);
    Word(b, 0);
}

// A template titled TITLE in FACE at POINTS with one item.
Bytes Template(const std::u16string& title, const std::u16string& face, std::uint16_t points, std::uint32_t style) {
    Bytes b;
    Word(b, 1);
    Word(b, 0xFFFF);
    Dword(b, 0);      // help id
    Dword(b, 0);      // extended style
    Dword(b, style);  // style
    Word(b, 1);       // one item
    for (int i = 0; i < 4; ++i) Word(b, 10);
    Word(b, 0);       // no menu
    Word(b, 0xFFFF);  // class by ordinal
    Word(b, 0x8002);
    Text(b, title);
    if (style & 0x40) {
        Word(b, points);
        Word(b, 400);
        b.push_back(0);
        b.push_back(1);
        Text(b, face);
    }
    while (b.size() % 4) b.push_back(0);
    for (std::uint8_t i = 0; i < 30; ++i) b.push_back(i);  // the item's bytes as they come
    return b;
}

TEST(DialogTemplate, TheFontIsReplacedAndTheItemsFollowUnchanged) {
    const TemplateFont shell{8, 400, 0, 1, u"MS Shell Dlg"};
    // Titles and faces of odd and even lengths move the items' boundary.
    for (const std::u16string title : {u"Double-click area", u"Other setup", u"X"}) {
        for (const std::u16string face : {u"MS Sans Serif", u"MS UI Gothic"}) {
            const Bytes original = Template(title, face, 10, 0x40 | 0x80000000u);
            const auto before = ReadTemplateFont(original.data(), original.size());
            ASSERT_TRUE(before.has_value());
            EXPECT_EQ(before->face, face);
            EXPECT_EQ(before->points, 10);

            const Bytes changed = WithTemplateFont(original.data(), original.size(), shell);
            EXPECT_EQ(changed, Template(title, shell.face, 8, 0x40 | 0x80000000u));
        }
    }
}

TEST(DialogTemplate, OtherBytesAreLeftAsTheyAre) {
    const TemplateFont shell{8, 400, 0, 1, u"MS Shell Dlg"};
    Bytes noFont = Template(u"T", u"", 0, 0x80000000u);
    Bytes cut = Template(u"Title", u"MS Sans Serif", 10, 0x40);
    cut.resize(40);  // ends inside the title
    Bytes classic = noFont;
    classic[2] = 0;  // no extended signature
    for (const Bytes* b : {&noFont, &cut, &classic}) {
        EXPECT_FALSE(ReadTemplateFont(b->data(), b->size()).has_value());
        EXPECT_EQ(WithTemplateFont(b->data(), b->size(), shell), *b);
    }
}

TEST(DialogTemplate, AClassicTemplateGivesItsFont) {
    Bytes b;
    Dword(b, 0x40);  // style
    Dword(b, 0);     // extended style
    Word(b, 0);      // no items
    for (int i = 0; i < 4; ++i) Word(b, 10);
    Word(b, 0);  // no menu
    Word(b, 0);  // the default class
    Text(b, u"Properties");
    Word(b, 8);
    Text(b, u"MS Shell Dlg");
    const auto font = ReadTemplateFont(b.data(), b.size());
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->face, u"MS Shell Dlg");
    EXPECT_EQ(font->points, 8);
    b.resize(b.size() - 4);  // the face cut short
    EXPECT_FALSE(ReadTemplateFont(b.data(), b.size()).has_value());
}

}  // namespace
}  // namespace qx
