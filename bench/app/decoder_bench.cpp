#include "app/run/packet_decoder.h"
#include "app/run/run_recording.h"
#include "app/run/run_settings.h"
#include "app/run/text_line_format.h"
#include "chart/rchart.h"
#include "serial/data_packet.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A fast display run in trend mode (the list stays bounded however long the benchmark runs),
// one channel, painting suppressed as during a run; the text line format feeds the decoder.
struct DecoderRig
{
    AcquisitionState state;
    RunSettings settings;
    TRChart chart;
    TComDataPacket framer;
    PacketDecoder decoder;
    std::unique_ptr<TextLineFormat> format;

    DecoderRig()
        : decoder(state, chart.Model(), {})
    {
        chart.resize(708, 384);
        chart.SetRange(1, 0, 0, 2000, 10);
        chart.SuppressPaint(true);
        settings.Fast.TrendMode = true;
        settings.Fast.XMax = 2000;
        settings.Fast.MaxSamples = 100000;
    }

    // The run begins with the settings as they are now, its samples going to sinks.
    void Begin(std::vector<SampleSink *> sinks = {})
    {
        decoder.BeginRun(settings, std::move(sinks));
        format.reset();
        format = std::make_unique<TextLineFormat>(framer, settings.Decode, decoder);
    }
};

std::vector<std::string> Packets()
{
    std::vector<std::string> packets;
    for (int i = 0; i < 1000; ++i)
        packets.push_back(std::to_string(i % 100) + "." + std::to_string(i % 7));
    return packets;
}

} // namespace

// Normal mode: every packet appends one line to a list whose room Start reserved, as in a run;
// the list is emptied (untimed) at the limit and keeps its room.
static void BM_DecoderFastDisplayOneChannel(benchmark::State &state)
{
    DecoderRig rig;
    rig.settings.Fast.TrendMode = false;
    rig.Begin();
    rig.chart.ReserveItems(100001);
    const std::vector<std::string> packets = Packets();
    size_t i = 0;
    for (auto _ : state) {
        if (rig.state.SampleCount == 100000) {
            state.PauseTiming();
            rig.decoder.Clear();
            state.ResumeTiming();
        }
        rig.format->ComDataPacket1Packet(&rig.framer, packets[i]);
        i = (i + 1) % packets.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecoderFastDisplayOneChannel);

// Trend mode: every packet appends a line, drops the oldest and moves the X range.
static void BM_DecoderFastDisplayTrend(benchmark::State &state)
{
    DecoderRig rig;
    rig.Begin();
    const std::vector<std::string> packets = Packets();
    size_t i = 0;
    for (auto _ : state) {
        rig.format->ComDataPacket1Packet(&rig.framer, packets[i]);
        i = (i + 1) % packets.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecoderFastDisplayTrend);

namespace {

// The framer cutting 4 KiB blocks of CR LF lines, each packet decoded in normal mode; with a
// recorder, every sample is recorded too.
void DecodeThroughFramer(benchmark::State &state, RunRecording *recording)
{
    DecoderRig rig;
    rig.settings.Fast.TrendMode = false;
    rig.Begin(recording ? std::vector<SampleSink *> {recording} : std::vector<SampleSink *> {});
    std::string block;
    int lines = 0;
    while (block.size() < 4096 - 16) {
        block += std::to_string(lines % 100) + ".25\r\n";
        ++lines;
    }
    rig.chart.ReserveItems(100001);
    for (auto _ : state) {
        if (rig.state.SampleCount > 99000) {
            state.PauseTiming();
            rig.decoder.Clear();
            state.ResumeTiming();
        }
        rig.framer.AppendReceived(nullptr, block);
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(block.size()));
}

} // namespace

static void BM_DecoderWithFramer(benchmark::State &state)
{
    DecodeThroughFramer(state, nullptr);
}
BENCHMARK(BM_DecoderWithFramer);

// The same with a recording on: the user-interface thread's share of it is gathering each
// block's values and handing them over; the writer thread formats and writes to /dev/null.
static void BM_DecoderWithFramerRecording(benchmark::State &state)
{
    RunRecording recording;
    recording.SwitchOn(QStringLiteral("/dev/null"), {QStringLiteral("CH1")});
    DecodeThroughFramer(state, &recording);
    if (!recording.Recording())
        state.SkipWithError("the recording ended: the writer fell behind");
    recording.SwitchOff();
}
BENCHMARK(BM_DecoderWithFramerRecording);

// Two channels in trend mode, fed through the framer in 4 KiB blocks of CR LF lines: per pair
// one line appended and one removed per channel, both layers' ranges moved once per block.
static void BM_DecoderTwoChannelTrendWithFramer(benchmark::State &state)
{
    DecoderRig rig;
    rig.settings.Decode.ChannelCount = 2;
    rig.settings.Decode.Separator = ';';
    rig.Begin();
    rig.chart.SetRange(2, 0, 0, 2000, 10);
    std::string block;
    int lines = 0;
    while (block.size() < 4096 - 16) {
        block += std::to_string(lines % 10) + ".25;" + std::to_string(9 - lines % 10) + ".5\r\n";
        ++lines;
    }
    for (auto _ : state)
        rig.framer.AppendReceived(nullptr, block);
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(block.size()));
}
BENCHMARK(BM_DecoderTwoChannelTrendWithFramer);
