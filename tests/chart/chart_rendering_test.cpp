#include "chart_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr QRgb White = 0xFFFFFFFF;
const QRgb Blue = Rgb(clBlue);
const QRgb Red = Rgb(clRed);

// Data image of the fixture: PW = 607, PH = 308, so (0, 0) is data pixel (0, 308) and
// (1000, 10) is (607, 0); y = 5 maps to row 154.
TEST(ChartRendering, MapsItemsToOnePixelWideLines)
{
    auto chart = MakeChart();
    chart->SetDataColor(clBlue);
    chart->AddMoveTo(0, 5);
    chart->AddLineTo(1000, 5);
    chart->Redraw();
    const QImage &data = chart->DataImage();
    ASSERT_EQ(data.size(), QSize(608, 309));
    EXPECT_EQ(CountPixels(data, Blue, 1, 154, 607, 155), 606);
    EXPECT_EQ(CountPixels(data, Blue, 0, 0, 608, 309), 606);
    // The data area lands in the control image at the margins, inside the black plot frame.
    EXPECT_EQ(chart->ControlImage().pixel(80 + 300, 30 + 154), Blue);
    EXPECT_EQ(chart->ControlImage().pixel(80, 30 + 100), Rgb(clBlack));
    EXPECT_EQ(chart->ControlImage().pixel(79, 30 + 100), White);
}

// Each point lands on the chart's own mapping, also where the exact position is a tie.
TEST(ChartRendering, LineWithBothEndsOnOnePixelSetsThatPixel)
{
    const double xs[] = {500, 123.456, 1000 * 3.5 / 607, 1000 * 100.5 / 607, 1000 * 200.5 / 607};
    for (double x : xs) {
        auto chart = MakeChart();
        chart->SetDataColor(clRed);
        chart->AddLine(x, 2.5, x + 1e-6, 2.5 + 1e-6);
        chart->Redraw();
        const QImage &data = chart->DataImage();
        EXPECT_EQ(CountPixels(data, Red, 0, 0, data.width(), data.height()), 1) << x;
        EXPECT_EQ(data.pixel(chart->UserToPixel(1, x, 2.5) - QPoint(80, 30)), Red) << x;
    }
}

// 450 connected lines go out in three polylines; each must start where the previous one ended,
// so the picture equals that of 450 separate lines between the same points.
TEST(ChartRendering, BatchedPolylinesJoinWithoutGaps)
{
    auto connected = MakeChart();
    auto separate = MakeChart();
    for (TRChart *chart : {connected.get(), separate.get()}) {
        chart->SetRange(1, 0, 0, 450, 10);
        chart->SetDataColor(clBlue);
    }
    const auto y = [](int i) { return (i % 7) + 1.5; };
    connected->AddMoveTo(0, y(0));
    for (int i = 1; i <= 450; ++i) {
        connected->AddLineTo(i, y(i));
        separate->AddLine(i - 1, y(i - 1), i, y(i));
    }
    connected->Redraw();
    separate->Redraw();
    EXPECT_EQ(connected->DataImage(), separate->DataImage());
    EXPECT_GT(CountPixels(connected->DataImage(), Blue, 0, 0, 608, 309), 450 * 30);
}

TEST(ChartRendering, ColourChangeEndsThePolylineAtTheJoint)
{
    auto chart = MakeChart();
    chart->SetDataColor(clBlue);
    chart->AddMoveTo(0, 5);
    chart->AddLineTo(500, 5);
    chart->SetDataColor(clRed);
    chart->AddLineTo(1000, 5);
    chart->Redraw();
    const QImage &data = chart->DataImage();
    const int joint = chart->UserToPixel(1, 500, 5).x() - 80;
    EXPECT_EQ(data.pixel(joint - 1, 154), Blue);
    EXPECT_EQ(data.pixel(joint, 154), Red);
    EXPECT_EQ(data.pixel(joint + 1, 154), Red);
}

TEST(ChartRendering, HugeValuesAreClampedAndLeaveThePlotAtTheTop)
{
    auto chart = MakeChart();
    chart->SetDataColor(clBlue);
    chart->AddMoveTo(500, 5);
    chart->AddLineTo(500, 1e300);
    chart->AddLine(0, -1e300, 1000, -1e300); // far below: nothing inside the plot
    chart->Redraw();
    const QImage &data = chart->DataImage();
    const int x = chart->UserToPixel(1, 500, 5).x() - 80;
    EXPECT_EQ(CountPixels(data, Blue, x, 1, x + 1, 155), 154); // up to the plot frame
    EXPECT_EQ(CountPixels(data, Blue, 0, 0, data.width(), data.height()), 154);
}

