#include "serial/com_port.h"
#include "serial/data_packet.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records packets as "P:text" and discards as "D:text", in order.
struct FramerRecorder
{
    explicit FramerRecorder(TComDataPacket &framer)
    {
        framer.OnPacket
                = [this](TComDataPacket *, const std::string &s) { events.push_back("P:" + s); };
        framer.OnDiscard
                = [this](TComDataPacket *, const std::string &s) { events.push_back("D:" + s); };
    }
    std::vector<std::string> events;
};

struct FramerSetup
{
    std::string start = "\n";
    std::string stop = "\r";
    int size = 0;
    bool caseInsensitive = false;
    bool includeStrings = false;
    int maxBufferSize = 2048;
};

void Configure(TComDataPacket &framer, const FramerSetup &setup)
{
    framer.SetStartString(setup.start);
    framer.SetStopString(setup.stop);
    framer.SetSize(setup.size);
    framer.SetCaseInsensitive(setup.caseInsensitive);
    framer.SetIncludeStrings(setup.includeStrings);
    framer.SetMaxBufferSize(setup.maxBufferSize);
}

// Feeds the blocks, then flushes so that what stayed pending shows up as a last discard.
std::vector<std::string> Frame(const FramerSetup &setup, const std::vector<std::string> &blocks)
{
    TComDataPacket framer;
    Configure(framer, setup);
    FramerRecorder recorder(framer);
    for (const std::string &block : blocks)
        framer.AppendReceived(nullptr, block);
    framer.FlushBuffer();
    return recorder.events;
}

struct StreamCase
{
    const char *name;
    FramerSetup setup;
    std::string stream;
    std::vector<std::string> expected;
};

const StreamCase kStreamCases[] = {
        {"WorkedExample", {}, "12;3\r\n45;6\r\n7;8\r\n", {"D:12;3\r", "P:45;6", "P:7;8", "D:\n"}},
        {"EmptyLineGivesEmptyPacket", {}, "\n\r\n", {"P:", "D:\n"}},
        {"StartInsideOpenPacketIsData", {}, "\n12\n34\r", {"P:12\n34"}},
        {"StopOverlappingStartIsNotSeen", {"AB", "BA"}, "ABAxBA", {"P:Ax"}},
        {"IncludeStringsKeepsMarkers",
         {.includeStrings = true},
         "x\n1\r\n2\r",
         {"D:x", "P:\n1\r", "P:\n2\r"}},
        {"CaseFoldingFindsMarkersKeepsText",
         {"abc", "!", 0, true},
         "xxABCdata!aBcMore!",
         {"D:xx", "P:data", "P:More"}},
        {"CaseFoldingOffIsExact", {"abc", "!"}, "xxABCdata!abcok!", {"D:xxABCdata!", "P:ok"}},
        {"NoStartTextStartsAtOnce", {"", "\r\n"}, "a\r\nb\r\nc", {"P:a", "P:b", "D:c"}},
        {"MultiByteMarkersSplitAnywhere",
         {"<<", ">>"},
         "junk<<one>><<two>>",
         {"D:junk", "P:one", "P:two"}},
        {"NoLimitBelowOne",
         {.maxBufferSize = 0},
         "\n" + std::string(5000, 'x'),
         {"D:\n" + std::string(5000, 'x')}},
};

class FramerStream : public ::testing::TestWithParam<StreamCase>
{ };

TEST_P(FramerStream, SameResultWhateverTheBlockSplit)
{
    const StreamCase &c = GetParam();
    EXPECT_EQ(Frame(c.setup, {c.stream}), c.expected) << "one block";
    for (std::size_t cut = 1; cut < c.stream.size(); ++cut) {
        EXPECT_EQ(Frame(c.setup, {c.stream.substr(0, cut), c.stream.substr(cut)}), c.expected)
                << "cut at " << cut;
    }
    std::vector<std::string> bytes;
    for (char ch : c.stream)
        bytes.emplace_back(1, ch);
    EXPECT_EQ(Frame(c.setup, bytes), c.expected) << "byte by byte";
}

