#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "support/event_wait.h"
#include "support/message_recorder.h"
#include "support/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

// The port as the application sets it up, on the slave of a fresh pseudo-terminal.
class PortOnPty : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsOpen());
        port.SetPort(pty.SlavePath());
        port.SetEvents({TComEvent::evRxChar, TComEvent::evRxFlag, TComEvent::evError,
                        TComEvent::evRx80Full});
        port.SetSyncMethod(TSyncMethod::smWindowSync);
        port.SetTriggersOnRxChar(false);
        port.Buffer().SetInputSize(128000);
        port.SetBaudRate(TBaudRate::brCustom);
        port.SetCustomBaudRate(115200);
    }

    // A framer as the application sets it up, recording its packets.
    void FrameLines(TComDataPacket &framer)
    {
        framer.SetStartString("\n");
        framer.SetStopString("\r");
        framer.OnPacket = [this](TComDataPacket *, const std::string &s) { packets.push_back(s); };
        framer.SetComPort(&port);
    }

    // A link that records the blocks it receives.
    void RecordBlocks()
    {
        blockLink.RxBlock = [this](TCustomComPort *, const std::string &block, int count) {
            EXPECT_EQ(int(block.size()), count);
            blocks.push_back(block);
            received += block.size();
        };
        port.AttachLink(&blockLink);
    }

    MessageRecorder messages;
    PseudoTerminal pty;
    TComPort port;
    TComLink blockLink;
    std::vector<std::string> blocks;
    std::vector<std::string> packets;
    std::size_t received = 0;
};

TEST_F(PortOnPty, OpenAndCloseRaiseEventsInOrder)
{
    std::vector<std::string> log;
    TComLink link;
    auto state = [&log](const char *name) {
        return [&log, name](TCustomComPort *, bool on) {
            log.push_back(name + std::to_string(on));
        };
    };
    link.ConnChanged = state("Conn");
    link.CtsChanged = state("Cts");
    link.DsrChanged = state("Dsr");
    link.RlsdChanged = state("Rlsd");
    port.AttachLink(&link);
    auto note = [&log](const char *name) {
        return [&log, name](TCustomComPort *) { log.push_back(name); };
    };
    port.OnBeforeOpen = note("BeforeOpen");
    port.OnAfterOpen = note("AfterOpen");
    port.OnBeforeClose = note("BeforeClose");
    port.OnAfterClose = note("AfterClose");
    port.OnCTSChange = state("OnCTS");
    port.OnDSRChange = state("OnDSR");
    port.OnRLSDChange = state("OnRLSD");

    port.SetConnected(true);
    EXPECT_TRUE(port.Connected());
    EXPECT_TRUE(port.EventThreadRunning());
    EXPECT_EQ(log,
              (std::vector<std::string> {"BeforeOpen", "Conn1", "AfterOpen", "Cts0", "OnCTS0",
                                         "Dsr0", "OnDSR0", "Rlsd0", "OnRLSD0"}));
    log.clear();
    port.SetConnected(true);
    EXPECT_TRUE(log.empty());

    port.SetConnected(false);
    EXPECT_EQ(log,
              (std::vector<std::string> {"Cts0", "Dsr0", "Rlsd0", "OnCTS0", "OnDSR0", "OnRLSD0",
                                         "BeforeClose", "Conn0", "AfterClose"}));
    EXPECT_FALSE(port.EventThreadRunning());
    port.DetachLink(&link);
}

TEST_F(PortOnPty, SecondOpenOfAnOpenPortFails)
{
    port.Open();
    TComPort second;
    second.SetPort(pty.SlavePath());
    try {
        second.Open();
        FAIL() << "opened twice";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.ErrorCode(), 1);
        EXPECT_EQ(e.OsError(), EWOULDBLOCK);
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Unable to open com port (Error: %1)").arg(EWOULDBLOCK));
    }
    EXPECT_FALSE(second.Connected());
    EXPECT_FALSE(second.EventThreadRunning());
    // Once the first one let go, the device opens again.
    port.Close();
    second.Open();
    EXPECT_TRUE(second.Connected());
}

