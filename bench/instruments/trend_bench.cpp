#include "instruments/timer_service.h"
#include "instruments/trend.h"
#include "platform/user_interface.h"
#include "support/manual_timer.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kRecords = 100000;

// The slow display's trend, 428 x 309, holding 100,000 records, shown.
std::unique_ptr<TAbTrend> ShownTrend(bool flow)
{
    auto t = std::make_unique<TAbTrend>();
    t->BeginUpdate();
    t->resize(428, 309);
    t->Channel1().SetValueTo(10);
    t->Channel1().SetColor(clBlue);
    t->Channel2().SetValueTo(50);
    t->Channel2().SetColor(clRed);
    for (int k = 3; k <= 8; ++k)
        t->Channel(k).SetVisible(false);
    t->SetInterval(100);
    t->SetTimeFormat(QStringLiteral("hh:mm:ss"));
    t->SetOptions({TTrendOption::opGrid, TTrendOption::opCursorOnRec, TTrendOption::opSeparator,
                   TTrendOption::opTime, TTrendOption::opLeftScale, TTrendOption::opRightScale});
    t->SetAbsScaleCh(2);
    t->SetLeftScaleCh(1);
    t->BevelOuter().SetStyle(TBevelStyle::bsLowered);
    t->BevelOuter().SetBevelLine(TBevelLine::blNone);
    t->BevelInner().SetColor(clWhite);
    t->Font().SetHeight(-13);
    t->SetColorGrid(clGray);
    t->SetColorTime(clMaroon);
    t->LimitUpper().SetEnabled(false);
    t->LimitLower().SetEnabled(false);
    t->SetMaxRecords(100000000);
    t->SetFlow(flow);
    t->EndUpdate();
    for (int i = 0; i < kRecords; ++i) {
        t->Channel1().SetValue(5.0 + 4.0 * std::sin(i / 50.0));
        t->Channel2().SetValue(25.0 + (i % 37));
        t->AddRecord();
    }
    t->show();
    ProcessPendingEvents();
    t->repaint();
    return t;
}

// One sampling tick delivered by the timer service: append a record, draw its column and
// hand the changed area to the screen.
void MoveMouse(TAbTrend &trend, int column)
{
    const QRect plot = trend.PlotRect();
    const QPointF at(plot.left() + column, plot.top() + 20);
    QMouseEvent move(QEvent::MouseMove, at, trend.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&trend, &move);
}

void RunTicks(benchmark::State &state, bool flow, bool flush, bool cursor = false)
{
    TManualTimerScope timer;
    auto trend = ShownTrend(flow);
    if (cursor)
        MoveMouse(*trend, 100);
    TAbTimerService &service = TAbTimerService::Instance();
    int i = 0;
    for (auto _ : state) {
        trend->Channel1().SetValue(5.0 + 4.0 * std::sin(++i / 50.0));
        timer.Clock().Advance(100);
        service.Dispatch();
        if (flush)
            ProcessPendingEvents();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

// The view follows the newest record: mostly one column, a full plot redraw every 60 ticks.
static void BM_TrendTickFollowing(benchmark::State &state)
{
    RunTicks(state, true, false);
}
BENCHMARK(BM_TrendTickFollowing)->UseRealTime();

// The view stays on older records while new ones are appended.
static void BM_TrendTickHistory(benchmark::State &state)
{
    RunTicks(state, false, false);
}
BENCHMARK(BM_TrendTickHistory)->UseRealTime();

// A following tick while the cursor line is shown over the plot.
static void BM_TrendTickFollowingWithCursor(benchmark::State &state)
{
    RunTicks(state, true, false, true);
}
BENCHMARK(BM_TrendTickFollowingWithCursor)->UseRealTime();

// A following tick plus Qt copying the changed area to the window.
static void BM_TrendTickFollowingAndFlush(benchmark::State &state)
{
    RunTicks(state, true, true);
}
BENCHMARK(BM_TrendTickFollowingAndFlush)->UseRealTime();

// The full repaint after a settings change: frame, scales and a whole plot of curves.
static void BM_TrendFullRepaint(benchmark::State &state)
{
    TManualTimerScope timer;
    auto trend = ShownTrend(true);
    bool blue = false;
    for (auto _ : state) {
        blue = !blue;
        trend->Channel1().SetColor(blue ? clBlue : clNavy);
    }
}
BENCHMARK(BM_TrendFullRepaint)->UseRealTime();

// The plot redraw that a view jump, a scroll or a load does: grid and a plot width of curves.
static void BM_TrendPlotRedraw(benchmark::State &state)
{
    TManualTimerScope timer;
    auto trend = ShownTrend(false);
    const int last = trend->Records().Count() - 1;
    int start = 0;
    for (auto _ : state) {
        start = (start + 60) % (last - 1000);
        trend->RedrawRange(start, last);
    }
}
BENCHMARK(BM_TrendPlotRedraw)->UseRealTime();

// The cursor line following the mouse across the plot.
static void BM_TrendCursorMove(benchmark::State &state)
{
    TManualTimerScope timer;
    auto trend = ShownTrend(false);
    const QRect plot = trend->PlotRect();
    int x = 0;
    for (auto _ : state) {
        x = (x + 3) % plot.width();
        const QPointF at(plot.left() + x, plot.top() + 20);
        QMouseEvent move(QEvent::MouseMove, at, trend->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(trend.get(), &move);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrendCursorMove)->UseRealTime();
