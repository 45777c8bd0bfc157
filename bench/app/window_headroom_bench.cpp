// End-to-end runs of the main window at rates far above a real link: a writer thread in this
// process (so it shares the cores) plays the device on a pseudo-terminal at the asked rate while
// the user-interface thread runs the window as the program does. A run that stopped with
// "Buffer Overflow", lost samples or fell behind the asked rate (below 90 % of it) is reported as
// an error; in trend mode so is a paint gap over 60 ms or input that waited over 50 ms.
// A run to the sample limit is timed until the window took the sample beyond the limit and
// ended the run (Start is enabled again); stop_ms is what it needs from there until its message
// shows, which it does once every item is drawn.
#include "chart/rchart.h"
#include "pty_window_rig.h"

#include <QString>

#include <chrono>
#include <string>

namespace {

using bench::UiProbe;
using bench::WindowRig;

// The fast display's samples in order: line n + 1 is sample n (the first line is cut off by
// the start marker). In normal mode with one channel item n (a move, then line-tos) is sample
// n; with N channels item N(n - 1) + c - 1 is the line ending at sample n of channel c.
bool SamplesInOrder(const TRChart &chart, int channels)
{
    const TChartItem *items = chart.Items();
    for (int i = 0; i < chart.ItemCount(); ++i) {
        const long sample = channels > 1 ? i / channels + 1 : i;
        const int channel = i % channels + 1;
        const double y = channels > 1 ? items[i].Y2 : items[i].Y1;
        if (items[i].Layer != channel || y != bench::PtyDevice::Value(sample + 1, channel))
            return false;
    }
    return true;
}

// Google Benchmark 1.7 crashes summing up repetitions when the first one failed and a later one
// did not: once a repetition of a benchmark failed, its later ones fail too.
class Repetitions
{
public:
    // False, failing this repetition, when an earlier one failed.
    bool Go(benchmark::State &state)
    {
        if (m_failed)
            state.SkipWithError("an earlier repetition failed");
        return !m_failed;
    }
    void Fail(benchmark::State &state, const std::string &why)
    {
        m_failed = true;
        state.SkipWithError(why.c_str());
    }

private:
    bool m_failed = false;
};

// Sets the run's time and counters; returns the samples taken.
double Report(benchmark::State &state, WindowRig &rig, const UiProbe &probe, double seconds)
{
    const double samples = double(rig.form.State().SampleCount);
    state.SetIterationTime(seconds);
    state.counters["lines_per_s"] = samples / seconds;
    state.counters["items"] = rig.form.Form().RChart1->ItemCount();
    state.counters["overflow"] = rig.Overflowed();
    probe.Report(state);
    return samples;
}

// An errored run prints no counters: its message carries the figures that explain it.
std::string Figures(double seconds, double samples, bool overflow, const UiProbe &probe)
{
    return "after " + std::to_string(seconds) + " s and " + std::to_string(long(samples))
            + " samples, longest UI stall " + std::to_string(long(probe.LongestStallMs())) + " ms"
            + (overflow ? ": \"Buffer Overflow\"" : "");
}

// A run that took every line but well below the asked rate (the writer held back by a full
// pseudo-terminal) did not show the headroom it was asked for.
bool FellBehind(benchmark::State &state, Repetitions &repetitions, double samples, double seconds,
                long linesPerSecond)
{
    const double rate = samples / seconds;
    if (rate >= 0.9 * double(linesPerSecond))
        return false;
    repetitions.Fail(state,
                     "fell behind: " + std::to_string(long(rate)) + " lines/s of "
                             + std::to_string(linesPerSecond) + " asked");
    return true;
}

// One run in normal mode at linesPerSecond until the window stops at its sample limit.
void RunToLimit(benchmark::State &state, Repetitions &repetitions, int channels)
{
    const long linesPerSecond = state.range(0);
    for (auto _ : state) {
        if (!repetitions.Go(state))
            break;
        WindowRig rig(channels);
        Ui::TForm1 &ui = rig.form.Form();
        const long limit = long(ChannelLimitFor(channels));
        UiProbe probe(rig.form);
        RunGuarded([&] { ui.StartButton->click(); });
        rig.device.Start(limit + 10000, linesPerSecond);
        const auto start = std::chrono::steady_clock::now();
        probe.Start([&] {
            return rig.messageShown != std::chrono::steady_clock::time_point {} || rig.Overflowed();
        });
        const double idleSeconds = probe.Wait(20000);
        rig.device.Join();

        const bool overflow = rig.Overflowed();
        if (overflow || rig.form.State().LimitCount <= limit) {
            const double samples = double(rig.form.State().SampleCount);
            repetitions.Fail(state,
                             "stopped before the limit "
                                     + Figures(idleSeconds, samples, overflow, probe));
            break;
        }
        const double seconds = std::chrono::duration<double>(rig.runEnd.enabledAt - start).count();
        const double samples = Report(state, rig, probe, seconds);
        state.counters["stop_ms"]
                = std::chrono::duration<double, std::milli>(rig.messageShown - rig.runEnd.enabledAt)
                          .count();
        if (!SamplesInOrder(*ui.RChart1, channels)) {
            repetitions.Fail(state, "samples lost or out of order");
            break;
        }
        if (FellBehind(state, repetitions, samples, seconds, linesPerSecond))
            break;
    }
}

// Trend mode for ten seconds: the list stays bounded, the update timer keeps painting and the
// window keeps answering while every line arrives.
void RunTrendSustained(benchmark::State &state, Repetitions &repetitions, int channels)
{
    const long linesPerSecond = state.range(0);
    constexpr long kSeconds = 10;
    for (auto _ : state) {
        if (!repetitions.Go(state))
            break;
        WindowRig rig(channels);
        Ui::TForm1 &ui = rig.form.Form();
        ui.TrendCheckBox->setChecked(true);
        UiProbe probe(rig.form);
        RunGuarded([&] { ui.StartButton->click(); });
        const long lines = linesPerSecond * kSeconds;
        rig.device.Start(lines, linesPerSecond);
        probe.Start([&] {
            return rig.form.State().SampleCount >= lines - 1 || ui.StartButton->isEnabled();
        });
        const double seconds = probe.Wait(int(kSeconds * 1000 * 3));
        rig.device.Join();

        const bool overflow = rig.Overflowed();
        const double samples = Report(state, rig, probe, seconds);
        RunGuarded([&] { ui.StopButton->click(); });
        if (overflow || samples < double(lines - 1)) {
            repetitions.Fail(state, "stopped " + Figures(seconds, samples, overflow, probe));
            break;
        }
        if (FellBehind(state, repetitions, samples, seconds, linesPerSecond))
            break;
        if (probe.LongestPaintGapMs() > 60 || probe.LongestInputWaitMs() > 50) {
            repetitions.Fail(state, "paints more than 60 ms apart or input waited more than 50 ms");
            break;
        }
    }
}

} // namespace

