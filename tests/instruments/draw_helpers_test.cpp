#include "instruments/draw_helpers.h"

#include "support/locale_guard.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(DrawHelpers, BuildLabelListRunsFromTopToBottom)
{
    LocaleGuard locale(LocaleGuard::German());
    const struct
    {
        int steps;
        const char *format;
        double top, bottom;
        const char *list;
    } cases[] = {
            {4, "##0", 100, 0, "100;75;50;25;0;"},
            {2, "##0.0", 10, 1.0e-6, "10,0;5,0;0,0;"},
            {10, "####0.0", 10, 0, "10,0;9,0;8,0;7,0;6,0;5,0;4,0;3,0;2,0;1,0;0,0;"},
            {3, "0.00", -1, -4, "-1,00;-2,00;-3,00;-4,00;"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BuildLabelList(c.steps, QString::fromLatin1(c.format), c.top, c.bottom),
                  QString::fromLatin1(c.list))
                << c.format;
}

TEST(DrawHelpers, NextTokenConsumesTheList)
{
    QString list = QStringLiteral("10;5;;0");
    EXPECT_EQ(NextToken(list), QStringLiteral("10"));
    EXPECT_EQ(NextToken(list), QStringLiteral("5"));
    EXPECT_EQ(NextToken(list), QString());
    EXPECT_EQ(NextToken(list), QStringLiteral("0"));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(NextToken(list), QString());
}

TEST(DrawHelpers, BlendColor)
{
    const struct
    {
        TColor c1, c2;
        int n, i;
        TColor result;
    } cases[] = {
            {0x000000, 0xFFFFFF, 2, 1, 0x808080}, // 127.5 rounds to even 128
            {0x000000, 0x0000FF, 0, 1, 0x0000FF}, // n = 0 counts as 1
            {0x102030, 0x102030, 4, 2, 0x102030},
            {clBtnFace, 0xF0F0F0, 4, 2, clBtnFace}, // same RGB: the first colour itself
            {0x0000FF, 0x000000, 4, 1, 0x0000BF},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BlendColor(c.c1, c.c2, c.n, c.i), c.result) << std::hex << c.c1 << " " << c.c2;
}

TEST(DrawHelpers, PointInRectCountsTheBottomEdgeButNotTheRight)
{
    const QRect r(10, 20, 5, 5); // left 10, right 15, top 20, bottom 25
    EXPECT_TRUE(PointInRect(10, 20, r));
    EXPECT_TRUE(PointInRect(14, 25, r));
    EXPECT_FALSE(PointInRect(15, 22, r));
    EXPECT_FALSE(PointInRect(9, 22, r));
    EXPECT_FALSE(PointInRect(12, 26, r));
    EXPECT_FALSE(PointInRect(12, 19, r));
}

TEST(DrawHelpers, CopyBackgroundTakesTheOverlapWithTheCanvas)
{
    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    canvas.setPixel(9, 9, qRgb(0, 0, 255));
    QImage bitmap;
    CopyBackground(canvas, QRect(8, 8, 4, 4), bitmap);
    ASSERT_EQ(bitmap.size(), QSize(4, 4));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(0, 0, 255));
}

namespace {

// Bounding box of the pixels that differ from white.
QRect InkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(DrawHelpers, DrawTextAlignedPutsTheAnchorAtThePoint)
{
    QImage image = MakeImage(QSize(200, 100), nullptr);
    for (int anchor = 0; anchor < 9; ++anchor) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("Arial"), 12));
        painter.setBrush(Qt::black); // solid: the whole text box is filled
        const QSize size = TextExtent(painter, QStringLiteral("Xy"));
        DrawTextAligned(painter, 100, 50, anchor, QStringLiteral("Xy"));
        painter.end();
        const QRect box = InkBox(image);
        const int left = 100 - (anchor % 3 == 1 ? size.width() / 2 : 0)
                - (anchor % 3 == 2 ? size.width() : 0);
        const int top = 50 - (anchor / 3 == 1 ? size.height() / 2 : 0)
                - (anchor / 3 == 2 ? size.height() : 0);
        EXPECT_EQ(box, QRect(left, top, size.width(), size.height())) << "anchor " << anchor;
    }
}

TEST(DrawHelpers, DrawTextLinesCentresTheBlockForMiddleAnchors)
{
    QImage image = MakeImage(QSize(100, 200), nullptr);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("Arial"), 12));
    painter.setBrush(Qt::black);
    const int pitch = TextExtent(painter, QStringLiteral("X")).height() + 2;
    DrawTextLines(painter, 50, 100, 4, QStringLiteral("A|B|C"), 2);
    painter.end();
    const QRect box = InkBox(image);
    // Three lines starting at 100 - pitch, each of height pitch - 2.
    EXPECT_EQ(box.top(), 100 - pitch - (pitch - 2) / 2);
    EXPECT_EQ(box.bottom(), 100 + pitch - (pitch - 2) / 2 + (pitch - 2) - 1);
}