TEST_F(PortOnPty, PortChangeWhileOpenReopens)
{
    PseudoTerminal other;
    std::vector<bool> conn;
    TComLink link;
    link.ConnChanged = [&conn](TCustomComPort *, bool on) { conn.push_back(on); };
    port.AttachLink(&link);
    RecordBlocks();
    port.Open();
    port.SetPort(other.SlavePath());
    EXPECT_EQ(conn, (std::vector<bool> {true, false, true}));
    ASSERT_TRUE(other.Write("abc"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return received == 3; }));
    port.DetachLink(&link);
}

TEST_F(PortOnPty, SyncMethodCannotChangeWhileOpen)
{
    port.Open();
    try {
        port.SetSyncMethod(TSyncMethod::smThreadSync);
        FAIL();
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Message(), "Cannot set property while connected");
    }
    EXPECT_EQ(port.SyncMethod(), TSyncMethod::smWindowSync);
    port.SetSyncMethod(TSyncMethod::smWindowSync); // same value: fine
}

TEST_F(PortOnPty, EachNotificationReadsEverythingQueuedAsOneBlock)
{
    std::vector<std::string> order;
    TComLink second;
    second.RxBlock = [&](TCustomComPort *, const std::string &block, int) {
        order.push_back("second:" + block);
    };
    RecordBlocks();
    port.AttachLink(&second);
    port.Open();

    ASSERT_TRUE(pty.Write("12345"));
    ASSERT_TRUE(pty.Write("678"));
    ASSERT_TRUE(WaitUntil([&] { return port.QueuedInput() == 8; }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 8; }));
    ASSERT_TRUE(pty.Write("9"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 9; }));
    EXPECT_EQ(blocks, (std::vector<std::string> {"12345678", "9"}));
    EXPECT_EQ(order, (std::vector<std::string> {"second:12345678", "second:9"}));
    EXPECT_EQ(port.QueuedInput(), 0);
    port.DetachLink(&second);
}

TEST_F(PortOnPty, DiscardNullDropsNulBytes)
{
    port.SetDiscardNull(true);
    RecordBlocks();
    port.Open();
    ASSERT_TRUE(pty.Write(std::string("a\0b\0\0c", 6)));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 3; }));
    EXPECT_EQ(blocks, std::vector<std::string> {"abc"});
}

TEST_F(PortOnPty, FramerGetsPacketsSplitOverBlocksInOrder)
{
    TComDataPacket framer;
    FrameLines(framer);
    port.Open();
    ASSERT_TRUE(pty.Write("0\r\n1\r\n2\r\n3"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return packets.size() == 2; }));
    ASSERT_TRUE(pty.Write(".5\r\n"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return packets.size() == 3; }));
    EXPECT_EQ(packets, (std::vector<std::string> {"1", "2", "3.5"}));
}

TEST_F(PortOnPty, SendStringReachesTheDevice)
{
    std::vector<std::string> written;
    std::vector<bool> txActive;
    TComLink link;
    link.TxBlock
            = [&](TCustomComPort *, const std::string &block, int) { written.push_back(block); };
    link.TxActive = [&](TCustomComPort *, bool on) { txActive.push_back(on); };
    port.AttachLink(&link);
    port.Open();
    EXPECT_EQ(port.SendString(""), 0);
    EXPECT_EQ(port.SendString("hello\r\n"), 7);
    EXPECT_EQ(pty.Read(7), "hello\r\n");
    EXPECT_EQ(written, std::vector<std::string> {"hello\r\n"});
    EXPECT_EQ(txActive, std::vector<bool> {true});
    port.DetachLink(&link);
}

TEST_F(PortOnPty, WriteGivesUpAfterTheTimeout)
{
    port.Timeouts().SetWriteTotalMultiplier(0);
    port.Timeouts().SetWriteTotalConstant(50);
    port.Open();
    const std::string big(4 << 20, 'x'); // far more than the pseudo-terminal holds unread
    const int sent = port.SendString(big);
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, int(big.size()));
}

