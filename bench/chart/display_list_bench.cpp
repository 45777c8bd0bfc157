#include "chart/chart_model.h"
#include "chart/rchart.h"

#include <benchmark/benchmark.h>

// Appending one item per received sample, as the packet decoder does during a run: Start has
// reserved the run's items, and the room stays across the (untimed) clear at the limit.
static void BM_DisplayListAppend(benchmark::State &state)
{
    TChartModel chart;
    chart.SetAllocSize(110000);
    chart.ReserveItems(100000);
    double n = 0;
    for (auto _ : state) {
        chart.AddLineTo(n, n * 0.25);
        n += 1;
        if (chart.ItemCount() == 100000) {
            state.PauseTiming();
            chart.ClearItems();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayListAppend);

static void FastDisplaySize(TChartModel &chart)
{
    chart.SetChartSize(708, 384);
}

static void FastDisplaySize(TRChart &chart)
{
    chart.Model().SetChartSize(708, 384);
}

// A chart set up as for a trend run (painting suppressed, as during an acquisition), fed one
// sample at a time: one line per channel, layer c holding channel c.
template<typename Chart>
struct TrendFeed
{
    Chart chart;
    int channels;
    double n = 1;

    explicit TrendFeed(int channelCount)
        : channels(channelCount)
    {
        chart.SetAllocSize(110000);
        chart.SetAutoRedraw(false);
        chart.SuppressPaint(true);
        FastDisplaySize(chart);
    }
    void Sample()
    {
        for (int c = 1; c <= channels; ++c) {
            chart.SetActiveLayer(c);
            chart.AddLine(n - 1, c * 0.5, n, c * 0.5 + 0.1);
        }
        n += 1;
    }
    void DropOldest()
    {
        for (int c = 0; c < channels; ++c)
            chart.RemoveFirstItem();
    }
    // Every channel's range ends at the newest sample and spans `window` samples.
    void Follow(int window)
    {
        for (int c = 1; c <= channels; ++c)
            chart.SetRange(c, n - window, 0, n, 10);
    }
};

// The trend mode's steady state: a full window of `window` samples per channel scrolls on by
// one sample.
template<typename Chart>
static void BM_DisplayListTrendStep(benchmark::State &state)
{
    const int window = 2000;
    TrendFeed<Chart> feed(static_cast<int>(state.range(0)));
    for (int i = 0; i < window; ++i)
        feed.Sample();
    for (auto _ : state) {
        feed.DropOldest();
        feed.Sample();
        feed.Follow(window);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayListTrendStep<TChartModel>)->Arg(1)->Arg(2);
// The same on the chart control, whose repaint seam is filled.
BENCHMARK(BM_DisplayListTrendStep<TRChart>)->Arg(1)->Arg(2);

// The trend mode as the decoder drives it: per sample one item removed and one appended per
// channel, the channels' ranges moved once per block of 1000 samples (the framer's block).
// Items per second count samples, whatever the number of channels.
static void BM_DisplayListTrendBlock(benchmark::State &state)
{
    constexpr int kWindow = 2000;
    constexpr int kBlock = 1000;
    TrendFeed<TChartModel> feed(static_cast<int>(state.range(0)));
    feed.chart.ReserveItems(1001 * feed.channels);
    for (int i = 0; i < kWindow; ++i)
        feed.Sample();
    for (auto _ : state) {
        for (int i = 0; i < kBlock; ++i) {
            feed.Sample();
            feed.DropOldest();
        }
        feed.Follow(kWindow);
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_DisplayListTrendBlock)->Arg(1)->Arg(2)->Arg(8);
