#include "chart/pixel_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

PixelLines::PixelLines(QImage &image)
    : m_bits(reinterpret_cast<QRgb *>(image.bits()))
    , m_stride(image.bytesPerLine() / 4)
    , m_width(image.width())
    , m_height(image.height())
{ }

void PixelLines::Line(QPoint from, QPoint to, QRgb colour, std::uint16_t pattern)
{
    const auto outside = [](int a, int b, int limit) {
        return (a < 0 && b < 0) || (a >= limit && b >= limit);
    };
    if (from == to || outside(from.x(), to.x(), m_width) || outside(from.y(), to.y(), m_height)) {
        return;
    }
    // Walk along the major axis u; the minor coordinate v is rounded from the exact line.
    const std::int64_t dx = to.x() - from.x();
    const std::int64_t dy = to.y() - from.y();
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t du = xMajor ? dx : dy;
    const std::int64_t dv = xMajor ? dy : dx;
    const std::int64_t su = du > 0 ? 1 : -1;
    const std::int64_t sv = dv > 0 ? 1 : -1;
    const std::int64_t adu = std::llabs(du);
    const std::int64_t adv = std::llabs(dv);
    const std::int64_t u0 = xMajor ? from.x() : from.y();
    const std::int64_t v0 = xMajor ? from.y() : from.x();
    if (pattern == Solid && Inside(from) && Inside(to)) {
        LineInside(from, xMajor, su, sv, adu, adv, colour);
        return;
    }
    const std::int64_t uLimit = xMajor ? m_width : m_height;
    const std::int64_t vLimit = xMajor ? m_height : m_width;

    // Steps i = 0 .. adu - 1 (the end pixel is left out), restricted to the visible u range.
    std::int64_t first = 0;
    std::int64_t last = adu - 1;
    if (su > 0) {
        first = std::max(first, -u0);
        last = std::min(last, uLimit - 1 - u0);
    } else {
        first = std::max(first, u0 - (uLimit - 1));
        last = std::min(last, u0);
    }
    if (first > last) {
        return;
    }
    // v(i) = v0 + sv * floor((2 i adv + adu) / (2 adu)), kept as quotient and remainder.
    const std::int64_t twoAdu = 2 * adu;
    const std::int64_t start = 2 * first * adv + adu;
    std::int64_t q = start / twoAdu;
    std::int64_t r = start % twoAdu;
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t u = u0 + su * i;
        const std::int64_t v = v0 + sv * q;
        if (v >= 0 && v < vLimit) {
            const std::int64_t x = xMajor ? u : v;
            const std::int64_t y = xMajor ? v : u;
            if ((pattern >> ((x + y) & 15)) & 1) {
                m_bits[y * m_stride + x] = colour;
            }
        }
        r += 2 * adv;
        if (r >= twoAdu) {
            r -= twoAdu;
            ++q;
        }
    }
}

// The common case: both ends inside, so every pixel is; the same rounding as above, stepping a
// pointer instead of coordinates.
void PixelLines::LineInside(QPoint from, bool xMajor, std::int64_t su, std::int64_t sv,
                            std::int64_t adu, std::int64_t adv, QRgb colour)
{
    QRgb *p = m_bits + static_cast<qsizetype>(from.y()) * m_stride + from.x();
    const qsizetype stepU = xMajor ? su : su * m_stride;
    const qsizetype stepV = xMajor ? sv * m_stride : sv;
    const int twoAdu = static_cast<int>(2 * adu);
    const int twoAdv = static_cast<int>(2 * adv);
    int r = static_cast<int>(adu);
    for (int i = static_cast<int>(adu); i > 0; --i) {
        *p = colour;
        p += stepU;
        r += twoAdv;
        if (r >= twoAdu) {
            r -= twoAdu;
            p += stepV;
        }
    }
}