TEST_F(PortOnPty, WarnsAtEightyPercent)
{
    port.Buffer().SetInputSize(1000);
    int warnings = 0;
    port.OnRx80Full = [&](TCustomComPort *) { ++warnings; };
    RecordBlocks();
    port.Open();
    ASSERT_TRUE(pty.Write(std::string(700, 'a')));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 700; }));
    EXPECT_EQ(warnings, 0);
    ASSERT_TRUE(pty.Write(std::string(900, 'b')));
    ASSERT_TRUE(ProcessEventsUntil([&] { return warnings == 1; }));
}

// The event thread reads from the moment the port opens. Bytes the device held at open, even
// once read into the queue and announced, must wait for the caller's purge right after Open.
TEST_F(PortOnPty, BytesHeldAtOpenDoNotSlipPastThePurgeAfterIt)
{
    RecordBlocks();
    ASSERT_TRUE(pty.Write("stale"));
    port.Open();
    ASSERT_TRUE(WaitUntil([&] { return port.QueuedInput() == 5; }));
    port.PurgeBuffers(true, true);
    ASSERT_TRUE(pty.Write("fresh"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received >= 5; }));
    EXPECT_EQ(blocks, std::vector<std::string> {"fresh"});
    port.Close();
}

// A purge voids what arrived before it: the queued bytes, the hand-over already waiting for
// the user-interface thread (with its 80 % warning) and a framer's partial packet.
TEST_F(PortOnPty, PurgeVoidsEverythingThatArrivedBeforeIt)
{
    port.Buffer().SetInputSize(1000);
    int warnings = 0;
    port.OnRx80Full = [&](TCustomComPort *) { ++warnings; };
    TComDataPacket framer;
    FrameLines(framer);
    RecordBlocks();
    port.Open();

    ASSERT_TRUE(pty.Write("\n12"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 3; }));
    ASSERT_TRUE(pty.Write(std::string(900, 'a')));
    ASSERT_TRUE(WaitUntil([&] { return port.QueuedInput() == 900; }));
    port.PurgeBuffers(true, false);
    EXPECT_EQ(port.QueuedInput(), 0);

    ASSERT_TRUE(pty.Write("3\r\n4\r"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 8; }));
    EXPECT_EQ(blocks.back(), "3\r\n4\r");
    EXPECT_EQ(packets, std::vector<std::string> {"4"});
    EXPECT_EQ(warnings, 0);
}

TEST_F(PortOnPty, FullQueueHoldsTheSenderBackWithoutLoss)
{
    port.Buffer().SetInputSize(1000);
    RecordBlocks();
    port.Open();
    std::string sent;
    for (int i = 0; sent.size() < 300000; ++i)
        sent += std::to_string(i) + ";";
    std::thread writer([&] { pty.Write(sent); });
    const bool complete = ProcessEventsUntil([&] { return received >= sent.size(); }, 20000);
    writer.join();
    ASSERT_TRUE(complete);
    std::string got;
    for (const std::string &block : blocks) {
        EXPECT_LE(block.size(), 1000u);
        got += block;
    }
    EXPECT_TRUE(got == sent);
}

