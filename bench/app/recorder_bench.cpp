#include "app/run/sample_recorder.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const QString BenchFile = QDir::temp().filePath("vantor_recorder_bench.csv");

QStringList ChannelNames(int channels)
{
    QStringList names;
    for (int c = 0; c < channels; ++c)
        names << QStringLiteral("U%1").arg(c + 1);
    return names;
}

std::vector<float> Values(size_t count)
{
    std::vector<float> values(count);
    for (size_t i = 0; i < count; ++i)
        values[i] = float(i % 1000) * 0.37f - 50.0f;
    return values;
}

} // namespace

// The caller's cost per sample: copying one device read's values into a block and queueing it,
// one channel. Argument: samples per device read. When the writer falls behind and the queue
// fills, the recording is restarted untimed.
static void BM_RecorderAppend(benchmark::State &state)
{
    const size_t samples = size_t(state.range(0));
    const std::vector<float> source = Values(samples);
    SampleRecorder recorder;
    recorder.Start(BenchFile, ChannelNames(1));
    const auto now = RecordingFormat::Clock::now();
    for (auto _ : state) {
        SampleBlock block {now, std::vector<float>(source.begin(), source.end())};
        if (!recorder.Append(std::move(block))) {
            state.PauseTiming();
            recorder.Start(BenchFile, ChannelNames(1));
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(samples));
    recorder.Stop();
    QFile::remove(BenchFile);
}
BENCHMARK(BM_RecorderAppend)->Arg(1)->Arg(16)->Arg(256);

// The writer's sustained rate to a file in the temporary folder: a million samples queued in
// reads of 256, timed until Stop has written and closed the file. Argument: channels.
static void BM_RecorderWriter(benchmark::State &state)
{
    const int channels = int(state.range(0));
    constexpr size_t Samples = 1 << 20;
    constexpr size_t PerRead = 256;
    const std::vector<float> source = Values(PerRead * size_t(channels));
    SampleRecorder recorder;
    recorder.SetQueueCapacity(Samples);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<SampleBlock> blocks;
        auto readTime = RecordingFormat::Clock::now();
        for (size_t i = 0; i < Samples / PerRead; ++i, readTime += std::chrono::microseconds(2560))
            blocks.push_back({readTime, source});
        recorder.Start(BenchFile, ChannelNames(channels));
        state.ResumeTiming();
        for (SampleBlock &block : blocks)
            recorder.Append(std::move(block));
        recorder.Stop();
        if (recorder.Status().samples != qint64(Samples))
            state.SkipWithError("the recording ended early");
    }
    state.SetItemsProcessed(state.iterations() * int64_t(Samples));
    state.counters["MB/s"] = benchmark::Counter(double(recorder.Status().bytes) * 1e-6
                                                        * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
    QFile::remove(BenchFile);
}
BENCHMARK(BM_RecorderWriter)->Arg(1)->Arg(2)->Arg(8)->UseRealTime()->Unit(benchmark::kMillisecond);
