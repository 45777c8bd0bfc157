// Lines from the framer through the packet decoder into the fast display chart, the port
// LEDs and the slow display's meters and trend, with fuzzed channel settings.
#include "fuzz_input.h"
#include "fuzz_support.h"

#include "app/run/acquisition_state.h"
#include "app/run/packet_decoder.h"
#include "app/run/port_led_sink.h"
#include "app/run/run_settings.h"
#include "app/run/slow_display_feed.h"
#include "app/run/text_line_format.h"
#include "chart/rchart.h"
#include "instruments/led.h"
#include "instruments/timer_service.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "serial/data_packet.h"
#include "support/manual_timer.h"

#include <QImage>

#include <array>
#include <memory>

namespace {

// The widgets live for the whole run, at a small size: building them and painting them at
// the window's size for every input cost far more than the decoding under test. As during a
// run, the chart draws only its data area (a full paint plans the ticks of all 32 axes,
// whatever the input), and the shown instruments compose only what a value changed.
struct Rig
{
    TRChart chart;
    TComDataPacket framer;
    std::array<TAbLED, 8> leds;
    TAbVMeter meter1;
    TAbVMeter meter2;
    TAbTrend trend;
    PortLedSink ledSink {
            {&leds[0], &leds[1], &leds[2], &leds[3], &leds[4], &leds[5], &leds[6], &leds[7]}};
    std::unique_ptr<SlowDisplayFeed> feed;

    Rig()
    {
        chart.resize(160, 100);
        chart.SuppressPaint(true);
        meter1.resize(60, 120);
        meter2.resize(60, 120);
        trend.resize(120, 80);
        for (QWidget *shown : {static_cast<QWidget *>(&meter1), static_cast<QWidget *>(&meter2),
                               static_cast<QWidget *>(&trend)}) {
            shown->setAttribute(Qt::WA_DontShowOnScreen);
            shown->show();
        }
        SlowDisplayFeed::Instruments instruments;
        instruments.Meter1 = &meter1;
        instruments.Meter2 = &meter2;
        instruments.Trend = &trend;
        feed = std::make_unique<SlowDisplayFeed>(std::move(instruments));
    }

    // What one input starts from: an empty chart on the window's ranges, no trend records.
    void Reset()
    {
        chart.ClearItems();
        chart.SetRange(1, 0, 0, 1000, 10);
        chart.SetRange(2, 0, 0, 1000, 10);
        trend.ClearRecords();
        meter1.ClearValue(); // the first value of the input applies, whatever came before
        meter2.ClearValue();
        framer.ResetBuffer();
    }
};

// Made on first use, after the application; never destroyed, as widgets must not outlive it.
Rig &TheRig()
{
    static Rig *rig = new Rig;
    return *rig;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    TManualTimerScope timer;
    RunSettings settings;
    settings.Decode.ChannelCount = input.TakeInt(1, kMaxChannels);
    settings.Fast.TrendMode = input.TakeBool();
    settings.Decode.Separator = input.Take<char>();
    settings.Decode.Scale1 = input.Take<float>();
    settings.Decode.Offset1 = input.Take<float>();
    settings.Decode.Scale2 = input.Take<float>();
    settings.Decode.Offset2 = input.Take<float>();
    settings.Fast.XMax = input.Take<float>();
    input.TakeInt(0, 200); // once the channel limit, which follows the channel count now
    settings.Fast.MaxSamples = static_cast<std::uint32_t>(input.TakeInt(0, 200));
    settings.Page = static_cast<TDisplayPage>(input.TakeInt(0, 2));
    settings.Slow.PortMode = input.TakeBool();

    Rig &rig = TheRig();
    rig.Reset();
    std::vector<SampleSink *> sinks;
    if (settings.Slow.PortMode)
        sinks.push_back(&rig.ledSink);
    if (settings.Page == TDisplayPage::dpSlowDisplay)
        sinks.push_back(rig.feed.get());
    AcquisitionState state;
    PacketDecoder decoder(state, rig.chart.Model(), {});
    decoder.BeginRun(settings, sinks);
    {
        TextLineFormat format(rig.framer, settings.Decode, decoder);
        // The corpus holds lines ended by a line feed.
        rig.framer.SetStartString("");
        rig.framer.SetStopString("\n");
        const std::string_view stream = input.Rest();
        rig.framer.AppendReceived(nullptr, stream.data(), static_cast<int>(stream.size()));
    }
    timer.Step(5);
    rig.chart.UpdateChart();
    for (QWidget *shown : {static_cast<QWidget *>(&rig.meter1), static_cast<QWidget *>(&rig.meter2),
                           static_cast<QWidget *>(&rig.trend)}) {
        QImage picture(shown->size(), QImage::Format_RGB32);
        shown->render(&picture);
    }
    return 0;
}
