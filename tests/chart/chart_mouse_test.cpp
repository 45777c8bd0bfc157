#include "chart_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>

namespace {

void Send(QWidget &widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Move(QWidget &widget, QPoint pos, bool leftHeld = true)
{
    Send(widget, QEvent::MouseMove, pos, Qt::NoButton, leftHeld ? Qt::LeftButton : Qt::NoButton);
}

struct Range
{
    double low, high;
};

Range XRange(TRChart &chart, int layer)
{
    return {chart.ScaleX(layer).RangeLow(), chart.ScaleX(layer).RangeHigh()};
}

// A plot exactly 600 pixels wide: 80 + 600 + 20 + 1.
TEST(ChartMouse, PanFollowsTheMouseFromTheDragStart)
{
    auto chart = MakeChart(701, 384);
    ASSERT_EQ(chart->PlotWidth(), 600);
    chart->SetMouseAction(TMouseActMode::maPan);
    int zoomPans = 0;
    chart->OnZoomPan = [&](TCustomRChart *) { ++zoomPans; };
    Move(*chart, {300, 200});
    Move(*chart, {330, 200});
    Move(*chart, {360, 200});
    EXPECT_DOUBLE_EQ(XRange(*chart, 1).low, -100);
    EXPECT_DOUBLE_EQ(XRange(*chart, 1).high, 900);
    EXPECT_DOUBLE_EQ(chart->ScaleY(1).RangeLow(), 0);
    EXPECT_DOUBLE_EQ(XRange(*chart, 2).low, 0); // layer 2 does not follow the mouse
    Move(*chart, {300, 200});
    EXPECT_NEAR(XRange(*chart, 1).low, 0, 1e-9);
    EXPECT_NEAR(XRange(*chart, 1).high, 1000, 1e-9);
    EXPECT_EQ(zoomPans, 3);

    Move(*chart, {20, 200}); // outside the plot: nothing changes, the drag goes on
    EXPECT_EQ(zoomPans, 3);
    Move(*chart, {360, 200}, false); // released: the next drag starts afresh
    Move(*chart, {360, 200});
    Move(*chart, {360, 210});
    EXPECT_NEAR(XRange(*chart, 1).low, 0, 1e-9);
    EXPECT_GT(chart->ScaleY(1).RangeLow(), 0); // dragging down shows larger values
}

TEST(ChartMouse, DragZoomScalesAroundTheCentre)
{
    struct
    {
        int from, to;
        Range expected;
    } cases[] = {{100, 454, {250, 750}}, {600, 246, {-250, 1250}}};
    for (const auto &c : cases) {
        auto chart = MakeChart();
        chart->SetMouseAction(TMouseActMode::maZoomDrag);
        chart->SetMouseAffectsLayer(2, true);
        Move(*chart, {c.from, 200});
        Move(*chart, {c.to, 200});
        for (int layer : {1, 2}) {
            EXPECT_NEAR(XRange(*chart, layer).low, c.expected.low, 1e-9) << c.from;
            EXPECT_NEAR(XRange(*chart, layer).high, c.expected.high, 1e-9) << c.from;
        }
        EXPECT_NEAR(chart->ScaleY(1).RangeHigh(), 10, 1e-9);
    }
}

TEST(ChartMouse, ReportsPositionAndWhetherItIsInsideThePlot)
{
    auto chart = MakeChart();
    struct Report
    {
        bool inChart;
        double x, y;
    } last {};
    chart->OnMouseMoveInChart
            = [&](TCustomRChart *, bool inChart, TShiftState shift, double x, double y) {
                  EXPECT_TRUE(shift == TShiftState {});
                  last = {inChart, x, y};
              };
    struct
    {
        QPoint pos;
        bool inside;
    } cases[] = {{{79, 100}, false},  {{80, 100}, true},   {{687, 338}, true},
                 {{688, 338}, false}, {{687, 339}, false}, {{80, 29}, false}};
    for (const auto &c : cases) {
        Move(*chart, c.pos, false);
        EXPECT_EQ(last.inChart, c.inside) << c.pos.x() << "," << c.pos.y();
    }
    Move(*chart, {80, 338}, false);
    EXPECT_NEAR(last.x, 0, 1e-9);
    EXPECT_NEAR(last.y, 0, 1e-9);
}

TEST(ChartMouse, ButtonUpAfterADoubleClickIsIgnored)
{
    auto chart = MakeChart();
    int downs = 0, ups = 0, doubles = 0;
    chart->OnMouseDown = [&](TCustomRChart *, TMouseButton, TShiftState, int, int) { ++downs; };
    chart->OnMouseUp = [&](TCustomRChart *, TMouseButton, TShiftState, int, int) { ++ups; };
    chart->OnDblClick = [&](TCustomRChart *) { ++doubles; };
    const QPoint p(200, 200);
    Send(*chart, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Send(*chart, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    Send(*chart, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    Send(*chart, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(doubles, 1);
}

TEST(ChartMouse, PointerFollowsTheActionUnlessFixed)
{
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(TCustomRChart::Pointer(i).pixmap().isNull()) << i;
    }
    auto chart = MakeChart();
    chart->SetMouseAction(TMouseActMode::maZoomDrag);
    chart->SetMouseCursorFixed(true);
    Move(*chart, {200, 200}, false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    chart->SetMouseCursorFixed(false);
    Move(*chart, {200, 200}, false);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().toImage(),
              TCustomRChart::Pointer(3).pixmap().toImage());
    Move(*chart, {10, 10}, false); // outside: the control's own pointer again
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ChartMouse, ZoomWindowSetsTheRangesToTheRectangle)
{
    auto chart = MakeChart(701, 384); // 0.6 pixels per X unit, 30.8 per Y unit
    chart->SetMouseAction(TMouseActMode::maZoomWindPos);
    Send(*chart, QEvent::MouseButtonPress, {140, 100}, Qt::LeftButton, Qt::LeftButton);
    Move(*chart, {200, 200});
    Move(*chart, {800, 200}); // clamped to the plot's right edge
    Send(*chart, QEvent::MouseButtonRelease, {800, 200}, Qt::LeftButton, Qt::NoButton);
    EXPECT_NEAR(XRange(*chart, 1).low, 100, 1e-9);
    EXPECT_NEAR(XRange(*chart, 1).high, 1000, 1e-9);
    EXPECT_LT(chart->ScaleY(1).RangeLow(), chart->ScaleY(1).RangeHigh());
}

TEST(ChartMouse, RubberBandReportsWithoutChangingRanges)
{
    auto chart = MakeChart(701, 384);
    chart->SetMouseAction(TMouseActMode::maRubberBand);
    int reports = 0;
    chart->OnRubberBand = [&](TCustomRChart *, int layer, double loX, double, double hiX, double) {
        ++reports;
        EXPECT_EQ(layer, 1);
        EXPECT_NEAR(loX, 100, 1e-9);
        EXPECT_NEAR(hiX, 200, 1e-9);
    };
    Send(*chart, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::LeftButton);
    Move(*chart, {140, 200});
    Send(*chart, QEvent::MouseButtonRelease, {140, 200}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(reports, 1);
    EXPECT_NEAR(XRange(*chart, 1).low, 0, 1e-9);
}

TEST(ChartMouse, DraggingMovesTheNearestCrossHair)
{
    auto chart = MakeChart();
    chart->SetMouseAction(TMouseActMode::maDragCrossH);
    chart->CrossHair1().SetMode(TCrossHMode::chVert);
    chart->CrossHair2().SetMode(TCrossHMode::chVert);
    chart->SetCrossHairPos(1, 100, 0);
    chart->SetCrossHairPos(2, 800, 0);
    TCrossHair *moved = nullptr;
    chart->OnCrossHairMove = [&](TCustomRChart *, TCrossHair *c) { moved = c; };
    const int x2 = chart->UserToPixel(1, 800, 0).x();
    Move(*chart, {x2 + 3, 200});
    Move(*chart, {chart->UserToPixel(1, 500, 0).x(), 200});
    EXPECT_EQ(moved, &chart->CrossHair2());
    EXPECT_NEAR(chart->CrossHair2().PosX(), 500, 1);
    EXPECT_DOUBLE_EQ(chart->CrossHair1().PosX(), 100);
}

} // namespace
