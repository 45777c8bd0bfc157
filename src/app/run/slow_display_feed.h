#pragma once

#include "app/run/decode_packet.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TAbLED;
class TAbTrend;
class TAbValueInd;
class TAbVMeter;

// The decoder's outputs that do not concern the fast display: the eight "Port" LEDs showing
// the low byte of channel 1, and the meters and trend channels of the slow display page. Each
// meter shows the channel picked for it; the trend records every channel of the run. The
// instruments draw what they are given at their next paint, once per event-loop turn however
// many packets a block holds.
class SlowDisplayFeed
{
public:
    struct Instruments
    {
        std::array<TAbLED *, 8> Leds {};
        TAbVMeter *Meter1 = nullptr;
        TAbVMeter *Meter2 = nullptr;
        TAbValueInd *Readout1 = nullptr; // the values at the trend's cursor
        TAbValueInd *Readout2 = nullptr;
        TAbTrend *Trend = nullptr;
        std::function<bool()> PortModeChecked;
    };

    explicit SlowDisplayFeed(Instruments instruments);

    // Runs for every decoded packet, whatever page shows.
    void LedStep(float value1);
    // Runs for every decoded packet while the slow display page shows.
    void SlowDisplayStep(const Sample &sample);

    // The channels meter 1 and meter 2 show (1 .. 8). A meter whose channel the run does not
    // carry shows no value.
    void SetMeterChannels(int meter1, int meter2);
    int MeterChannel(int meter) const { return m_meterChannels[size_t(meter - 1)]; }

    // Nothing of a run has arrived yet: meters and readouts show no value, and the trend
    // neither records nor draws until the first sample comes.
    void AwaitFirstSample();

    // The trend stops recording while the run's device is away; resuming marks the gap with
    // separator records. Resuming without a pause does nothing.
    void PauseRecording();
    void ResumeRecording();

private:
    Instruments m_instruments;
    std::array<int, 2> m_meterChannels {1, 2};
    bool m_recordingPaused = false;
    bool m_awaitingFirstSample = false;
    bool m_recordAtFirstSample = false;
};

// Eight '0' / '1' characters, most significant bit first.
std::string ByteToBits(std::uint8_t value);
