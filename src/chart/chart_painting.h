#pragma once

#include "platform/color.h"
#include "platform/drawing_types.h"

#include <QFont>
#include <QPen>

#include <algorithm>

// Pens as the chart draws with them: flat caps, so a line leaves out its end pixel the way a
// canvas line-to does, and no antialiasing anywhere.
inline Qt::PenStyle ToQtPenStyle(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

inline QPen ChartPen(TColor color, int width = 1, TPenStyle style = TPenStyle::psSolid)
{
    return QPen(ToQColor(color), std::max(width, 1), ToQtPenStyle(style), Qt::FlatCap,
                Qt::MiterJoin);
}

inline QFont ChartFont(const TFont &font)
{
    QFont f = ToQFont(font);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// Pixels far outside the plot never reach the drawing primitives.
inline int ClampPixel(int value)
{
    return std::clamp(value, -30000, 30000);
}
