#include "platform/demo_device.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "support/event_wait.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

int ThreadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                       .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                       .size());
}

bool ParseTwoNumbers(const std::string &text, double &a, double &b)
{
    const auto semicolon = text.find(';');
    if (semicolon == std::string::npos)
        return false;
    const char *end = text.data() + text.size();
    const auto first = std::from_chars(text.data(), text.data() + semicolon, a);
    const auto second = std::from_chars(text.data() + semicolon + 1, end, b);
    return first.ptr == text.data() + semicolon && second.ptr == end;
}

using EightValues = std::array<double, Demo8Signal::Channels>;

// One DEMO 8 line without its CR LF: eight fields of digits, '.', three digits, separated by ';'.
bool ParseEightNumbers(const std::string &text, EightValues &values)
{
    std::size_t begin = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool last = i + 1 == values.size();
        const std::size_t end = last ? text.size() : text.find(';', begin);
        if (end == std::string::npos)
            return false;
        const std::string field = text.substr(begin, end - begin);
        const std::size_t point = field.find('.');
        if (point == 0 || point == std::string::npos || field.size() - point != 4
            || field.find_first_not_of("0123456789.") != std::string::npos)
            return false;
        if (std::from_chars(field.data(), field.data() + field.size(), values[i]).ptr
            != field.data() + field.size())
            return false;
        begin = end + 1;
    }
    return true;
}

// The demo port as the application uses it: framed between LF and CR.
class DemoPort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        port.SetPort(DemoPortName);
        port.SetBaudRate(TBaudRate::brCustom);
        port.SetCustomBaudRate(115200);
        port.Buffer().SetInputSize(128000);
        port.SetTriggersOnRxChar(false);
        framer.SetStartString("\n");
        framer.SetStopString("\r");
        framer.OnPacket = [this](TComDataPacket *, const std::string &s) { packets.push_back(s); };
        framer.SetComPort(&port);
    }

    TComPort port;
    TComDataPacket framer;
    std::vector<std::string> packets;
};

TEST_F(DemoPort, SendsPacedLinesOfTwoValuesInRange)
{
    const int threadsBefore = ThreadCount();
    port.Open();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ProcessEventsUntil([&] { return packets.size() >= 400; }, 10000));
    const double seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // 115200 bits/s carry 11520 bytes/s; a line holds at most 16 bytes.
    EXPECT_GE(seconds, 400 * 13 / 11520.0 * 0.8);
    for (const std::string &packet : packets) {
        double a = 0, b = 0;
        ASSERT_TRUE(ParseTwoNumbers(packet, a, b)) << packet;
        EXPECT_TRUE(a >= 0 && a <= 10) << packet;
        EXPECT_TRUE(b >= 0 && b <= 10) << packet;
        EXPECT_NE(packet, "clr");
    }

    port.Close();
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() == threadsBefore; }));
}

TEST_F(DemoPort, EightChannelPortSendsPacedLinesOfEightValuesInRange)
{
    port.SetPort(Demo8PortName);
    port.Open();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ProcessEventsUntil([&] { return packets.size() >= 200; }, 10000));
    const double seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double bytes = 0;
    for (const std::string &packet : packets) {
        EightValues values {};
        ASSERT_TRUE(ParseEightNumbers(packet, values)) << packet;
        for (const double value : values)
            EXPECT_TRUE(value >= 0 && value <= 10) << packet;
        bytes += double(packet.size() + 2);
    }
    // 115200 bits/s carry 11520 bytes/s, whatever the length of a line.
    EXPECT_GE(seconds, bytes / 11520.0 * 0.8);
}

TEST_F(DemoPort, OnlyOneOfTheDemoPortsOpensAtATime)
{
    port.Open();
    TComPort eight;
    eight.SetPort(Demo8PortName);
    EXPECT_THROW(eight.Open(), EComPort);
    port.Close();
    eight.Open();
    EXPECT_TRUE(eight.Connected());
    EXPECT_THROW(port.Open(), EComPort);
}

TEST_F(DemoPort, AnswersEveryLineWithAnEcho)
{
    port.Open();
    EXPECT_EQ(port.SendString("hello\r\n"), 7);
    EXPECT_EQ(port.SendString("x\r"), 2);
    auto echoes = [&] {
        std::vector<std::string> found;
        for (const std::string &p : packets)
            if (p.rfind("echo: ", 0) == 0)
                found.push_back(p);
        return found;
    };
    ASSERT_TRUE(ProcessEventsUntil([&] { return echoes().size() == 2; }));
    EXPECT_EQ(echoes(), (std::vector<std::string> {"echo: hello", "echo: x"}));
}

TEST_F(DemoPort, OpensOnlyOnceAtATime)
{
    port.Open();
    TComPort second;
    second.SetPort(DemoPortName);
    EXPECT_THROW(second.Open(), EComPort);
    port.Close();
    second.Open();
    EXPECT_TRUE(second.Connected());
}

