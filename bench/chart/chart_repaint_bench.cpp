// Full repaints of the fast display's chart, the update timer's tick and the crosshair refresh,
// at the size and with the settings of the main window, holding the largest lists an acquisition
// produces.
#include "chart/rchart.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<TRChart> MakeSystemChart()
{
    auto chart = std::make_unique<TRChart>();
    chart->SetAutoRedraw(false);
    chart->SetAllocSize(110000);
    chart->resize(708, 384);
    chart->SetMarginLeft(80);
    chart->SetMarginRight(20);
    chart->SetMarginTop(30);
    chart->SetMarginBottom(45);
    chart->SetShadowWidth(1);
    chart->SetShadowStyle(TShadowStyle::ssBox);
    chart->SetWindColor(clWhite);
    chart->SetGridColor(clSilver);
    chart->SetGridStyle(GridStyleType::gsLines);
    chart->SetCaption("Vantor");
    chart->Scale1X().SetVisible(true);
    chart->Scale1Y().SetVisible(true);
    chart->CrossHair1().SetColor(clFuchsia);
    chart->CrossHair1().SetMode(TCrossHMode::chVert);
    chart->SetMouseAffectsLayer(2, true);
    chart->SuppressPaint(false);
    return chart;
}

// A noisy sine between 0 and 10, as a sensor sends it.
double Sample(int n)
{
    return 5 + 4 * std::sin(n * 0.001) + (std::rand() % 1000) / 1000.0;
}

// A repaint over an unchanged picture draws only what arrived since; a new caption makes the
// next one draw everything.
void ForceFullRepaint(TRChart &chart)
{
    chart.SetCaption(chart.Caption() == "Vantor" ? "Vantor 2" : "Vantor");
}

