#include "instruments/trend_layout.h"
#include "instruments/trend_pen_mode.h"

#include <gtest/gtest.h>

namespace {

using enum TTrendOption;

TEST(TrendLayout, BottomReserve)
{
    const struct
    {
        const char *name;
        TTrendOptions options;
        int leftCh, absCh, reserve;
    } cases[] = {
            {"time row", {opTime, opLeftScale}, 1, 2, 20},
            {"date and time rows", {opDate, opTime}, 0, 0, 40},
            {"channel label row of the left scale", {opLeftScale}, 1, 0, 20},
            {"channel label row of the right scale", {opRightScale}, 0, 3, 20},
            {"percent scales have no channel label", {opLeftScale, opRightScale}, 0, 0, 0},
            {"channel without its scale shown", {opRightScale}, 2, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.reserve, TrendBottomReserve(c.options, 16, c.leftCh, c.absCh)) << c.name;
}

TEST(TrendLayout, FrameWithBothScalesAndTimeRow)
{
    TTrendFrameInput in;
    in.Options = {opGrid, opTime, opLeftScale, opRightScale};
    in.Content = {12, 12, 416, 297};
    in.OuterSpacing = 10;
    in.InnerInsets = {3, 3, 3, 3};
    in.InnerBorderSize = 3;
    in.XHeight = 15;
    in.LeftLabelWidth = 28;
    in.LeftLabelHeight = 16;
    in.RightLabelWidth = 35;
    in.RightLabelHeight = 16;
    in.LeftScaleCh = 1;
    in.AbsScaleCh = 2;

    const TTrendFrameLayout out = ComputeTrendFrame(in);
    EXPECT_EQ(8, out.Tick); // spacing clamped to 2 .. 8
    EXPECT_EQ(12, out.Gap); // 8 + 4
    EXPECT_EQ(416, out.OuterRight);
    EXPECT_EQ((TTrendRect {12 + 28 + 12, 27, 416 - 35 - 12, 297}), out.ScaleArea);
    EXPECT_EQ((TTrendRect {55, 30, 366, 294}), out.Plot);
    EXPECT_EQ(30, out.PlotTop);
    EXPECT_EQ(14, out.UnitY);
    EXPECT_EQ(20, out.BottomReserve);
    EXPECT_EQ(out.Plot.Height() - 21, out.ZeroY);
    EXPECT_DOUBLE_EQ(out.ZeroY / 1000.0, out.PixelsPerMille);
    // The last grid line is the zero line.
    EXPECT_EQ(out.ZeroY, TrendGridY(10, 10, out.PixelsPerMille));
}

TEST(TrendLayout, CaptionTakesItsHeightAndSpacing)
{
    TTrendFrameInput in;
    in.Options = {opCaption, opLeftScale};
    in.Content = {0, 5, 100, 100};
    in.OuterSpacing = 1;
    in.CaptionHeight = 20;
    in.XHeight = 15;
    const TTrendFrameLayout out = ComputeTrendFrame(in);
    EXPECT_EQ(5, out.CaptionY);
    EXPECT_EQ(26, out.ScaleArea.Top);
    EXPECT_EQ(2, out.Tick);
    EXPECT_EQ(4, out.Gap);
}

TEST(TrendLayout, WordsLimitsAndCursor)
{
    // 1000 digits over 200 rows: half range at row 100 of a zero line at 200.
    EXPECT_EQ(100, TrendWordY(200, 0.2, 500));
    EXPECT_EQ(200, TrendWordY(200, 0.2, 0));
    EXPECT_EQ(0, TrendWordY(200, 0.2, 1000));
    EXPECT_EQ(20, TrendLimitY(200, 90.0f));
    EXPECT_EQ(180, TrendLimitY(200, 10.0f));

    EXPECT_EQ(282, TrendCursorBottom({opTime}, 300, 16));
    EXPECT_EQ(266, TrendCursorBottom({opDate, opTime}, 300, 16));
    EXPECT_EQ(300, TrendCursorBottom({opGrid}, 300, 16));

    EXPECT_FALSE(IsTrendTimeLabelColumn(0, 60));
    EXPECT_FALSE(IsTrendTimeLabelColumn(59, 60));
    EXPECT_TRUE(IsTrendTimeLabelColumn(60, 60));
    EXPECT_TRUE(IsTrendTimeLabelColumn(120, 60));
}

TEST(TrendLayout, PassAndCursorStrip)
{
    // 1000 records from 100 on a plot of 300 columns: columns 0 .. 300.
    TTrendPass pass = ComputeTrendPass(100, 999, 1000, 300, 300);
    EXPECT_EQ(300, pass.LastX);
    EXPECT_EQ(100, pass.FirstDisplayedRec);
    EXPECT_EQ(400, pass.LastDisplayedRec);
    // Fewer records than columns; a negative first is taken as 0.
    pass = ComputeTrendPass(-5, 2000, 50, 300, 300);
    EXPECT_EQ(0, pass.First);
    EXPECT_EQ(49, pass.Last);
    EXPECT_EQ(49, pass.LastX);
    EXPECT_EQ(49, pass.LastDisplayedRec);

    EXPECT_EQ(3, TrendCursorStrip(7, 3, 300).From);
    EXPECT_EQ(8, TrendCursorStrip(7, 3, 300).To);
    EXPECT_EQ(8, TrendCursorStrip(3, 7, 300).To);
    EXPECT_EQ(300, TrendCursorStrip(299, 400, 300).To) << "clipped to the plot";
}

TEST(TrendNavigation, ScrollFollowAndTrim)
{
    const struct
    {
        const char *name;
        int viewStart, delta, count, expected;
    } scrolls[] = {
            {"beyond the end jumps back a grid column", 80, 60, 100, 39},
            {"before the start stops at 0", 39, -240, 100, 0},
            {"exactly the count is allowed", 40, 60, 100, 100},
            {"ordinary step", 0, 60, 1000, 60},
            {"short list stays at 0", 50, 60, 30, 0},
    };
    for (const auto &c : scrolls)
        EXPECT_EQ(c.expected, TrendScrolledViewStart(c.viewStart, c.delta, c.count, 60)) << c.name;

    EXPECT_EQ(0, TrendFollowedViewStart(0, 400, 401, 60));
    EXPECT_EQ(60, TrendFollowedViewStart(0, 400, 402, 60));
    EXPECT_EQ(120, TrendFollowedViewStart(0, 400, 521, 60));
    EXPECT_EQ(180, TrendFollowedViewStart(0, 400, 522, 60));
    EXPECT_EQ(500, TrendFollowedViewStart(500, 400, 402, 60)); // never moves back

    EXPECT_EQ(0, TrendTrimCount(2000, 2000, 60));
    EXPECT_EQ(60, TrendTrimCount(2001, 2000, 60));
    // A grid wider than the limit still keeps the list bounded.
    EXPECT_EQ(100, TrendTrimCount(101, 100, 200));
}

} // namespace

namespace {

TEST(TrendPenMode, MixesPenAndPixelBitwise)
{
    const QRgb lime = qRgb(0, 255, 0);
    const QRgb grey = qRgb(128, 128, 128);
    const struct
    {
        TPenMode mode;
        QRgb below, expected;
    } cases[] = {
            {TPenMode::pmNotMask, qRgb(255, 255, 255), qRgb(255, 0, 255)},
            {TPenMode::pmNotMask, grey, qRgb(255, 127, 255)},
            {TPenMode::pmXor, grey, qRgb(128, 127, 128)},
            {TPenMode::pmCopy, grey, lime},
            {TPenMode::pmNop, grey, grey},
            {TPenMode::pmNot, grey, qRgb(127, 127, 127)},
            {TPenMode::pmBlack, grey, qRgb(0, 0, 0)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, MixPenPixel(c.mode, lime, c.below)) << static_cast<int>(c.mode);
}

} // namespace