// Layer 1, 0..1000 with three ticks wished: ticks every 50 along X, every 0.5 along Y; a
// position at the upper bound ends the sequence.
TEST(ChartRendering, GridFollowsTheActiveLayersTicks)
{
    auto chart = MakeChart();
    chart->SetGridStyle(GridStyleType::gsLines);
    chart->Redraw();
    const QImage &data = chart->DataImage();
    const QRgb silver = Rgb(clSilver);
    std::vector<int> columns;
    for (int x = 0; x < data.width(); ++x) {
        if (data.pixel(x, 3) == silver) {
            columns.push_back(x);
        }
    }
    std::vector<int> expected;
    for (int k = 1; k < 20; ++k) {
        expected.push_back(chart->UserToPixel(1, 50.0 * k, 0).x() - 80);
    }
    EXPECT_EQ(columns, expected);
    int rows = 0;
    for (int y = 0; y < data.height(); ++y) {
        rows += data.pixel(3, y) == silver;
    }
    EXPECT_EQ(rows, 19); // 0.5 .. 9.5; 0 lies under the plot frame

    chart->SetGridDx(300);
    chart->SetGridStyle(GridStyleType::gsVertDotLines);
    chart->Redraw();
    int dotted = 0;
    for (int y = 0; y < data.height(); ++y) {
        dotted += chart->DataImage().pixel(chart->UserToPixel(1, 300, 0).x() - 80, y) == silver;
    }
    EXPECT_GT(dotted, 50);
    EXPECT_LT(dotted, 250);
    int columnsWithGrid = 0;
    for (int x = 1; x < data.width() - 1; ++x) {
        columnsWithGrid += CountPixels(chart->DataImage(), silver, x, 0, x + 1, data.height()) > 0;
    }
    EXPECT_EQ(columnsWithGrid, 3); // 300, 600, 900
}

TEST(ChartRendering, VerticalCrossHairIsDrawnOnlyInsideThePlot)
{
    auto chart = MakeChart();
    chart->CrossHair1().SetColor(clFuchsia);
    chart->CrossHair1().SetMode(TCrossHMode::chVert);
    chart->Redraw();
    const QRgb fuchsia = Rgb(clFuchsia);
    struct
    {
        double x;
        int column; // -1: not drawn
    } cases[] = {{500, 384}, {-10, -1}, {0, -1}, {1.0 / 0.607, 81}, {1000, -1}};
    for (const auto &c : cases) {
        chart->SetCrossHairPos(1, c.x, 5);
        const QImage image = chart->PresentedImage();
        const int drawn = CountPixels(image, fuchsia, 0, 0, image.width(), image.height());
        if (c.column < 0) {
            EXPECT_EQ(drawn, 0) << c.x;
        } else {
            EXPECT_EQ(CountPixels(image, fuchsia, c.column, 31, c.column + 1, 338), 307) << c.x;
            EXPECT_EQ(drawn, 307) << c.x;
        }
    }
}

TEST(ChartRendering, SuppressedPaintDrawsNothing)
{
    auto chart = MakeChart();
    int frames = 0;
    chart->OnScalesRendered = [&](TCustomRChart *, QPainter &, int, int) { ++frames; };
    chart->SuppressPaint(true);
    chart->Paint();
    chart->SetRange(1, 0, 0, 500, 10);
    EXPECT_EQ(frames, 0);
    chart->SuppressPaint(false);
    EXPECT_EQ(frames, 1);
    chart->SuppressPaint(false);
    EXPECT_EQ(frames, 1);
    chart->SetRange(1, 0, 0, 1000, 10); // painting allowed: a range change repaints
    EXPECT_GE(frames, 2);
}

TEST(ChartRendering, FirstShowingAllowsPainting)
{
    TRChart chart;
    int frames = 0;
    chart.OnScalesRendered = [&](TCustomRChart *, QPainter &, int, int) { ++frames; };
    EXPECT_TRUE(chart.PaintSuppressed());
    chart.Redraw();
    EXPECT_EQ(frames, 0);
    chart.show();
    EXPECT_FALSE(chart.PaintSuppressed());
    EXPECT_GE(frames, 1);
    chart.SuppressPaint(true); // as during an acquisition, while its page is switched
    chart.hide();
    chart.show();
    EXPECT_TRUE(chart.PaintSuppressed());
}

// UpdateChart draws the grid only when nothing was drawn since the list was cleared.
TEST(ChartRendering, UpdateChartDrawsTheGridOnlyAfterClearing)
{
    auto chart = MakeChart();
    chart->SetGridStyle(GridStyleType::gsLines);
    const int gridX = chart->UserToPixel(1, 50, 0).x() - 80;
    for (int i = 0; i < 3; ++i) {
        chart->AddLine(i, 1, i + 1, 1);
    }
    chart->UpdateChart();
    EXPECT_EQ(chart->LastDrawnIndex(), 2);
    chart->SetGridColor(clRed);
    chart->UpdateChart();
    EXPECT_EQ(chart->DataImage().pixel(gridX, 3), Rgb(clSilver));
    chart->ClearItems();
    EXPECT_EQ(chart->DataImage().pixel(gridX, 3), White);
    chart->AddLine(0, 1, 1, 1);
    chart->UpdateChart();
    EXPECT_EQ(chart->DataImage().pixel(gridX, 3), Red);
    EXPECT_EQ(chart->LastDrawnIndex(), 0);
}

