#include "serial/data_packet.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Lines(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 16);
    while (text.size() < bytes)
        text += "12.345;6.789\r\n";
    return text;
}

} // namespace

// The acquisition's framing: start LF, stop CR, 10 MB of lines in 4 KiB blocks.
static void BM_FramerLines4KiBBlocks(benchmark::State &state)
{
    const std::string stream = Lines(10 << 20);
    constexpr std::size_t kBlock = 4096;
    TComDataPacket framer;
    framer.SetStartString("\n");
    framer.SetStopString("\r");
    framer.SetMaxBufferSize(2048);
    std::size_t packets = 0;
    framer.OnPacket = [&packets](TComDataPacket *, const std::string &) { ++packets; };
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.size(); at += kBlock) {
            const std::size_t n = std::min(kBlock, stream.size() - at);
            framer.AppendReceived(nullptr, stream.data() + at, int(n));
        }
    }
    benchmark::DoNotOptimize(packets);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
    state.counters["packets"] = double(packets) / double(state.iterations());
}
BENCHMARK(BM_FramerLines4KiBBlocks)->Unit(benchmark::kMillisecond);

// A long stretch without any packet: each block searches the pending text again.
static void BM_FramerNoPacketFlushAtLimit(benchmark::State &state)
{
    const std::string stream(10 << 20, 'x');
    TComDataPacket framer;
    framer.SetStartString("\n");
    framer.SetStopString("\r");
    framer.SetMaxBufferSize(2048);
    for (auto _ : state) {
        framer.AppendReceived(nullptr, "\n");
        for (std::size_t at = 0; at < stream.size(); at += 1000)
            framer.AppendReceived(nullptr, stream.data() + at, 1000);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
}
BENCHMARK(BM_FramerNoPacketFlushAtLimit)->Unit(benchmark::kMillisecond);
