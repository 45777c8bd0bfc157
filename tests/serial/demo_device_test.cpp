#include "platform/demo_device.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "support/event_wait.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <chrono>
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

} // namespace
