#include "app/run/slow_display_feed.h"

#include "instruments/led.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"

#include <algorithm>
#include <utility>

SlowDisplayFeed::SlowDisplayFeed(Instruments instruments)
    : m_instruments(std::move(instruments))
{ }

void SlowDisplayFeed::LedStep(float value1)
{
    if (!m_instruments.PortModeChecked || !m_instruments.PortModeChecked())
        return;
    if (!(value1 > -1.0f && value1 < 256.0f)) // a NaN fails too
        return;
    const std::string bits = ByteToBits(static_cast<std::uint8_t>(static_cast<int>(value1)));
    for (size_t k = 1; k <= m_instruments.Leds.size(); ++k) {
        if (TAbLED *led = m_instruments.Leds[k - 1])
            led->SetChecked(bits[8 - k] == '1');
    }
}

void SlowDisplayFeed::SlowDisplayStep(const Sample &sample)
{
    if (std::exchange(m_awaitingFirstSample, false) && m_recordAtFirstSample)
        m_instruments.Trend->SetStartRecording(true);
    // A meter whose channel the run does not carry keeps showing no value.
    if (m_meterChannels[0] <= sample.Count)
        m_instruments.Meter1->SetValue(sample.Value(m_meterChannels[0]));
    if (m_meterChannels[1] <= sample.Count)
        m_instruments.Meter2->SetValue(sample.Value(m_meterChannels[1]));
    TAbTrend &trend = *m_instruments.Trend;
    trend.Channel1().SetValue(sample.Values[0]);
    trend.Channel2().SetValue(sample.Count >= 2 ? sample.Values[1] : 0.0f);
    for (int channel = 3; channel <= sample.Count; ++channel)
        trend.Channel(channel).SetValue(sample.Value(channel));
}

void SlowDisplayFeed::SetMeterChannels(int meter1, int meter2)
{
    m_meterChannels = {std::clamp(meter1, 1, kMaxChannels), std::clamp(meter2, 1, kMaxChannels)};
}

void SlowDisplayFeed::AwaitFirstSample()
{
    for (TAbAnalogGControl *instrument :
         {static_cast<TAbAnalogGControl *>(m_instruments.Meter1),
          static_cast<TAbAnalogGControl *>(m_instruments.Meter2),
          static_cast<TAbAnalogGControl *>(m_instruments.Readout1),
          static_cast<TAbAnalogGControl *>(m_instruments.Readout2)}) {
        if (instrument)
            instrument->ClearValue();
    }
    TAbTrend &trend = *m_instruments.Trend;
    if (!m_awaitingFirstSample)
        m_recordAtFirstSample = trend.StartRecording();
    m_awaitingFirstSample = true;
    trend.SetStartRecording(false);
    trend.ClearRecords();
}

void SlowDisplayFeed::PauseRecording()
{
    TAbTrend &trend = *m_instruments.Trend;
    if (trend.StartRecording()) {
        trend.SetStartRecording(false);
        m_recordingPaused = true;
    }
}

void SlowDisplayFeed::ResumeRecording()
{
    if (std::exchange(m_recordingPaused, false))
        m_instruments.Trend->SetStartRecording(true);
}

std::string ByteToBits(std::uint8_t value)
{
    std::string bits(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (value & (1u << bit))
            bits[static_cast<size_t>(7 - bit)] = '1';
    }
    return bits;
}
