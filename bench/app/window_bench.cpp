// End-to-end runs of the main window: a writer thread plays a fast device on a
// pseudo-terminal while the user-interface thread runs the window as in the program.
#include "chart/rchart.h"
#include "pty_window_rig.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

using bench::WindowRig;

template<typename Condition>
void RunUntil(Condition done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

// One channel at 200,000 lines per second up to the 100,000-sample limit.
static void BM_PtyWindowOneChannelToLimit(benchmark::State &state)
{
    for (auto _ : state) {
        WindowRig rig;
        Ui::TForm1 &ui = rig.form.Form();
        RunGuarded([&] { ui.StartButton->click(); });
        QElapsedTimer clock;
        clock.start();
        rig.device.Start(100100, 200000);
        RunUntil([&] { return ui.StartButton->isEnabled(); }, 20000);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        rig.device.Join();
        state.counters["items"] = ui.RChart1->ItemCount();
        state.counters["limit_count"] = rig.form.State().LimitCount;
        state.counters["overflow"] = rig.form.StatusText(2) == QStringLiteral("Buffer Overflow");
    }
}
BENCHMARK(BM_PtyWindowOneChannelToLimit)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);

// Trend mode at 100,000 lines per second: the list stays bounded and the update timer keeps
// painting; the counter reports the longest gap between two paints.
static void BM_PtyWindowTrendSustained(benchmark::State &state)
{
    const long seconds = state.range(0);
    for (auto _ : state) {
        WindowRig rig;
        Ui::TForm1 &ui = rig.form.Form();
        ui.TrendCheckBox->setChecked(true);
        QElapsedTimer sincePaint;
        qint64 longestGap = 0;
        int paints = 0;
        QObject::connect(&rig.form.Timer1(), &QTimer::timeout, [&] {
            if (paints++ > 0)
                longestGap = std::max(longestGap, sincePaint.elapsed());
            sincePaint.start();
        });
        RunGuarded([&] { ui.StartButton->click(); });
        QElapsedTimer clock;
        clock.start();
        const long lines = 100000 * seconds;
        rig.device.Start(lines, 100000);
        RunUntil([&] { return rig.form.State().SampleCount >= lines - 1; },
                 int(seconds * 1000 + 5000));
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        rig.device.Join();
        state.counters["samples"] = double(rig.form.State().SampleCount);
        state.counters["items"] = ui.RChart1->ItemCount();
        state.counters["paints"] = paints;
        state.counters["longest_paint_gap_ms"] = double(longestGap);
        state.counters["overflow"] = rig.form.StatusText(2) == QStringLiteral("Buffer Overflow");
        RunGuarded([&] { ui.StopButton->click(); });
    }
}
BENCHMARK(BM_PtyWindowTrendSustained)
        ->Arg(10)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
