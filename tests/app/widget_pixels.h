#pragma once

// What a widget shows, as pixels: grab it and find the pixels that match a colour rule.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

inline QImage Grab(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The matching pixels of an area: how many, and the rectangle that holds them all.
struct PixelSpan
{
    int Count = 0;
    QRect Bounds;
};

template<typename Rule>
PixelSpan FindPixels(const QImage &image, const QRect &area, Rule rule)
{
    PixelSpan span;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (rule(QColor(image.pixel(x, y)))) {
                ++span.Count;
                span.Bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return span;
}

inline auto Exactly(const QColor &colour)
{
    return [colour](const QColor &c) { return c.rgb() == colour.rgb(); };
}

// Text drawn with antialiasing: the pixels near the colour, within tolerance per component.
inline auto Near(const QColor &colour, int tolerance = 40)
{
    return [colour, tolerance](const QColor &c) {
        return std::abs(c.red() - colour.red()) <= tolerance
                && std::abs(c.green() - colour.green()) <= tolerance
                && std::abs(c.blue() - colour.blue()) <= tolerance;
    };
}

inline auto Darker(int luminance)
{
    return [luminance](const QColor &c) { return qGray(c.rgb()) < luminance; };
}

inline auto Lighter(int luminance)
{
    return [luminance](const QColor &c) { return qGray(c.rgb()) > luminance; };
}