// Both channels fit the window's design ranges (0..10 on both channel pages), and the design's
// 1,000 samples show at least one full period of each, wherever a run begins.
TEST(DemoSignal, BothChannelsSweepTheirRangeWithinAThousandSamples)
{
    DemoSignal signal;
    std::vector<double> channels[2];
    for (std::uint64_t i = 0; i < 3000; ++i) {
        const std::string line = signal.Line(i);
        ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
        double a = 0, b = 0;
        ASSERT_TRUE(ParseTwoNumbers(line.substr(0, line.size() - 2), a, b)) << line;
        channels[0].push_back(a);
        channels[1].push_back(b);
    }
    for (const std::vector<double> &values : channels) {
        for (const std::size_t start : {0, 137, 1999}) {
            const auto first = values.begin() + std::ptrdiff_t(start);
            const auto last = first + 1000;
            const auto [low, high] = std::minmax_element(first, last);
            EXPECT_GE(*low, 0.0);
            EXPECT_LE(*high, 10.0);
            EXPECT_LT(*low, 0.5) << "from sample " << start;
            EXPECT_GT(*high, 9.5) << "from sample " << start;
            int crossings = 0;
            for (auto it = first + 1; it != last; ++it)
                crossings += (*(it - 1) < 5.0) != (*it < 5.0);
            EXPECT_GE(crossings, 2) << "from sample " << start;
        }
    }
}

// The channels of DEMO 8's first `lines` lines, each line checked for its format.
std::vector<std::vector<double>> Demo8Channels(std::uint64_t lines)
{
    const Demo8Signal signal;
    std::vector<std::vector<double>> channels(Demo8Signal::Channels);
    for (std::uint64_t i = 0; i < lines; ++i) {
        const std::string line = signal.Line(i);
        EightValues values {};
        EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2) << line;
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        EXPECT_TRUE(ParseEightNumbers(line.substr(0, line.size() - 2), values)) << line;
        for (std::size_t c = 0; c < values.size(); ++c)
            channels[c].push_back(values[c]);
    }
    return channels;
}

double Correlation(const std::vector<double> &a, const std::vector<double> &b)
{
    const double n = double(a.size());
    double meanA = 0, meanB = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        meanA += a[i] / n;
        meanB += b[i] / n;
    }
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return ab / std::sqrt(aa * bb);
}

// Each channel stays in the window's design range 0..10, shows a clear swing in any 1,000
// samples (the fast display), and a periodic one repeats within them.
TEST(Demo8Signal, EveryChannelFitsTheRangeAndShowsItsShapeInAThousandSamples)
{
    struct Case
    {
        const char *name;
        std::size_t channel;
        std::size_t period; // 0: not periodic
    };
    const Case cases[] = {
            {.name = "sine", .channel = 0, .period = 250},
            {.name = "triangle", .channel = 1, .period = 400},
            {.name = "square", .channel = 2, .period = 200},
            {.name = "sawtooth", .channel = 3, .period = 300},
            {.name = "noise", .channel = 4, .period = 0},
            {.name = "drift", .channel = 5, .period = 0},
            {.name = "staircase", .channel = 6, .period = 500},
            {.name = "chirp", .channel = 7, .period = 800},
    };
    const auto channels = Demo8Channels(4000);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> &values = channels[c.channel];
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        EXPECT_GE(*low, 0.0);
        EXPECT_LE(*high, 10.0);
        for (const std::size_t start : {0, 137, 2999}) {
            const auto first = values.begin() + std::ptrdiff_t(start);
            const auto [windowLow, windowHigh] = std::minmax_element(first, first + 1000);
            EXPECT_GE(*windowHigh - *windowLow, 3.0) << "from sample " << start;
        }
        EXPECT_LE(c.period, 1000u);
        if (c.period > 0) {
            EXPECT_TRUE(std::equal(values.begin() + std::ptrdiff_t(c.period), values.end(),
                                   values.begin()))
                    << "does not repeat every " << c.period << " lines";
        }
    }
    for (std::size_t a = 0; a < channels.size(); ++a)
        for (std::size_t b = a + 1; b < channels.size(); ++b)
            EXPECT_LT(std::abs(Correlation(channels[a], channels[b])), 0.9)
                    << "channels " << a << " and " << b << " look alike";
}

// The two channels without a period: noise changes a lot from line to line, drift hardly.
TEST(Demo8Signal, NoiseIsRoughAndDriftIsSmooth)
{
    const auto channels = Demo8Channels(3000);
    const auto meanStep = [](const std::vector<double> &values) {
        double sum = 0;
        for (std::size_t i = 1; i < values.size(); ++i)
            sum += std::abs(values[i] - values[i - 1]);
        return sum / double(values.size() - 1);
    };
    EXPECT_GT(meanStep(channels[4]), 0.5);
    EXPECT_LT(meanStep(channels[5]), 0.05);
}

} // namespace