// A device that writes a little every millisecond has its data gathered before it is handed
// over; nothing may be lost, reordered or held back at the end.
TEST_F(PortOnPty, ATrickleOfSmallWritesArrivesWholeAndInOrder)
{
    RecordBlocks();
    port.Open();
    std::vector<std::string> chunks;
    std::string sent;
    for (int i = 0; i < 300; ++i) {
        chunks.push_back(std::to_string(i) + ";");
        sent += chunks.back();
    }
    std::thread writer([&] {
        for (const std::string &chunk : chunks) {
            if (!pty.Write(chunk))
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const bool complete = ProcessEventsUntil([&] { return received >= sent.size(); }, 20000);
    writer.join();
    ASSERT_TRUE(complete);
    std::string got;
    for (const std::string &block : blocks)
        got += block;
    EXPECT_EQ(got, sent);
}

TEST_F(PortOnPty, HungUpDeviceIsReportedOnceAndThePortCloses)
{
    std::vector<TComErrors> errors;
    port.OnError = [&](TCustomComPort *, TComErrors e) { errors.push_back(e); };
    int afterClose = 0;
    port.OnAfterClose = [&](TCustomComPort *) { ++afterClose; };
    std::vector<bool> conn;
    TComLink link;
    link.ConnChanged = [&conn](TCustomComPort *, bool on) { conn.push_back(on); };
    port.AttachLink(&link);
    port.Open();

    pty.CloseMaster();
    // The thread stops waiting on the dead device by itself: it cannot spin.
    ASSERT_TRUE(WaitUntil([&] { return !port.EventThreadRunning(); }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !port.Connected(); }));
    EXPECT_EQ(errors, std::vector<TComErrors> {TComErrors {TComError::ceIO}});
    EXPECT_EQ(afterClose, 1);
    EXPECT_EQ(conn, (std::vector<bool> {true, false}));
    QCoreApplication::processEvents();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(messages.Errors.isEmpty());
    port.DetachLink(&link);
}

TEST_F(PortOnPty, HandlerExceptionIsShownOnceAndThePortStaysOpen)
{
    TComDataPacket framer;
    framer.SetStartString("\n");
    framer.SetStopString("\r");
    std::vector<std::string> packets;
    framer.OnPacket = [&](TComDataPacket *, const std::string &s) {
        packets.push_back(s);
        if (s == "bad")
            throw Exception(QStringLiteral("bad packet"));
    };
    framer.SetComPort(&port);
    port.Open();
    ASSERT_TRUE(pty.Write("\nbad\r\n1\r"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Errors.isEmpty(); }));
    ASSERT_TRUE(pty.Write("\n2\r"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return packets.size() == 3; }));
    EXPECT_EQ(packets, (std::vector<std::string> {"bad", "1", "2"}));
    EXPECT_EQ(messages.Errors, QStringList {"bad packet"});
    EXPECT_TRUE(port.Connected());
}

TEST_F(PortOnPty, TriggersOnRxCharLeavesBytesUntilABlockLinkComes)
{
    port.SetTriggersOnRxChar(true);
    std::vector<int> counts;
    port.OnRxChar = [&](TCustomComPort *, int count) { counts.push_back(count); };
    port.Open();
    ASSERT_TRUE(pty.Write("abc"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts, std::vector<int> {3});
    EXPECT_EQ(port.QueuedInput(), 3);

    RecordBlocks();
    ASSERT_TRUE(pty.Write("d"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == 4; }));
    EXPECT_EQ(blocks, std::vector<std::string> {"abcd"});
    EXPECT_EQ(counts.size(), 1u);
}

TEST_F(PortOnPty, WithoutEventsNothingIsReadOrDelivered)
{
    port.SetEvents({});
    RecordBlocks();
    port.Open();
    EXPECT_FALSE(port.EventThreadRunning());
    ASSERT_TRUE(pty.Write("abc"));
    // The bytes wait in the queue for the application; no hand-over delivers them.
    ASSERT_TRUE(WaitUntil([&] { return port.QueuedInput() == 3; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(blocks.empty());
    std::string text;
    EXPECT_EQ(port.ReadStr(text, 10), 3);
    EXPECT_EQ(text, "abc");
}

TEST_F(PortOnPty, HandOverPendingAtCloseIsIgnored)
{
    RecordBlocks();
    port.Open();
    ASSERT_TRUE(pty.Write("abc"));
    ASSERT_TRUE(WaitUntil([&] { return port.QueuedInput() == 3; }));
    port.Close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(blocks.empty());
    // A reopened port starts with an empty queue and delivers new bytes.
    port.Open();
    ASSERT_TRUE(pty.Write("d"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return received >= 1; }));
    EXPECT_EQ(blocks.back(), "d");
}

} // namespace
