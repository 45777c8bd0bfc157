#pragma once

#include "platform/color.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <cstdlib>

// Drawing vocabulary shared by the controls: pen styles, text alignment and fonts.

// Stored as an 8-bit ordinal in chart items and files: keep the order.
enum class TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A font as the controls describe it. Height < 0 is the character height in pixels,
// Height > 0 the cell height (character plus internal leading); 0 means the default size.
struct TFont
{
    QString Name = QStringLiteral("MS Sans Serif");
    int Height = -11;
    TColor Color = clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const TFont &) const = default;
};

inline QFont ToQFont(const TFont &font)
{
    QFont f(font.Name);
    f.setStyleHint(QFont::SansSerif);
    if (font.Height != 0)
        f.setPixelSize(std::abs(font.Height));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}
