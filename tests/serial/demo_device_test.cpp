#include "platform/demo_device.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "support/event_wait.h"

#include <QDir>

#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
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
        EXPECT_TRUE(b >= 0 && b <= 50) << packet;
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

TEST(DemoSignal, StaysInRangeOverBothPeriods)
{
    DemoSignal signal;
    double minA = 1e9, maxA = -1e9, minB = 1e9, maxB = -1e9;
    for (int i = 0; i < 6000; ++i) {
        std::string line = signal.LineAt(i * 0.01);
        ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
        double a = 0, b = 0;
        ASSERT_TRUE(ParseTwoNumbers(line.substr(0, line.size() - 2), a, b)) << line;
        minA = std::min(minA, a), maxA = std::max(maxA, a);
        minB = std::min(minB, b), maxB = std::max(maxB, b);
    }
    EXPECT_NEAR(minA, 0, 0.01);
    EXPECT_NEAR(maxA, 10, 0.01);
    EXPECT_NEAR(minB, 0, 1);
    EXPECT_NEAR(maxB, 50, 1);
}

} // namespace
