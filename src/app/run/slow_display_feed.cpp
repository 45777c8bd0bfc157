#include "app/run/slow_display_feed.h"

#include "app/run/instrument_ranges.h"
#include "app/run/run_settings.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"

#include <algorithm>
#include <utility>

SlowDisplayFeed::SlowDisplayFeed(Instruments instruments)
    : m_instruments(std::move(instruments))
{ }

void SlowDisplayFeed::BeginRun(const RunSettings &settings)
{
    TAbTrend &trend = *m_instruments.Trend;
    const RunSettings::SlowDisplay &slow = settings.Slow;
    trend.SetFlow(slow.Flow);
    trend.Channel1().SetPenWidth(slow.ThickCh1 ? 2 : 1);
    trend.Channel2().SetPenWidth(slow.ThickCh2 ? 2 : 1);
    const Ranges ranges {settings.Fast.YMin1, settings.Fast.YMax1, settings.Fast.YMin2,
                         settings.Fast.YMax2};
    if (slow.PortMode) {
        SetChannelRange(trend.Channel1(), 0, 300);
    } else {
        SetChannelRange(trend.Channel1(), ranges.YMin1, ranges.YMax1);
        SetChannelRange(trend.Channel2(), ranges.YMin2, ranges.YMax2);
        // Channels 3 to 8 share channel 1's range, as on the fast display.
        for (int channel = 3; channel <= kMaxChannels; ++channel) {
            TChSettings &channelSettings = trend.Channel(channel);
            SetChannelRange(channelSettings, ranges.YMin1, ranges.YMax1);
            channelSettings.SetName1(settings.ChannelName(channel));
        }
    }
    // A meter never waits for a channel the run lacks.
    const auto carried
            = [&](int channel) { return channel <= settings.ChannelCount() ? channel : 1; };
    SetMeterChannels(carried(slow.MeterChannels[0]), carried(slow.MeterChannels[1]));
    for (int meter = 1; meter <= 2; ++meter)
        ShowMeterChannel(meter, settings.ChannelName(MeterChannel(meter)), ranges, slow.PortMode);
    for (int channel = 1; channel <= kMaxChannels; ++channel) {
        trend.Channel(channel).SetVisible(channel <= settings.ChannelCount()
                                          && settings.Channels[size_t(channel - 1)].Shown);
    }
    // The record limit of a flowing trend; the visible record count follows the plot width.
    trend.SetMaxRecords(slow.MaxRecords);
    trend.SetInterval(slow.IntervalMs);
    AwaitFirstSample(); // the trend starts empty and records from the first sample
}

void SlowDisplayFeed::Take(const SampleBlockView &block)
{
    Sample sample;
    sample.Count = block.Channels;
    for (std::size_t k = 0, count = block.SampleCount(); k < count; ++k) {
        for (int channel = 1; channel <= block.Channels; ++channel)
            sample.Values[size_t(channel - 1)] = block.Value(k, channel);
        SlowDisplayStep(sample);
    }
    // The readouts take the block's last sample: a person reads no faster.
    if (block.SampleCount() == 0)
        return;
    m_newest = sample;
    if (!m_instruments.Trend->CursorShown())
        ShowInReadouts(sample);
}

void SlowDisplayFeed::ShowMeterChannel(int meter, const QString &name, const Ranges &ranges,
                                       bool portMode)
{
    TAbVMeter &instrument = *(meter == 1 ? m_instruments.Meter1 : m_instruments.Meter2);
    const int channel = MeterChannel(meter);
    SetMeterName(meter, name);
    instrument.ClearValue();
    if (meter == 1 && portMode) {
        ShowPortModeMeter();
        return;
    }
    const bool second = channel == 2;
    const double yMax = second ? ranges.YMax2 : ranges.YMax1;
    SetMeterRange(instrument, second ? ranges.YMin2 : ranges.YMin1, yMax);
    const QString format = MeterFormatFor(yMax);
    if (!format.isEmpty())
        instrument.ScaleSettings().SetValueFormat(format);
}

void SlowDisplayFeed::SetMeterName(int meter, const QString &name)
{
    (meter == 1 ? m_instruments.Meter1 : m_instruments.Meter2)->SignalSettings().SetName1(name);
    if (TAbValueInd *readout = meter == 1 ? m_instruments.Readout1 : m_instruments.Readout2)
        readout->SignalSettings().SetValueUnit(name);
}

void SlowDisplayFeed::ShowPortModeMeter()
{
    TAbVMeter &meter = *m_instruments.Meter1;
    SetMeterRange(meter, 0, 300);
    meter.ScaleSettings().SetValueFormat(QStringLiteral("##0"));
    meter.ScaleSettings().SetSteps(6);
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

void SlowDisplayFeed::ShowNewestInReadouts()
{
    if (m_newest) {
        ShowInReadouts(*m_newest);
        return;
    }
    for (TAbValueInd *readout : {m_instruments.Readout1, m_instruments.Readout2}) {
        if (readout)
            readout->ClearValue();
    }
}

// A readout whose channel the sample lacks shows no value.
void SlowDisplayFeed::ShowInReadouts(const Sample &sample)
{
    const std::pair<TAbValueInd *, int> readouts[]
            = {{m_instruments.Readout1, 1}, {m_instruments.Readout2, 2}};
    for (const auto &[readout, meter] : readouts) {
        if (!readout)
            continue;
        const int channel = MeterChannel(meter);
        if (channel <= sample.Count)
            readout->SetValue(sample.Value(channel));
        else
            readout->ClearValue();
    }
}

void SlowDisplayFeed::AwaitFirstSample()
{
    m_newest.reset();
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
