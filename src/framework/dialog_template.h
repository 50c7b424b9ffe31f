// The font of an extended dialog template, read and replaced in its bytes.
// The property sheet sizes every page in the dialog units of its own font,
// so each page is shown in that font, as the framework's sheets do; the
// template's controls keep their positions in dialog units.
#ifndef QXDRV_FRAMEWORK_DIALOG_TEMPLATE_H
#define QXDRV_FRAMEWORK_DIALOG_TEMPLATE_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx {

struct TemplateFont {
    std::uint16_t points = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::u16string face;
};

// The font a template names (extended or classic, which gives no weight,
// italic or charset: normal, upright, the default); none for a template
// without one or bytes that are no template.
std::optional<TemplateFont> ReadTemplateFont(const std::uint8_t* data, std::size_t size);
// A copy of an extended template with the font replaced; an unchanged copy
// when it names no font or is not an extended template.
std::vector<std::uint8_t> WithTemplateFont(const std::uint8_t* data, std::size_t size,
                                           const TemplateFont& font);

}  // namespace qx

#endif
