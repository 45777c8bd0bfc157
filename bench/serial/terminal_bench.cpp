// Terminal throughput: received text drawn cell by cell, lines scrolled by moving pixels.
#include "serial/com_terminal.h"
#include "serial/escape_codes_vt100.h"

#include <benchmark/benchmark.h>

namespace {

// Lines of 78 printable bytes and CR LF, as a device logging text sends them.
std::string LogLines(int count)
{
    std::string text;
    for (int line = 0; line < count; ++line) {
        std::string body = "sample " + std::to_string(line) + ";";
        body.resize(78, '0' + static_cast<char>(line % 10));
        text += body + "\r\n";
    }
    return text;
}

void BM_TerminalLogLines(benchmark::State &state)
{
    TComTerminal terminal;
    terminal.SetEmulation(TTermEmulation::teNone);
    terminal.SetRows(20);
    terminal.SetWrapLines(true);
    terminal.resize(721, 369);
    const std::string text = LogLines(200);
    for (auto _ : state)
        terminal.ShowText(text);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TerminalLogLines)->Unit(benchmark::kMillisecond);

void BM_TerminalVt100Parse(benchmark::State &state)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "\x1b[" + std::to_string(i % 20 + 1) + ";5H\x1b[1;32mvalue\x1b[0m\x1b[K";
    TEscapeCodesVT100 parser;
    for (auto _ : state) {
        for (char b : text) {
            if (parser.FeedByte(b) == TEscapeParseResult::epCode)
                parser.Params().clear();
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TerminalVt100Parse);

} // namespace
