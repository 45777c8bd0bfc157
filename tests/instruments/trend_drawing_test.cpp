#include "trend_fixture.h"

#include <QColor>

namespace {

QRgb Rgb(TColor color)
{
    return ToQColor(color).rgb();
}

TEST_F(TrendTest, FrameLeavesRoomForTheTimeRow)
{
    Show();
    const int h = trend->PlotImage().height();
    EXPECT_EQ(trend->PlotRect().size(), trend->PlotImage().size());
    EXPECT_EQ(trend->PlotRect().width(), trend->VisibleRecords());
    EXPECT_EQ(h - 1 - (trend->LabelHeight() + 4), trend->ZeroY());
    // The zero line of the grid lies on the plot's last grid row.
    const QImage &plot = trend->PlotImage();
    EXPECT_TRUE(HasColorIn(plot, QRect(0, trend->ZeroY(), plot.width(), 1), clGray));
    EXPECT_FALSE(HasColorIn(plot, QRect(0, trend->ZeroY() + 1, plot.width(), h), clGray));
}

TEST_F(TrendTest, CurvesAreStaircases)
{
    Show();
    const std::uint16_t words[] = {100, 100, 500, 900, 300};
    for (std::uint16_t w : words) {
        trend->Channel1().SetDigit(w);
        Tick();
    }
    const QImage &plot = trend->PlotImage();
    const int zero = trend->ZeroY();
    const auto y
            = [&](int word) { return zero - static_cast<int>(std::lround(word * zero / 1000.0)); };
    const QRgb blue = Rgb(clBlue);
    // Column 2 rises from the level of record 1 to that of record 2; column 3 holds nothing
    // between the level of record 2 and the vertical step up to record 3.
    for (int row = y(500); row <= y(100); ++row)
        EXPECT_EQ(blue, plot.pixel(2, row)) << row;
    EXPECT_EQ(blue, plot.pixel(1, y(100)));
    EXPECT_NE(blue, plot.pixel(1, y(500)));
    EXPECT_EQ(blue, plot.pixel(3, y(500)));
    EXPECT_EQ(blue, plot.pixel(3, y(900)));
    EXPECT_NE(blue, plot.pixel(2, y(900)));
    EXPECT_EQ(blue, plot.pixel(4, y(300)));
    EXPECT_NE(blue, plot.pixel(5, y(300)));
    // What the ticks drew reached the screen.
    const QPoint at = trend->PlotRect().topLeft();
    EXPECT_EQ(blue, trend->ScreenImage().pixel(at.x() + 4, at.y() + y(300)));
}

TEST_F(TrendTest, IncrementalDrawingMatchesAFullRedrawAndLabelsGridColumns)
{
    Show();
    for (int i = 0; i < 130; ++i) {
        // Curves that never cross: where they do, the later pass draws on top.
        trend->Channel1().SetValue(7.0 + 2.0 * std::sin(i / 7.0));
        trend->Channel2().SetValue(2.0 + i % 5);
        Tick();
    }
    const QImage incremental = trend->PlotImage().copy();
    trend->RedrawRange(0, trend->Records().Count() - 1);
    EXPECT_EQ(incremental, trend->PlotImage());

    // Time labels stand on the bottom edge at columns 60 and 120, never at column 0.
    const QImage &plot = trend->PlotImage();
    const int h = plot.height();
    const QRect row(0, trend->ZeroY() + 1, plot.width(), h - trend->ZeroY() - 1);
    EXPECT_FALSE(HasColorIn(plot, row & QRect(0, 0, 20, h), clMaroon));
    EXPECT_TRUE(HasColorIn(plot, row & QRect(40, 0, 41, h), clMaroon));
    EXPECT_TRUE(HasColorIn(plot, row & QRect(100, 0, 41, h), clMaroon));
    EXPECT_FALSE(HasColorIn(plot, row & QRect(150, 0, plot.width(), h), clMaroon));
}

TEST_F(TrendTest, SeparatorsAreDrawnAsLines)
{
    Show();
    Tick(10);
    trend->SetInterval(200); // five separators in front of the newest record
    trend->RedrawRange(0, 100);
    const QImage &plot = trend->PlotImage();
    for (int x = 9; x < 14; ++x)
        EXPECT_EQ(Rgb(clMoneyGreen), plot.pixel(x, 5)) << x;
    EXPECT_NE(Rgb(clMoneyGreen), plot.pixel(8, 5));
    EXPECT_NE(Rgb(clMoneyGreen), plot.pixel(14, 5));
}

TEST_F(TrendTest, CursorLineGoesToTheScreenOnlyAndReportsValues)
{
    Show();
    for (int i = 0; i < 10; ++i) {
        trend->Channel1().SetDigit(100 * i);
        Tick();
    }
    trend->SetInterval(200);
    int reports = 0;
    trend->OnNewCursorPos = [&](TAbTrend *) { ++reports; };
    QPoint at = trend->PlotRect().topLeft();
    const QRgb lineOnWhite = qRgb(255, 0, 255); // NOT (white AND lime)

    MoveToColumn(5);
    EXPECT_EQ(1, reports);
    EXPECT_TRUE(trend->ValueAtCursor().DataValid());
    EXPECT_EQ(5, trend->ValueAtCursor().RecordNo());
    EXPECT_NEAR(5.0f, trend->ValueAtCursor().ValueCh1(), 1e-5);
    EXPECT_EQ(trend->Records()[5].Time, trend->ValueAtCursor().Time());
    EXPECT_EQ(lineOnWhite, trend->ScreenImage().pixel(at.x() + 5, at.y() + 3));
    EXPECT_EQ(qRgb(255, 255, 255), trend->PlotImage().pixel(5, 3)) << "the plot never holds it";
    const int bottom = trend->PlotImage().height() - trend->LabelHeight() - 2;
    EXPECT_EQ(lineOnWhite, trend->ScreenImage().pixel(at.x() + 5, at.y() + bottom - 1));
    EXPECT_NE(lineOnWhite, trend->ScreenImage().pixel(at.x() + 5, at.y() + bottom));

    // Values are read with the current range.
    trend->Channel1().SetValueTo(100); // repaints the whole control, with wider labels
    MoveToColumn(6);
    at = trend->PlotRect().topLeft();
    EXPECT_NEAR(60.0f, trend->ValueAtCursor().ValueCh1(), 1e-4);
    EXPECT_EQ(qRgb(255, 255, 255), trend->ScreenImage().pixel(at.x() + 5, at.y() + 3))
            << "the old line is erased";

    MoveToColumn(11); // a separator
    EXPECT_FALSE(trend->ValueAtCursor().DataValid());
    EXPECT_EQ(11, trend->ValueAtCursor().RecordNo());
    MoveToColumn(200); // no record there
    EXPECT_FALSE(trend->ValueAtCursor().DataValid());
    EXPECT_FALSE(trend->CursorShown());
    EXPECT_EQ(4, reports);
    // The line stays on the screen until the plot is copied again by the next tick.
    const auto screenAt = [&](int x) { return trend->ScreenImage().pixel(at.x() + x, at.y() + 3); };
    EXPECT_NE(trend->PlotImage().pixel(11, 3), screenAt(11));
    Tick();
    EXPECT_EQ(trend->PlotImage().pixel(11, 3), screenAt(11));

    // Leaving the plot inside the control hides the line once.
    MoveToColumn(7);
    reports = 0;
    MoveMouse(2, 2);
    MoveMouse(3, 2);
    EXPECT_EQ(1, reports);
    EXPECT_FALSE(trend->ValueAtCursor().DataValid());
    EXPECT_EQ(qRgb(255, 255, 255), trend->ScreenImage().pixel(at.x() + 7, at.y() + 3));
}

TEST_F(TrendTest, CursorStaysOffWhileFollowingWithoutCursorOnRecord)
{
    Show();
    Tick(5);
    trend->SetFlow(true);
    trend->SetOptions(trend->Options().Exclude(TTrendOption::opCursorOnRec));
    int reports = 0;
    trend->OnNewCursorPos = [&](TAbTrend *) { ++reports; };
    MoveToColumn(2);
    EXPECT_EQ(0, reports);
    trend->SetFlow(false);
    MoveToColumn(3);
    EXPECT_EQ(1, reports);
}

TEST_F(TrendTest, ScrollRecordsClampsTheViewStart)
{
    Show();
    trend->Channel1().SetValue(5.0);
    for (int i = 0; i < 100; ++i)
        trend->AddRecord();
    trend->SetFlow(true);
    const struct
    {
        int start, delta, expected;
    } cases[] = {{80, 60, 39}, {39, -240, 0}, {0, 60, 60}, {40, 60, 0}};
    for (const auto &c : cases) {
        trend->RedrawRange(c.start, 99);
        trend->ScrollRecords(c.delta);
        EXPECT_EQ(c.expected, trend->ViewStart()) << c.start << " " << c.delta;
        EXPECT_FALSE(trend->Flow());
    }
    // After scrolling past the end the next record is drawn from the start again.
    trend->AddRecord();
    EXPECT_TRUE(HasColorIn(trend->PlotImage(), QRect(0, 0, 100, trend->ZeroY() + 1), clBlue));
}

TEST_F(TrendTest, FlowFollowsTheNewestRecordByGridColumns)
{
    Show();
    trend->SetFlow(true);
    const int w = trend->PlotImage().width();
    for (int i = 0; i < w + 1; ++i)
        trend->AddRecord();
    EXPECT_EQ(0, trend->ViewStart());
    trend->AddRecord();
    EXPECT_EQ(60, trend->ViewStart());
    EXPECT_EQ(w + 2 - 60 - 1, trend->NextX());
}

TEST_F(TrendTest, SettingsRepaintOnlyAfterTheFirstPaint)
{
    trend->SetGridYSteps(5); // never painted: nothing drawn
    EXPECT_TRUE(trend->ScreenImage().isNull());
    Show();
    const QImage before = trend->ScreenImage().copy();
    trend->Channel1().SetColor(clGreen);
    trend->SetLeftScaleCh(0); // percent scale, no channel label
    EXPECT_NE(before, trend->ScreenImage());
}

} // namespace
