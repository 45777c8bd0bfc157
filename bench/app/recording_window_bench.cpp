// A long trend run of the real window with every sample recorded to a file: a writer thread in
// this process plays the device on a pseudo-terminal at the asked rate. The run fails when the
// window stopped ("Buffer Overflow"), the recording ended by itself, or the file does not hold
// every sample in order. Counters: the resident size at the start and the end of the run, and
// the seconds it took to write out what was queued at Stop.
#include "app/run/run_recording.h"
#include "pty_window_rig.h"

#include <QFile>
#include <QStandardPaths>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using bench::UiProbe;
using bench::WindowRig;

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Reads the recording back: line n + 1 (after the header) must hold sample n, which is the
// device's line n + 1 (the first line is cut off by the start marker). Returns the samples in
// order, stopping at the first that is not.
long SamplesInOrder(const std::string &path)
{
    std::array<std::string, 1000> expected;
    for (int n = 0; n < 1000; ++n)
        expected[size_t(n)] = std::to_string(n) + ".5";
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    std::vector<char> line(4096);
    long samples = -1; // the header comes first
    while (std::fgets(line.data(), int(line.size()), file)) {
        if (samples >= 0) {
            const std::string_view text(line.data());
            const size_t comma = text.rfind(',');
            const std::string_view value = text.substr(comma + 1, text.size() - comma - 2);
            if (value != expected[size_t((samples + 1) % 1000)])
                break;
        }
        ++samples;
    }
    std::fclose(file);
    return samples;
}

// The first argument is the lines per second, the second the seconds.
static void BM_PtyWindowTrendRecordingSustained(benchmark::State &state)
{
    const long linesPerSecond = state.range(0);
    const long seconds = state.range(1);
    const QString path = QStandardPaths::writableLocation(QStandardPaths::TempLocation)
            + QStringLiteral("/vantor-recording-bench.csv");
    for (auto _ : state) {
        WindowRig rig;
        Ui::TForm1 &ui = rig.form.Form();
        ui.TrendCheckBox->setChecked(true);
        rig.form.Recording().SwitchOn(path, {});
        UiProbe probe(rig.form);
        const double rssStart = ResidentMegabytes();
        RunGuarded([&] { ui.StartButton->click(); });
        const long lines = linesPerSecond * seconds;
        rig.device.Start(lines, linesPerSecond);
        probe.Start([&] {
            return rig.form.State().SampleCount >= lines - 1 || ui.StartButton->isEnabled()
                    || !rig.form.Recording().Recording();
        });
        const double runSeconds = probe.Wait(int(seconds * 1000 * 3));
        rig.device.Join();
        const double rssEnd = ResidentMegabytes();
        const bool recorded = rig.form.Recording().Recording();
        const bool overflow = rig.Overflowed();
        const double taken = double(rig.form.State().SampleCount);
        QElapsedTimer flush;
        flush.start();
        RunGuarded([&] { ui.StopButton->click(); }); // writes out the queue and closes the file
        const double flushSeconds = double(flush.nsecsElapsed()) / 1e9;

        state.SetIterationTime(runSeconds);
        state.counters["lines_per_s"] = taken / runSeconds;
        state.counters["rss_start_mb"] = rssStart;
        state.counters["rss_end_mb"] = rssEnd;
        state.counters["stop_flush_s"] = flushSeconds;
        probe.Report(state);
        if (overflow || !recorded || taken < double(lines - 1)) {
            state.SkipWithError((std::string(overflow ? "\"Buffer Overflow\"" : "")
                                 + (recorded ? "" : " the recording ended by itself") + " after "
                                 + std::to_string(long(taken)) + " samples")
                                        .c_str());
            break;
        }
        const long inFile = SamplesInOrder(QFile::encodeName(path).toStdString());
        state.counters["samples_in_file"] = double(inFile);
        QFile::remove(path);
        if (double(inFile) != taken) {
            state.SkipWithError(("the file holds " + std::to_string(inFile)
                                 + " samples in order of " + std::to_string(long(taken)))
                                        .c_str());
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_PtyWindowTrendRecordingSustained)
        ->Args({2000000, 60})
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
