#include "app/run/packet_decoder.h"
#include "app/run/port_led_sink.h"
#include "app/run/run_settings.h"
#include "app/run/slow_display_feed.h"
#include "app/run/text_line_format.h"
#include "chart/rchart.h"
#include "instruments/led.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "serial/data_packet.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A decoder fed by the text line format through a real framer, drawing into a real chart, with
// the sinks a run on the chosen page and mode takes. The run begins at the first Feed.
class DecoderFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.resize(708, 384);
        chart.SetRange(1, 0, 0, 1000, 10);
        chart.SetRange(2, 0, 0, 1000, 10);
        SlowDisplayFeed::Instruments instruments;
        instruments.Meter1 = &meter1;
        instruments.Meter2 = &meter2;
        instruments.Trend = &trend;
        feed = std::make_unique<SlowDisplayFeed>(std::move(instruments));
        PacketDecoder::Ties ties;
        ties.SampleLimitReached = [this] { ++limitsReached; };
        decoder = std::make_unique<PacketDecoder>(state, chart.Model(), std::move(ties));
        settings.Fast.MaxSamples = 100000;
    }

    // A run begins with the settings as they are now.
    void Begin()
    {
        std::vector<SampleSink *> sinks;
        if (settings.Slow.PortMode)
            sinks.push_back(&ledSink);
        if (settings.Page == TDisplayPage::dpSlowDisplay)
            sinks.push_back(feed.get());
        decoder->BeginRun(settings, sinks);
        format.reset();
        format = std::make_unique<TextLineFormat>(framer, settings.Decode, *decoder);
    }

    // Packets handed over one by one, as outside a device read.
    void Feed(std::initializer_list<const char *> packets)
    {
        if (!format)
            Begin();
        for (const char *p : packets)
            format->ComDataPacket1Packet(&framer, p);
    }

    TChartItem Item(int index)
    {
        TChartItem item {};
        chart.GetItem(index, item);
        return item;
    }

    AcquisitionState state;
    RunSettings settings;
    TRChart chart;
    TComDataPacket framer;
    std::array<TAbLED, 8> leds;
    PortLedSink ledSink {
            {&leds[0], &leds[1], &leds[2], &leds[3], &leds[4], &leds[5], &leds[6], &leds[7]}};
    TAbVMeter meter1;
    TAbVMeter meter2;
    TAbTrend trend;
    int limitsReached = 0;
    std::unique_ptr<SlowDisplayFeed> feed;
    std::unique_ptr<PacketDecoder> decoder;
    std::unique_ptr<TextLineFormat> format;
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
    state.Value2 = -1.0f;
    Feed({"1", "2", "3", "4"});
    EXPECT_EQ(state.Value2, -1.0f); // one channel leaves channel 2 alone
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
    settings.Decode.ChannelCount = 2;
    settings.Decode.Scale2 = 1.0f;
    Feed({"1;10", "2;20"});
    ExpectItems(chart, {{TItemKind::ikLine, 1, 0, 1, 1, 2}, {TItemKind::ikLine, 2, 0, 10, 1, 20}},
                [this](int i) { return Item(i); });
    EXPECT_EQ(Item(1).Color, 0x0000FFu);
}

TEST_F(DecoderFixture, SampleLimitStopsTheRunWithoutDrawingTheTrippingPacket)
{
    settings.Fast.MaxSamples = 1000;
    for (int i = 0; i <= 1000; ++i)
        Feed({"5"});
    EXPECT_EQ(limitsReached, 0);
    EXPECT_EQ(chart.ItemCount(), 1001);
    Feed({"5", "6"});
    EXPECT_EQ(state.LimitCount, 1001);
    EXPECT_TRUE(state.Stopped);
    EXPECT_EQ(limitsReached, 1);
    EXPECT_EQ(chart.ItemCount(), 1001);
}