void BM_ChartRepaintOneChannel(benchmark::State &state)
{
    auto chart = MakeSystemChart();
    const int count = static_cast<int>(state.range(0));
    chart->SetRange(1, 0, 0, count, 10);
    chart->SetDataColor(clBlue);
    chart->AddMoveTo(0, Sample(0));
    for (int n = 1; n < count; ++n) {
        chart->AddLineTo(n, Sample(n));
    }
    for (auto _ : state) {
        ForceFullRepaint(*chart);
        chart->Redraw();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ChartRepaintOneChannel)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

std::unique_ptr<TRChart> MakeTwoChannelChart(int samples)
{
    auto chart = MakeSystemChart();
    chart->SetRange(1, 0, 0, samples, 10);
    chart->SetRange(2, 0, 0, samples, 10);
    double previous1 = Sample(0);
    double previous2 = Sample(7);
    for (int n = 1; n <= samples; ++n) {
        const double v1 = Sample(n);
        const double v2 = Sample(n + 7) - 3;
        chart->SetActiveLayer(1);
        chart->SetDataColor(clBlue);
        chart->AddLine(n - 1, previous1, n, v1);
        chart->SetActiveLayer(2);
        chart->SetDataColor(clRed);
        chart->AddLine(n - 1, previous2, n, v2);
        previous1 = v1;
        previous2 = v2;
    }
    return chart;
}

void BM_ChartRepaintTwoLayers(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    auto chart = MakeTwoChannelChart(items / 2);
    for (auto _ : state) {
        ForceFullRepaint(*chart);
        chart->Redraw();
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_ChartRepaintTwoLayers)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Eight channels as lines, one layer each, items interleaved as the samples arrive: the colour
// and layer change with every item.
void BM_ChartRepaintEightLayers(benchmark::State &state)
{
    constexpr int kLayers = 8;
    constexpr TColor kColors[kLayers]
            = {clBlue, clRed, clGreen, clBlack, clFuchsia, clTeal, clOlive, clMaroon};
    const int perLayer = static_cast<int>(state.range(0));
    auto chart = MakeSystemChart();
    double previous[kLayers];
    for (int layer = 1; layer <= kLayers; ++layer) {
        chart->SetRange(layer, 0, 0, perLayer, 10);
        previous[layer - 1] = Sample(layer);
    }
    for (int n = 1; n <= perLayer; ++n) {
        for (int layer = 1; layer <= kLayers; ++layer) {
            const double v = Sample(n + layer) + layer - 4;
            chart->SetActiveLayer(layer);
            chart->SetDataColor(kColors[layer - 1]);
            chart->AddLine(n - 1, previous[layer - 1], n, v);
            previous[layer - 1] = v;
        }
    }
    for (auto _ : state) {
        ForceFullRepaint(*chart);
        chart->Redraw();
    }
    state.SetItemsProcessed(state.iterations() * perLayer * kLayers);
}
BENCHMARK(BM_ChartRepaintEightLayers)->Arg(12500)->Unit(benchmark::kMillisecond)->UseRealTime();

// The update timer's tick during a one-channel run: repaint, update, suppress again, with
// state.range(0) samples arrived since the last tick and the list between 50,000 and 100,000.
void BM_ChartUpdateTick(benchmark::State &state)
{
    auto chart = MakeSystemChart();
    const int perTick = static_cast<int>(state.range(0));
    chart->SetRange(1, 0, 0, 100000, 10);
    chart->SetDataColor(clBlue);
    int n = 0;
    const auto refill = [&] {
        chart->ClearItems();
        chart->AddMoveTo(0, Sample(0));
        for (n = 1; n < 50000; ++n) {
            chart->AddLineTo(n, Sample(n));
        }
        chart->Redraw();
    };
    refill();
    chart->SuppressPaint(true);
    for (auto _ : state) {
        if (n + perTick > 100000) {
            state.PauseTiming();
            chart->SuppressPaint(false);
            refill();
            chart->SuppressPaint(true);
            state.ResumeTiming();
        }
        for (const int end = n + perTick; n < end; ++n) {
            chart->AddLineTo(n, Sample(n));
        }
        chart->SuppressPaint(false);
        chart->UpdateChart();
        chart->SuppressPaint(true);
    }
    state.SetItemsProcessed(state.iterations() * perTick);
}
BENCHMARK(BM_ChartUpdateTick)->Arg(250)->Arg(5000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The update timer's tick in trend mode with state.range(0) channels, one layer each: between
// two ticks every layer's window of 2,000 samples moved on, so the tick repaints the frame and
// every item. This is the longest time the user-interface thread is away from the port.
void BM_ChartTrendTick(benchmark::State &state)
{
    constexpr int kWindow = 2000;
    constexpr int kPerTick = 1000;
    const int layers = static_cast<int>(state.range(0));
    auto chart = MakeSystemChart();
    std::vector<double> previous(static_cast<size_t>(layers), 5.0);
    int n = 0;
    const auto feed = [&](int samples) {
        for (const int end = n + samples; n < end; ++n) {
            for (int layer = 1; layer <= layers; ++layer) {
                const double v = Sample(n + layer);
                chart->SetActiveLayer(layer);
                chart->SetDataColor(layer % 2 ? clBlue : clRed);
                chart->AddLine(n - 1, previous[static_cast<size_t>(layer - 1)], n, v);
                previous[static_cast<size_t>(layer - 1)] = v;
                if (chart->ItemCount() > kWindow * layers)
                    chart->RemoveFirstItem();
            }
        }
        for (int layer = 1; layer <= layers; ++layer)
            chart->SetRange(layer, n - kWindow, 0, n, 10);
    };
    feed(kWindow);
    chart->Redraw();
    chart->SuppressPaint(true);
    for (auto _ : state) {
        state.PauseTiming();
        feed(kPerTick);
        state.ResumeTiming();
        chart->SuppressPaint(false);
        chart->UpdateChart();
        chart->SuppressPaint(true);
    }
    state.SetItemsProcessed(state.iterations() * kWindow * layers);
}
BENCHMARK(BM_ChartTrendTick)->Arg(1)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChartCrossHairMove(benchmark::State &state)
{
    auto chart = MakeTwoChannelChart(50000);
    chart->Redraw();
    int step = 0;
    for (auto _ : state) {
        chart->SetCrossHairPos(1, (step++ % 500) * 100.0, 0);
    }
}
BENCHMARK(BM_ChartCrossHairMove)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