// One channel up to the 100,000-sample limit.
static void BM_PtyWindowUnpacedOneChannelToLimit(benchmark::State &state)
{
    static Repetitions repetitions;
    RunToLimit(state, repetitions, 1);
}
BENCHMARK(BM_PtyWindowUnpacedOneChannelToLimit)
        ->Arg(4000000)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);

// Two channels up to the 50,000-pair limit; the argument counts pairs (lines) per second.
static void BM_PtyWindowUnpacedTwoChannelsToLimit(benchmark::State &state)
{
    static Repetitions repetitions;
    RunToLimit(state, repetitions, 2);
}
BENCHMARK(BM_PtyWindowUnpacedTwoChannelsToLimit)
        ->Arg(2000000)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);

static void BM_PtyWindowUnpacedTrendSustained(benchmark::State &state)
{
    static Repetitions repetitions;
    RunTrendSustained(state, repetitions, 1);
}
BENCHMARK(BM_PtyWindowUnpacedTrendSustained)
        ->Arg(2000000)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);

// Two channels in trend mode: every sample adds and removes an item per channel and moves both
// layers' ranges. The argument counts pairs (lines) per second.
static void BM_PtyWindowUnpacedTwoChannelTrendSustained(benchmark::State &state)
{
    static Repetitions repetitions;
    RunTrendSustained(state, repetitions, 2);
}
BENCHMARK(BM_PtyWindowUnpacedTwoChannelTrendSustained)
        ->Arg(1000000)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);

// Eight channels up to the 12,500-sample limit; the argument counts lines (eight values each)
// per second.
static void BM_PtyWindowUnpacedEightChannelsToLimit(benchmark::State &state)
{
    static Repetitions repetitions;
    RunToLimit(state, repetitions, 8);
}
BENCHMARK(BM_PtyWindowUnpacedEightChannelsToLimit)
        ->Arg(600000)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);

// Eight channels in trend mode: eight items added and removed and eight ranges moved per line.
static void BM_PtyWindowUnpacedEightChannelTrendSustained(benchmark::State &state)
{
    static Repetitions repetitions;
    RunTrendSustained(state, repetitions, 8);
}
BENCHMARK(BM_PtyWindowUnpacedEightChannelTrendSustained)
        ->Arg(500000)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);