INSTANTIATE_TEST_SUITE_P(Framer, FramerStream, ::testing::ValuesIn(kStreamCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Framer, WorkedExampleLeavesPartialPacketPendingAcrossBlocks)
{
    EXPECT_EQ(Frame({}, {"12;3\r\n45;6\r\n7"}),
              (std::vector<std::string> {"D:12;3\r", "P:45;6", "D:\n7"}));
    EXPECT_EQ(Frame({}, {"12;3\r\n45;6\r\n7", ";8\r\n"}),
              (std::vector<std::string> {"D:12;3\r", "P:45;6", "P:7;8", "D:\n"}));
}

TEST(Framer, SizeCutDependsOnBlockSplit)
{
    const FramerSetup setup {.size = 4};
    EXPECT_EQ(Frame(setup, {"\nA\rBCD"}), (std::vector<std::string> {"P:A\rB", "D:CD"}));
    EXPECT_EQ(Frame(setup, {"\nA\r", "BCD"}), (std::vector<std::string> {"P:A", "D:BCD"}));
}

TEST(Framer, WithoutStopConditionEveryBlockIsAPacket)
{
    const FramerSetup setup {.start = "\n", .stop = ""};
    EXPECT_EQ(Frame(setup, {"ab\r", "\ncd"}), (std::vector<std::string> {"P:ab\r", "P:\ncd"}));
}

TEST(Framer, OverflowDiscardsWholeBufferAtLimit)
{
    const FramerSetup setup {.maxBufferSize = 8};
    EXPECT_EQ(Frame(setup, {"\n1234567", "\r\n12\r"}),
              (std::vector<std::string> {"D:\n1234567", "D:\r", "P:12"}));
    EXPECT_EQ(Frame(setup, {"\n123456", "\r"}), (std::vector<std::string> {"P:123456"}));
}

TEST(Framer, OverflowCheckFollowsPacketExtraction)
{
    // One large block keeps the packets it completes; only the remainder is measured.
    const FramerSetup setup {.maxBufferSize = 4};
    EXPECT_EQ(Frame(setup, {"\n111\r\n222\r\n3"}),
              (std::vector<std::string> {"P:111", "P:222", "D:\n3"}));
    EXPECT_EQ(Frame({.maxBufferSize = 2048}, {"\n" + std::string(2046, 'x')}).back().size(),
              2 + 2047u); // 2047 characters stay pending
    EXPECT_EQ(Frame({.maxBufferSize = 2048}, {"\n" + std::string(2047, 'x'), "\r"}),
              (std::vector<std::string> {"D:\n" + std::string(2047, 'x'), "D:\r"}));
}

TEST(Framer, FlushingSettersDiscardOnlyOnChange)
{
    struct Setter
    {
        const char *name;
        void (*same)(TComDataPacket &);
        void (*change)(TComDataPacket &);
    };
    const Setter setters[] = {
            {"StartString", [](TComDataPacket &f) { f.SetStartString("\n"); },
             [](TComDataPacket &f) { f.SetStartString("$"); }},
            {"StopString", [](TComDataPacket &f) { f.SetStopString("\r"); },
             [](TComDataPacket &f) { f.SetStopString("\r\n"); }},
            {"Size", [](TComDataPacket &f) { f.SetSize(0); },
             [](TComDataPacket &f) { f.SetSize(10); }},
            {"CaseInsensitive", [](TComDataPacket &f) { f.SetCaseInsensitive(false); },
             [](TComDataPacket &f) { f.SetCaseInsensitive(true); }},
    };
    for (const Setter &setter : setters) {
        TComDataPacket framer;
        Configure(framer, {});
        FramerRecorder recorder(framer);
        framer.AppendReceived(nullptr, "\n12");
        setter.same(framer);
        EXPECT_TRUE(recorder.events.empty()) << setter.name;
        setter.change(framer);
        EXPECT_EQ(recorder.events, std::vector<std::string> {"D:\n12"}) << setter.name;
        setter.change(framer); // buffer empty now: nothing
        framer.ResetBuffer();
        EXPECT_EQ(recorder.events.size(), 1u) << setter.name;
    }
}

TEST(Framer, FlushLeavesPacketSoNextStartIsSought)
{
    TComDataPacket framer;
    Configure(framer, {});
    FramerRecorder recorder(framer);
    framer.AppendReceived(nullptr, "\n12");
    framer.ResetBuffer();
    framer.AppendReceived(nullptr, "34\r\n56\r");
    EXPECT_EQ(recorder.events, (std::vector<std::string> {"D:\n12", "D:34\r", "P:56"}));
}

TEST(Framer, CustomCallbacksPlaceStartAndStop)
{
    TComDataPacket framer;
    Configure(framer, {.start = "", .stop = ""});
    FramerRecorder recorder(framer);
    std::vector<std::string> seen;
    framer.OnCustomStart = [&](TComDataPacket *, const std::string &text, int &pos) {
        seen.push_back(text);
        const auto hash = text.find('#');
        if (hash != std::string::npos)
            pos = int(hash) + 1;
    };
    framer.OnCustomStop = [](TComDataPacket *, const std::string &text, int &pos) {
        // A packet is '#' plus two characters.
        if (text.size() >= 3)
            pos = 3;
        else
            pos = 0; // not yet
    };
    framer.AppendReceived(nullptr, "ab#12#3");
    framer.AppendReceived(nullptr, "4");
    EXPECT_EQ(recorder.events, (std::vector<std::string> {"D:ab", "P:#12", "P:#34"}));
    EXPECT_EQ(seen.front(), "ab#12#3");
}

TEST(Framer, CustomStopOnEmptyBufferDeliversOnceAndEnds)
{
    TComDataPacket framer;
    Configure(framer, {.start = "", .stop = ""});
    FramerRecorder recorder(framer);
    framer.OnCustomStop = [](TComDataPacket *, const std::string &, int &pos) { pos = 5; };
    framer.AppendReceived(nullptr, "abcdefg");
    EXPECT_EQ(recorder.events, (std::vector<std::string> {"P:abcde", "P:fg", "P:"}));
}

TEST(Framer, ExceptionInHandlerLeavesFramerConsistent)
{
    TComDataPacket framer;
    Configure(framer, {.maxBufferSize = 6});
    std::vector<std::string> packets;
    framer.OnPacket = [&](TComDataPacket *, const std::string &s) {
        packets.push_back(s);
        if (s == "1")
            throw std::runtime_error("bad packet");
    };
    std::vector<std::string> discards;
    framer.OnDiscard = [&](TComDataPacket *, const std::string &s) { discards.push_back(s); };
    EXPECT_THROW(framer.AppendReceived(nullptr, "\n1\r\n2\r\n3456789"), std::runtime_error);
    EXPECT_EQ(packets, std::vector<std::string> {"1"});
    // The overflow check ran although the handler raised: 11 pending characters discarded.
    EXPECT_EQ(discards, std::vector<std::string> {"\n2\r\n3456789"});
    framer.AppendReceived(nullptr, "\n4\r");
    EXPECT_EQ(packets, (std::vector<std::string> {"1", "4"}));
}

TEST(Framer, CompletePacketsLeftByAnExceptionComeWithTheNextBlock)
{
    TComDataPacket framer;
    Configure(framer, {});
    std::vector<std::string> packets;
    framer.OnPacket = [&](TComDataPacket *, const std::string &s) {
        packets.push_back(s);
        if (s == "1")
            throw std::runtime_error("bad packet");
    };
    EXPECT_THROW(framer.AppendReceived(nullptr, "\n1\r\n2\r\n"), std::runtime_error);
    framer.AppendReceived(nullptr, "");
    EXPECT_EQ(packets, (std::vector<std::string> {"1", "2"}));
}

// The end of each block is reported after its packets, also when a handler raised, and
// packets delivered inside AppendReceived see Delivering().
TEST(Framer, ReportsTheEndOfEveryBlockAfterItsPackets)
{
    TComDataPacket framer;
    Configure(framer, {});
    std::vector<std::string> events;
    framer.OnPacket = [&](TComDataPacket *f, const std::string &s) {
        events.push_back(std::string(f->Delivering() ? "P:" : "p:") + s);
        if (s == "3")
            throw std::runtime_error("bad packet");
    };
    framer.OnBlockDelivered
            = [&](TComDataPacket *f) { events.push_back(f->Delivering() ? "end inside" : "end"); };
    framer.AppendReceived(nullptr, "\n1\r\n2");
    framer.AppendReceived(nullptr, "\r\n");
    EXPECT_THROW(framer.AppendReceived(nullptr, "3\r"), std::runtime_error);
    EXPECT_FALSE(framer.Delivering());
    EXPECT_EQ(events, (std::vector<std::string> {"P:1", "end", "P:2", "end", "P:3", "end"}));
}

TEST(Framer, NestedBlockFromInsideOnPacketKeepsOrder)
{
    TComDataPacket framer;
    Configure(framer, {});
    std::vector<std::string> packets;
    framer.OnPacket = [&](TComDataPacket *f, const std::string &s) {
        packets.push_back(s);
        if (s == "1") // as when a handler lets pending events run
            f->AppendReceived(nullptr, "\n3\r\n");
    };
    framer.AppendReceived(nullptr, "\n1\r\n2\r");
    EXPECT_EQ(packets, (std::vector<std::string> {"1", "2", "3"}));
}

TEST(Framer, FollowsPortAndForgetsItWhenDestroyed)
{
    TComDataPacket framer;
    {
        TComPort port;
        framer.SetComPort(&port);
        EXPECT_EQ(framer.ComPort(), &port);
        EXPECT_FALSE(port.TriggersOnRxChar()); // the framer's link reads the bytes
        EXPECT_THROW(port.SetTriggersOnRxChar(true), EComPort);
        framer.SetComPort(nullptr);
        EXPECT_TRUE(port.TriggersOnRxChar());
        framer.SetComPort(&port);
    }
    EXPECT_EQ(framer.ComPort(), nullptr);

    TComPort port;
    {
        TComDataPacket shortLived;
        shortLived.SetComPort(&port);
    }
    EXPECT_TRUE(port.TriggersOnRxChar());
}

TEST(Framer, DetachingKeepsPartialPacket)
{
    TComPort port;
    TComDataPacket framer;
    Configure(framer, {});
    FramerRecorder recorder(framer);
    framer.SetComPort(&port);
    framer.AppendReceived(&port, "\n12");
    framer.SetComPort(nullptr);
    framer.SetComPort(&port);
    framer.AppendReceived(&port, "3\r");
    EXPECT_EQ(recorder.events, std::vector<std::string> {"P:123"});
}

} // namespace
