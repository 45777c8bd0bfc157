#include "platform/color.h"

namespace {

// The classic desktop scheme, indexed by system colour number.
TColor SystemColor(unsigned index)
{
    switch (index) {
    case 0x00:
        return 0xC8C8C8; // scroll bar
    case 0x01:
        return 0x000000; // desktop
    case 0x05:
        return 0xFFFFFF; // window
    case 0x08:
        return 0x000000; // window text
    case 0x0F:
        return 0xF0F0F0; // button face
    case 0x10:
        return 0xA0A0A0; // button shadow
    case 0x11:
        return 0x6D6D6D; // grey text
    case 0x12:
        return 0x000000; // button text
    case 0x14:
        return 0xFFFFFF; // button highlight
    case 0x15:
        return 0x696969; // 3-D dark shadow
    case 0x16:
        return 0xE3E3E3; // 3-D light
    case 0x17:
        return 0x000000; // info text
    case 0x18:
        return 0xE1FFFF; // info background
    default:
        return 0x000000;
    }
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if ((color & 0xFF000000u) == 0xFF000000u)
        return SystemColor(color & 0xFFu);
    return color & 0x00FFFFFFu;
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor &color)
{
    return RGBToColor(color.red(), color.green(), color.blue());
}
