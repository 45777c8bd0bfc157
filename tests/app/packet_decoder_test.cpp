#include "app/packet_decoder.h"
#include "app/slow_display_feed.h"
#include "chart/rchart.h"
#include "instruments/led.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "support/message_recorder.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

// A decoder on a real chart, framer and (closed) port, with the window's ties recorded.
class DecoderFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.resize(708, 384);
        chart.SetRange(1, 0, 0, 1000, 10);
        chart.SetRange(2, 0, 0, 1000, 10);
        SlowDisplayFeed::Instruments instruments;
        for (size_t k = 0; k < leds.size(); ++k)
            instruments.Leds[k] = &leds[k];
        instruments.Meter1 = &meter1;
        instruments.Meter2 = &meter2;
        instruments.Trend = &trend;
        instruments.PortModeChecked = [this] { return portMode; };
        feed = std::make_unique<SlowDisplayFeed>(std::move(instruments));
        PacketDecoder::Ties ties;
        ties.ActivePage = [this] { return page; };
        ties.DisableActivityIndicator = [this] { ++indicatorOff; };
        ties.RunStop = [this] { ++runStops; };
        decoder = std::make_unique<PacketDecoder>(state, chart, framer, port, std::move(ties),
                                                  feed.get());
        state.MaxSamples = 100000;
    }

    void Feed(std::initializer_list<const char *> packets)
    {
        for (const char *p : packets)
            decoder->ComDataPacket1Packet(&framer, p);
    }

    TChartItem Item(int index)
    {
        TChartItem item {};
        chart.GetItem(index, item);
        return item;
    }

    AcquisitionState state;
    TRChart chart;
    TComPort port;
    TComDataPacket framer;
    std::array<TAbLED, 8> leds;
    TAbVMeter meter1;
    TAbVMeter meter2;
    TAbTrend trend;
    bool portMode = false;
    TDisplayPage page = TDisplayPage::dpFastDisplay;
    int indicatorOff = 0;
    int runStops = 0;
    std::unique_ptr<SlowDisplayFeed> feed;
    std::unique_ptr<PacketDecoder> decoder;
    MessageRecorder messages;
};

struct Segment
{
    TItemKind kind;
    int layer;
    double x1, y1, x2, y2;
};

void ExpectItems(TRChart &chart, const std::vector<Segment> &expected,
                 const std::function<TChartItem(int)> &item)
{
    ASSERT_EQ(chart.ItemCount(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const TChartItem it = item(static_cast<int>(i));
        const Segment &e = expected[i];
        EXPECT_EQ(static_cast<TItemKind>(it.Kind), e.kind) << "item " << i;
        EXPECT_EQ(it.Layer, e.layer) << "item " << i;
        EXPECT_DOUBLE_EQ(it.X1, e.x1) << "item " << i;
        EXPECT_DOUBLE_EQ(it.Y1, e.y1) << "item " << i;
        if (e.kind == TItemKind::ikLine) {
            EXPECT_DOUBLE_EQ(it.X2, e.x2) << "item " << i;
            EXPECT_DOUBLE_EQ(it.Y2, e.y2) << "item " << i;
        }
    }
}

TEST_F(DecoderFixture, OneChannelDrawsEverySampleAtItsCount)
{
    Feed({"1", "2", "3", "4"});
    ExpectItems(chart,
                {{TItemKind::ikMoveTo, 1, 0, 1, 0, 0},
                 {TItemKind::ikLineTo, 1, 1, 2, 0, 0},
                 {TItemKind::ikLineTo, 1, 2, 3, 0, 0},
                 {TItemKind::ikLineTo, 1, 3, 4, 0, 0}},
                [this](int i) { return Item(i); });
    EXPECT_EQ(state.SampleCount, 4);
    EXPECT_EQ(Item(0).Color, 0xFF0000u);
}

TEST_F(DecoderFixture, TwoChannelsDrawOneLinePerChannelFromTheSecondPacketOn)
{
    state.ChannelCount = 2;
    state.Scale2 = 1.0f;
    Feed({"1;10", "2;20"});
    ExpectItems(chart, {{TItemKind::ikLine, 1, 0, 1, 1, 2}, {TItemKind::ikLine, 2, 0, 10, 1, 20}},
                [this](int i) { return Item(i); });
    EXPECT_EQ(Item(1).Color, 0x0000FFu);
}

TEST_F(DecoderFixture, DecodesFieldsWithScaleAndOffset)
{
    const struct
    {
        int channels;
        const char *packet;
        float value1, value2;
    } cases[] = {
            {1, "1.5;2", 4.0f, -1.0f}, // one channel reads the number at the start
            {2, "3.5", 1.0f, 7.5f}, // no separator: channel 1 gets the offset only
            {2, "1;2;3", 3.0f, 4.5f}, // further separators stay in field 2
            {2, "12,5;0.25", 25.0f, 1.0f},
    };
    for (const auto &c : cases) {
        state = AcquisitionState();
        state.MaxSamples = 100000;
        state.ChannelCount = c.channels;
        state.Scale1 = 2.0f;
        state.Offset1 = 1.0f;
        state.Scale2 = 2.0f;
        state.Offset2 = 0.5f;
        state.Value2 = -1.0f;
        Feed({c.packet});
        EXPECT_EQ(state.Value1, c.value1) << c.packet;
        EXPECT_EQ(state.Value2, c.value2) << c.packet;
    }
}

TEST_F(DecoderFixture, ScaledValuesRoundToFloatMaxBeforeTheySaturate)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    // FLT_MAX's last unit is 2^104: up to half of it above still rounds down to FLT_MAX.
    const struct
    {
        const char *packet;
        float scale, offset;
        float value;
    } cases[] = {
            {"3.40282347e+38", 1.0f, 0.0f, kMax},
            {"3.40282347e+38", 1.0f, 0x1p102f, kMax},
            {"-3.40282347e+38", 1.0f, -0x1p102f, -kMax},
            {"3.40282347e+38", 1.0f, 0x1p103f, kInf}, // the midpoint rounds to even
            {"1.7014117e38", 2.0f, 0.0f, kMax},
            {"1.7014118e38", 2.0f, 0.0f, kInf},
            {"-2e38", 2.0f, 0.0f, -kInf},
    };
    for (const auto &c : cases) {
        state.Scale1 = c.scale;
        state.Offset1 = c.offset;
        Feed({c.packet});
        EXPECT_EQ(state.Value1, c.value) << c.packet << " x " << c.scale << " + " << c.offset;
    }
}

