#include "chart/pixel_lines.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb Ink = 0xFF0000FF;

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(PixelLines, StartIsDrawnEndIsLeftOutInEveryDirection)
{
    const QPoint centre(10, 10);
    const QPoint ends[]
            = {{17, 10}, {3, 10}, {10, 17}, {10, 3}, {16, 13}, {4, 7}, {13, 16}, {7, 4}};
    for (const QPoint end : ends) {
        QImage image = Blank(21, 21);
        PixelLines(image).Line(centre, end, Ink);
        EXPECT_EQ(image.pixel(centre), Ink) << end.x() << "," << end.y();
        EXPECT_NE(image.pixel(end), Ink) << end.x() << "," << end.y();
        int ink = 0;
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 21; ++x) {
                ink += image.pixel(x, y) == Ink;
            }
        }
        const QPoint d = end - centre;
        EXPECT_EQ(ink, std::max(std::abs(d.x()), std::abs(d.y()))) // one per major-axis step
                << end.x() << "," << end.y();
    }
}

// A line cut by the image edges sets exactly the pixels the whole line sets inside the image.
TEST(PixelLines, ClippingKeepsThePixelsOfTheWholeLine)
{
    const QPoint offset(300, 300);
    const struct
    {
        QPoint from, to;
    } lines[] = {{{-250, 7}, {280, 33}}, {{20, -290}, {31, 250}}, {{-100, -80}, {140, 95}},
                 {{260, 45}, {-30, 2}},  {{5, 299}, {45, -299}},  {{-299, 299}, {299, -299}}};
    for (const auto &line : lines) {
        QImage small = Blank(50, 50);
        QImage large = Blank(650, 650);
        PixelLines(small).Line(line.from, line.to, Ink);
        PixelLines(large).Line(line.from + offset, line.to + offset, Ink);
        EXPECT_EQ(small, large.copy(QRect(offset, QSize(50, 50)))) << line.from.x();
    }
}

// A pattern sets pixel (x, y) by bit (x + y) % 16, so dashes run on across short lines and
// around corners: a staircase of one-pixel steps reads as one dashed line.
TEST(PixelLines, PatternsDashByPixelPositionAcrossLines)
{
    constexpr std::uint16_t half = 0x00FF; // 8 on, 8 off
    QImage pieces = Blank(40, 3);
    QImage whole = Blank(40, 3);
    PixelLines(whole).Line({0, 1}, {40, 1}, Ink, half);
    PixelLines lines(pieces);
    for (int x = 0; x < 40; x += 3)
        lines.Line({x, 1}, {std::min(x + 3, 40), 1}, Ink, half);
    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(whole.pixel(x, 1) == Ink, (x + 1) % 16 < 8) << x;
        EXPECT_EQ(pieces.pixel(x, 1), whole.pixel(x, 1)) << x;
    }

    QImage vertical = Blank(3, 40);
    PixelLines(vertical).Line({1, 0}, {1, 40}, Ink, half);
    for (int y = 0; y < 40; ++y)
        EXPECT_EQ(vertical.pixel(1, y) == Ink, (y + 1) % 16 < 8) << y;
}

} // namespace
