#pragma once

#include <QImage>
#include <QPoint>

#include <cstdint>

// One-pixel solid lines written straight into a 32-bit image, the way a canvas line-to draws
// them: the start pixel is set, the end pixel is left out, and every pixel outside the image is
// skipped. Much faster than a painter for the many short lines of a chart.
class PixelLines
{
public:
    // image must be a 32-bit format and stay alive (and unshared) while the object is used.
    explicit PixelLines(QImage &image);

    void SetPixel(QPoint p, QRgb colour)
    {
        if (p.x() >= 0 && p.x() < m_width && p.y() >= 0 && p.y() < m_height) {
            m_bits[static_cast<qsizetype>(p.y()) * m_stride + p.x()] = colour;
        }
    }

    static constexpr std::uint16_t Solid = 0xFFFF;

    // With a pattern, pixel (x, y) of the line is set only when bit (x + y) % 16 of it is: the
    // dashes run on from one line to the next, however short the lines are.
    void Line(QPoint from, QPoint to, QRgb colour, std::uint16_t pattern = Solid);

private:
    bool Inside(QPoint p) const
    {
        return p.x() >= 0 && p.x() < m_width && p.y() >= 0 && p.y() < m_height;
    }
    void LineInside(QPoint from, bool xMajor, std::int64_t su, std::int64_t sv, std::int64_t adu,
                    std::int64_t adv, QRgb colour);

    QRgb *m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
};