TEST_F(DecoderFixture, SampleLimitStopsTheRunWithoutDrawingTheTrippingPacket)
{
    state.MaxSamples = 1000;
    for (int i = 0; i <= 1000; ++i)
        Feed({"5"});
    EXPECT_EQ(runStops, 0);
    EXPECT_EQ(chart.ItemCount(), 1001);
    Feed({"5", "6"});
    EXPECT_EQ(state.LimitCount, 1001);
    EXPECT_TRUE(state.Stopped);
    EXPECT_EQ(runStops, 1);
    EXPECT_EQ(indicatorOff, 1);
    EXPECT_EQ(messages.Infos, QStringList {QStringLiteral("Speicher-/Sample-Maximum erreicht")});
    EXPECT_EQ(chart.ItemCount(), 1001);
    EXPECT_EQ(framer.ComPort(), nullptr);
}

TEST_F(DecoderFixture, TrendModeScrollsWithAConstantWindow)
{
    state.TrendMode = true;
    state.XMax = 10;
    chart.SetRange(1, 0, 0, 10, 10);
    for (int i = 0; i < 6; ++i)
        Feed({"1"});
    EXPECT_EQ(chart.ItemCount(), 6);
    EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 0.0);
    Feed({"2"});
    EXPECT_EQ(chart.ItemCount(), 6);
    EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 1.0);
    EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 11.0);
    for (int i = 0; i < 100; ++i)
        Feed({"3"});
    EXPECT_EQ(chart.ItemCount(), 6);
    EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 111.0);
    EXPECT_DOUBLE_EQ(Item(5).X2, 106.0); // the newest point stays 5 left of the edge
}

TEST_F(DecoderFixture, TrendModeKeepsCountingPastTheLimit)
{
    state.TrendMode = true;
    state.XMax = 2000;
    state.MaxSamples = 100;
    for (int i = 0; i < 150; ++i)
        Feed({"1"});
    EXPECT_TRUE(messages.Infos.isEmpty());
    EXPECT_FALSE(state.Stopped);
    EXPECT_EQ(state.LimitCount, 149);
}

TEST_F(DecoderFixture, ClearCommandEmptiesTheChartOnlyDuringARun)
{
    Feed({"1", "2", "clr"});
    EXPECT_EQ(chart.ItemCount(), 0);
    EXPECT_EQ(state.SampleCount, 0);
    Feed({"7", "Clr"});
    EXPECT_EQ(Item(0).Kind, TItemKind::ikMoveTo); // counted 0 again
    EXPECT_EQ(chart.ItemCount(), 2); // 'Clr' is a number (0)
    state.Stopped = true;
    Feed({"CLR"});
    EXPECT_EQ(chart.ItemCount(), 2);
}

TEST_F(DecoderFixture, PortModeShowsTheLowByteOnTheLeds)
{
    portMode = true;
    const struct
    {
        const char *packet;
        const char *lit; // LED1 first
    } cases[] = {
            {"5.9", "10100000"}, {"255.99", "11111111"}, {"256", "11111111"},
            {"-1", "11111111"},  {"-0.5", "00000000"},   {"nan", "00000000"},
    };
    for (const auto &c : cases) {
        Feed({c.packet});
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(leds[static_cast<size_t>(k)].Checked(), c.lit[k] == '1')
                    << c.packet << " LED" << k + 1;
    }
    portMode = false;
    Feed({"255"});
    for (const TAbLED &led : leds)
        EXPECT_FALSE(led.Checked()); // port mode off: the LEDs keep their state
}

TEST_F(DecoderFixture, SlowDisplayPageFeedsMetersAndTrendChannels)
{
    state.ChannelCount = 2;
    state.Scale2 = 1.0f;
    Feed({"1;2"});
    EXPECT_NE(meter1.Value(), 1.0f); // fast display page: instruments untouched
    page = TDisplayPage::dpSlowDisplay;
    Feed({"3;4"});
    EXPECT_FLOAT_EQ(meter1.Value(), 3.0f);
    EXPECT_FLOAT_EQ(meter2.Value(), 4.0f);
    EXPECT_FLOAT_EQ(trend.Channel1().Value(), 3.0f);
    EXPECT_FLOAT_EQ(trend.Channel2().Value(), 4.0f);
    EXPECT_EQ(chart.ItemCount(), 0);
}

TEST(ByteToBits, MostSignificantBitFirst)
{
    EXPECT_EQ(ByteToBits(5), "00000101");
    EXPECT_EQ(ByteToBits(0x80), "10000000");
    EXPECT_EQ(ByteToBits(255), "11111111");
}

} // namespace