TEST_F(DecoderFixture, TrendModeScrollsWithAConstantWindow)
{
    settings.Fast.TrendMode = true;
    settings.Fast.XMax = 10;
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

// Packets that arrive as one block move the range once at the block's end, to where one move
// per packet (packets handed over one by one) would have taken it; the items are the same.
TEST_F(DecoderFixture, TrendModeScrollsABlockOfPacketsAsFarAsPacketByPacket)
{
    struct Case
    {
        double xLow, xHigh;
        int channels;
    };
    for (const Case c : {Case {0, 10, 1}, Case {0, 10, 2}, Case {0.1, 10.3, 2}, Case {0, 10, 3},
                         Case {0, 10, 8}}) {
        SCOPED_TRACE(testing::Message() << c.xLow << ", " << c.channels << " channels");
        auto run = [&](bool oneBlock) {
            chart.ClearItems();
            settings.Fast.TrendMode = true;
            settings.Fast.XMax = 10;
            settings.Decode.ChannelCount = c.channels;
            settings.Decode.Scale2 = 1.0f;
            Begin();
            for (int layer = 1; layer <= kMaxChannels; ++layer)
                chart.SetRange(layer, c.xLow, 0, c.xHigh, 10);
            std::string stream;
            for (int i = 0; i < 40; ++i) {
                std::string packet = std::to_string(i);
                for (int k = 2; k <= c.channels; ++k)
                    packet += ";" + std::to_string(k * i);
                stream += "\n" + packet + "\r";
                if (!oneBlock)
                    format->ComDataPacket1Packet(&framer, packet);
            }
            if (oneBlock)
                framer.AppendReceived(nullptr, stream);
            std::vector<double> result;
            for (int layer = 1; layer <= c.channels; ++layer)
                result.insert(result.end(),
                              {chart.ScaleX(layer).RangeLow(), chart.ScaleX(layer).RangeHigh()});
            for (int i = 0; i < chart.ItemCount(); ++i)
                result.insert(result.end(), {double(Item(i).Layer), Item(i).X2, Item(i).Y2});
            return result;
        };
        const std::vector<double> perPacket = run(false);
        EXPECT_EQ(run(true), perPacket);
        EXPECT_GT(perPacket[0], c.xLow + 30); // it did scroll
        // Every layer moved alike, and the window holds the same samples of every channel.
        EXPECT_EQ(perPacket[size_t(2 * c.channels - 2)], perPacket[0]);
        EXPECT_EQ(chart.ItemCount() % c.channels, 0);
    }
}

TEST_F(DecoderFixture, TrendModeStartsLeftOfTheRangeAndDrawsTheSecondSegmentFlat)
{
    settings.Fast.TrendMode = true;
    settings.Fast.XMax = 2000;
    settings.Decode.ChannelCount = 2;
    settings.Decode.Scale2 = 1.0f;
    Feed({"1;10", "2;20", "3;30"});
    ExpectItems(chart,
                {{TItemKind::ikLine, 1, -1, 0, 0, 1},
                 {TItemKind::ikLine, 2, -1, 0, 0, 10},
                 {TItemKind::ikLine, 1, 0, 2, 1, 2},
                 {TItemKind::ikLine, 2, 0, 20, 1, 20},
                 {TItemKind::ikLine, 1, 1, 2, 2, 3},
                 {TItemKind::ikLine, 2, 1, 20, 2, 30}},
                [this](int i) { return Item(i); });
}

TEST_F(DecoderFixture, TrendModeKeepsCountingPastTheLimit)
{
    settings.Fast.TrendMode = true;
    settings.Fast.XMax = 2000;
    settings.Fast.MaxSamples = 100;
    for (int i = 0; i < 150; ++i)
        Feed({"1"});
    EXPECT_EQ(limitsReached, 0);
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
    decoder->Halt();
    Feed({"CLR"});
    EXPECT_EQ(chart.ItemCount(), 2);
}

TEST_F(DecoderFixture, PortModeShowsTheLowByteOnTheLeds)
{
    settings.Slow.PortMode = true;
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
    settings.Slow.PortMode = false;
    Begin();
    Feed({"255"});
    for (const TAbLED &led : leds)
        EXPECT_FALSE(led.Checked()); // port mode off: the LEDs keep their state
}

TEST_F(DecoderFixture, SlowDisplayPageFeedsMetersAndTrendChannels)
{
    settings.Decode.ChannelCount = 2;
    settings.Decode.Scale2 = 1.0f;
    Feed({"1;2"});
    EXPECT_NE(meter1.Value(), 1.0f); // fast display page: instruments untouched
    settings.Page = TDisplayPage::dpSlowDisplay;
    Begin();
    Feed({"3;4"});
    EXPECT_FLOAT_EQ(meter1.Value(), 3.0f);
    EXPECT_FLOAT_EQ(meter2.Value(), 4.0f);
    EXPECT_FLOAT_EQ(trend.Channel1().Value(), 3.0f);
    EXPECT_FLOAT_EQ(trend.Channel2().Value(), 4.0f);
    EXPECT_EQ(chart.ItemCount(), 0);
}

TEST_F(DecoderFixture, EachMeterShowsItsPickedChannelAndTheTrendEveryChannel)
{
    settings.Page = TDisplayPage::dpSlowDisplay;
    settings.Decode.ChannelCount = 4;
    settings.Decode.Scale2 = 1.0f;
    feed->SetMeterChannels(3, 6);
    feed->AwaitFirstSample();
    Feed({"1;2;3;4;5"});
    EXPECT_FLOAT_EQ(meter1.Value(), 3.0f);
    EXPECT_FALSE(meter2.HasValue()) << "channel 6 is not in the run";
    for (int k = 1; k <= 4; ++k)
        EXPECT_FLOAT_EQ(trend.Channel(k).Value(), float(k)) << k;
    EXPECT_FLOAT_EQ(trend.Channel(5).Value(), 0.0f) << "beyond the count";
}

TEST(ByteToBits, MostSignificantBitFirst)
{
    EXPECT_EQ(ByteToBits(5), "00000101");
    EXPECT_EQ(ByteToBits(0x80), "10000000");
    EXPECT_EQ(ByteToBits(255), "11111111");
}

} // namespace
