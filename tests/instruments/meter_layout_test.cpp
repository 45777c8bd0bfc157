#include "instruments/bevel.h"
#include "instruments/meter_layout.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TAbSBevel &ValueBevel()
{
    static TAbSBevel bevel;
    bevel.SetSpacing(0); // BorderSize 2
    return bevel;
}

} // namespace

TEST(MeterLayout, BevelContentRectIsWherePaintLeavesTheRectangle)
{
    const TBevelLine lines[]
            = {TBevelLine::blNone, TBevelLine::blOuter, TBevelLine::blInner, TBevelLine::blBoth};
    QImage image(100, 100, QImage::Format_RGB32);
    for (TBevelLine line : lines) {
        for (int offset : {0, 3}) {
            TAbSBevel bevel;
            bevel.SetBevelLine(line);
            bevel.Offset().SetLeft(offset);
            bevel.Offset().SetBottom(offset);
            QRect r(5, 7, 60, 50);
            QPainter painter(&image);
            bevel.Paint(painter, r);
            EXPECT_EQ(r, bevel.ContentRect(QRect(5, 7, 60, 50)));
        }
    }
}

TEST(MeterLayout, ValueBoxIsCentredWithTheUnitBesideIt)
{
    // Text height 15: margin c = 5; value bevel border 2.
    const TValueBoxLayout box = LayoutValueBox(QRect(0, 10, 100, 200), 15, 40, 20, ValueBevel());
    EXPECT_EQ(box.Height, 19);
    // left = (100 - 40 - 20 - 5) / 2 - 5 = 12; width = 40 + 4 + 10.
    EXPECT_EQ(box.Bevel, QRect(12, 10, 54, 19));
    EXPECT_EQ(box.Text, QRect(19, 12, 40, 15));
    EXPECT_EQ(box.Unit, QPoint(12 + 2 + 50 + 5, 12));
}

TEST(MeterLayout, MeterPanelStacksValueBoxAboveTheInnerBevelAndNamesBelow)
{
    TAbSBevel outer; // spacing 5, width 2, blInner: border 8
    outer.SetBevelLine(TBevelLine::blInner);
    TAbSBevel inner; // spacing 5, width 2, blNone: border 7
    TInstrumentParts parts;
    parts.BevelOuter = parts.BevelInner = parts.Value = parts.Name1 = true;
    TInstrumentTexts texts;
    texts.Name1 = QSize(44, 15);
    texts.ValueHeight = 17;
    texts.SampleWidth = 80;
    const TPanelLayout p
            = LayoutPanel(QSize(140, 417), parts, texts, outer, inner, ValueBevel(), false);
    // Outer content 8 .. 132 x 8 .. 409; the name takes the bottom 15 rows, drawn 2 lower.
    EXPECT_EQ(p.Name1, QPoint(8 + (124 - 44) / 2, 394 + 2));
    EXPECT_EQ(p.ValueBox.Bevel.top(), 8);
    EXPECT_EQ(p.Inner, QRect(QPoint(8, 8 + 21 + 5), QPoint(131, 393)));
    EXPECT_EQ(p.Content, p.Inner.adjusted(7, 7, -7, -7));

    // The indicator puts the value box inside the inner bevel.
    const TPanelLayout ind
            = LayoutPanel(QSize(140, 100), parts, texts, outer, inner, ValueBevel(), true);
    EXPECT_EQ(ind.ValueBox.Bevel.top(), ind.Inner.top() + 7);
}

TEST(MeterLayout, ScaleIsCentredInTheControlAndPointerSpansTheTicks)
{
    const TScaleLayout s = LayoutScale(QRect(15, 50, 110, 300), 140, 60, 16, false);
    ASSERT_FALSE(s.NoRoom);
    EXPECT_EQ(s.Top, 58);
    EXPECT_EQ(s.Bottom, 341);
    // e = (140 - 60 - 8) / 2 = 36.
    EXPECT_EQ(s.PointerBaseX, 36);
    EXPECT_EQ(s.LineX, 44);
    EXPECT_EQ(s.PointerTipX, 52);
    EXPECT_EQ(s.Scale, QRect(44, 58, 60, 283));
    EXPECT_EQ(s.PointerY(0), 341);
    EXPECT_EQ(s.PointerY(1000), 58);
    EXPECT_EQ(s.PointerY(500), 341 - 142); // round(141.5) ties to even
    EXPECT_EQ(s.PointerBounds(1000), QRect(36, 50, 17, 17));

    const TScaleLayout mirrored = LayoutScale(QRect(15, 50, 110, 300), 140, 60, 16, true);
    EXPECT_EQ(mirrored.LineX, 96);
    EXPECT_EQ(mirrored.PointerBaseX, 104);
    EXPECT_EQ(mirrored.PointerTipX, 88);
    EXPECT_EQ(mirrored.PointerBounds(0), QRect(88, 333, 17, 17));

    EXPECT_TRUE(LayoutScale(QRect(0, 0, 100, 17), 100, 60, 16, false).NoRoom);
    EXPECT_TRUE(LayoutScale(QRect(0, 0, 1, 300), 100, 60, 16, false).NoRoom);
}

TEST(MeterLayout, ValueIndicatorSize)
{
    TInstrumentTexts texts;
    texts.Name1 = QSize(70, 15);
    texts.ValueHeight = 15;
    texts.SampleWidth = 80;
    texts.UnitWidth = 22;
    const struct
    {
        const char *name;
        TInstrumentParts parts;
        int name2Width;
        QSize size;
    } cases[] = {
            {"unit only", {.Value = true, .Unit = true}, 90, {80 + 22 + 4 + 15, 19}},
            {"no unit", {.Value = true}, 90, {80 + 4 + 15, 19}},
            {"bevels and names",
             {.BevelOuter = true,
              .BevelInner = true,
              .Value = true,
              .Name1 = true,
              .Name2 = true,
              .Unit = true},
             90,
             {30 + 121, 30 + 49}},
            {"a name wider than the value", {.Value = true, .Name2 = true}, 120, {120, 34}},
    };
    for (const auto &c : cases) {
        texts.Name2 = QSize(c.name2Width, 15);
        EXPECT_EQ(ValueIndicatorSize(c.parts, texts, 8, 7, 2), c.size) << c.name;
    }
}
