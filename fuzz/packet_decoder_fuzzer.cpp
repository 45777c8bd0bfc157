// Lines from the framer through the packet decoder into the fast display chart, the port
// LEDs and the slow display's meters and trend, with fuzzed channel settings.
#include "fuzz_input.h"
#include "fuzz_support.h"

#include "app/acquisition_state.h"
#include "app/packet_decoder.h"
#include "app/slow_display_feed.h"
#include "chart/rchart.h"
#include "instruments/led.h"
#include "instruments/timer_service.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "support/manual_timer.h"

#include <array>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    TManualTimerScope timer;
    AcquisitionState state;
    state.ChannelCount = input.TakeInt(1, 2);
    state.TrendMode = input.TakeBool();
    state.Separator = input.Take<char>();
    state.Scale1 = input.Take<float>();
    state.Offset1 = input.Take<float>();
    state.Scale2 = input.Take<float>();
    state.Offset2 = input.Take<float>();
    state.XMax = input.Take<float>();
    state.ChannelLimit = static_cast<std::uint32_t>(input.TakeInt(0, 200));
    state.MaxSamples = static_cast<std::uint32_t>(input.TakeInt(0, 200));
    const auto page = static_cast<TDisplayPage>(input.TakeInt(0, 2));
    const bool portMode = input.TakeBool();

    TRChart chart;
    chart.resize(708, 384);
    chart.SetRange(1, 0, 0, 1000, 10);
    chart.SetRange(2, 0, 0, 1000, 10);
    TComDataPacket framer;
    framer.SetStartString("");
    framer.SetStopString("\n");
    std::array<TAbLED, 8> leds;
    TAbVMeter meter1;
    TAbVMeter meter2;
    TAbTrend trend;
    SlowDisplayFeed::Instruments instruments;
    for (std::size_t k = 0; k < leds.size(); ++k)
        instruments.Leds[k] = &leds[k];
    instruments.Meter1 = &meter1;
    instruments.Meter2 = &meter2;
    instruments.Trend = &trend;
    instruments.PortModeChecked = [&] { return portMode; };
    SlowDisplayFeed feed(std::move(instruments));
    PacketDecoder::Ties ties;
    ties.ActivePage = [&] { return page; };
    PacketDecoder decoder(state, chart, framer, std::move(ties), &feed);
    framer.OnPacket = [&](TComDataPacket *sender, const std::string &packet) {
        decoder.ComDataPacket1Packet(sender, packet);
    };

    const std::string_view stream = input.Rest();
    framer.AppendReceived(nullptr, stream.data(), static_cast<int>(stream.size()));
    timer.Step(5);
    chart.Paint();
    (void)meter1.grab();
    (void)meter2.grab();
    (void)trend.grab();
    return 0;
}