TEST(ChartRendering, FrameHasTheBoxShadowAndTheCentredCaption)
{
    auto chart = MakeChart();
    chart->SetCaption("Vantor");
    chart->SetCaptionAnchorHoriz(TCaptionAnchorHoriz::cahChartCenter);
    chart->SetCaptionAlignment(TAlignment::taCenter);
    chart->SetCaptionPosY(-28);
    TFont font;
    font.Color = clRed;
    font.Height = -15;
    chart->SetFont(font);
    chart->SetShadowStyle(TShadowStyle::ssFlying);
    chart->SetShadowBakColor(clYellow);
    chart->SetShadowWidth(4);
    chart->Redraw();
    const QImage &image = chart->ControlImage();
    EXPECT_EQ(image.pixel(600, 382), Rgb(clGray)); // below
    EXPECT_EQ(image.pixel(706, 100), Rgb(clGray)); // right
    EXPECT_EQ(image.pixel(706, 1), Rgb(clYellow)); // the corner behind the shadow
    EXPECT_EQ(image.pixel(704, 100), Rgb(clBlack)); // control outline
    EXPECT_EQ(image.pixel(703, 100), White);
    // The caption's ink sits above the plot, around the plot's centre.
    const int ink = CountPixels(image, Red, 80, 0, 688, 30);
    EXPECT_GT(ink, 20);
    const int centre = 80 + chart->PlotWidth() / 2;
    EXPECT_GT(CountPixels(image, Red, centre - 40, 0, centre + 40, 30), ink * 9 / 10);
}

// During a run the update timer repaints (SuppressPaint(false)) and updates every tick; the chart
// draws only what arrived since the last tick while nothing else changed. Whatever changes
// between two ticks, the window must then show what a full repaint of the same list shows.
TEST(ChartRendering, UpdateTicksShowWhatAFullRepaintShows)
{
    using Change = std::function<void(TRChart &)>;
    const struct
    {
        const char *change;
        Change apply;
    } cases[] = {
            {"nothing", [](TRChart &) {}},
            {"range", [](TRChart &c) { c.SetRange(1, 0, 0, 800, 12); }},
            {"plot colour", [](TRChart &c) { c.SetChartColor(clYellow); }},
            {"first items removed",
             [](TRChart &c) {
                 for (int i = 0; i < 50; ++i)
                     c.RemoveFirstItem();
             }},
            {"layer hidden", [](TRChart &c) { c.SetLayerVisible(2, false); }},
            {"cleared", [](TRChart &c) { c.ClearItems(); }},
            {"axis caption", [](TRChart &c) { c.Scale1Y().SetCaption(QStringLiteral("Volt")); }},
            {"margin", [](TRChart &c) { c.SetMarginLeft(60); }},
            {"grid colour", [](TRChart &c) { c.SetGridColor(clRed); }},
            {"dashed items", [](TRChart &c) { c.SetPenStyle(TPenStyle::psDash); }},
            {"wide items", [](TRChart &c) { c.SetLineWidth(3); }},
            {"crosshair moved", [](TRChart &c) { c.SetCrossHairPos(1, 700, 0); }},
            {"crosshair off", [](TRChart &c) { c.CrossHair1().SetMode(TCrossHMode::chOff); }},
    };
    // Two interleaved curves on layers 1 and 2, as a two-channel run adds them.
    const auto feed = [](TRChart &chart, int from, int to) {
        for (int i = from; i < to; ++i) {
            chart.SetActiveLayer(1);
            chart.SetDataColor(clBlue);
            const double y1 = 5 + 4 * std::sin(i / 40.0);
            i == 0 ? chart.AddMoveTo(i, y1) : chart.AddLineTo(i, y1);
            chart.SetActiveLayer(2);
            chart.SetDataColor(clRed);
            const double y2 = (i % 200) / 20.0;
            i == 0 ? chart.AddMoveTo(i, y2) : chart.AddLineTo(i, y2);
        }
    };
    for (const auto &c : cases) {
        auto live = MakeChart();
        auto fresh = MakeChart();
        for (TRChart *chart : {live.get(), fresh.get()}) {
            chart->SetGridStyle(GridStyleType::gsLines);
            chart->CrossHair1().SetColor(clFuchsia);
            chart->CrossHair1().SetMode(TCrossHMode::chVert);
            chart->SetCrossHairPos(1, 250, 0);
        }
        live->SuppressPaint(true);
        const auto tick = [&] {
            live->SuppressPaint(false);
            live->UpdateChart();
            live->SuppressPaint(true);
        };
        const int steps[] = {0, 300, 600, 900, 1000};
        for (int k = 0; k + 1 < 5; ++k) {
            if (k == 2) {
                c.apply(*live);
                c.apply(*fresh);
            }
            feed(*live, steps[k], steps[k + 1]);
            feed(*fresh, steps[k], steps[k + 1]);
            tick();
        }
        fresh->Redraw();
        EXPECT_TRUE(live->PresentedImage() == fresh->PresentedImage()) << c.change;
    }
}

} // namespace
