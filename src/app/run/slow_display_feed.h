#pragma once

#include "app/run/decode_packet.h"
#include "app/run/sample_sink.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <optional>

class TAbTrend;
class TAbValueInd;
class TAbVMeter;

// The slow display page's sink: the two meters, each showing the channel picked for it, and the
// trend, which records every channel of the run. At Start it gives the instruments the run's
// ranges, names, interval and record limit. The instruments draw what they are given at their
// next paint, once per event-loop turn however many samples a block holds.
class SlowDisplayFeed : public SampleSink
{
    Q_DECLARE_TR_FUNCTIONS(SlowDisplayFeed)

public:
    struct Instruments
    {
        TAbVMeter *Meter1 = nullptr;
        TAbVMeter *Meter2 = nullptr;
        // The meters' channels by name: their newest values, or the values at the trend's
        // cursor while the person holds it over a record.
        TAbValueInd *Readout1 = nullptr;
        TAbValueInd *Readout2 = nullptr;
        TAbTrend *Trend = nullptr;
    };

    // The Y ranges typed for channel 1 (shared by channels 3 to 8) and channel 2.
    struct Ranges
    {
        double YMin1 = 0.0;
        double YMax1 = 0.0;
        double YMin2 = 0.0;
        double YMax2 = 0.0;
    };

    explicit SlowDisplayFeed(Instruments instruments);

    void BeginRun(const RunSettings &settings) override;
    void Take(const SampleBlockView &block) override;
    // The trend stops recording while the run's device is away; coming back marks the gap with
    // separator records.
    void DeviceLost() override { PauseRecording(); }
    void DeviceBack() override { ResumeRecording(); }
    void EndRun() override { ResumeRecording(); }

    // One sample, as Take hands on each sample of a block.
    void SlowDisplayStep(const Sample &sample);

    // The channels meter 1 and meter 2 show (1 .. 8). A meter whose channel the run does not
    // carry shows no value; a run shows channel 1 there instead.
    void SetMeterChannels(int meter1, int meter2);
    int MeterChannel(int meter) const { return m_meterChannels[size_t(meter - 1)]; }
    // Meter 1 or 2 and its readout show the meter's channel under its name (the channel's
    // display name) with the channel's range: channel 2 its own, the others channel 1's; no
    // value until the next sample. In Port mode meter 1 keeps the byte range of
    // ShowPortModeMeter.
    void ShowMeterChannel(int meter, const QString &name, const Ranges &ranges, bool portMode);
    // Meter 1 or 2 and its readout take a new name for their channel, and keep their value.
    void SetMeterName(int meter, const QString &name);
    // The readouts show the newest sample's values of their channels, or none before the
    // first sample of a run.
    void ShowNewestInReadouts();
    // Meter 1 shows 0 .. 300 in six steps, as the Port mode's byte.
    void ShowPortModeMeter();

    // Nothing of a run has arrived yet: meters and readouts show no value, and the trend
    // neither records nor draws until the first sample comes.
    void AwaitFirstSample();

    void PauseRecording();
    // Resuming without a pause does nothing.
    void ResumeRecording();

private:
    Instruments m_instruments;
    void ShowInReadouts(const Sample &sample);

    std::array<int, 2> m_meterChannels {1, 2};
    std::optional<Sample> m_newest; // the newest sample since the run's first
    bool m_recordingPaused = false;
    bool m_awaitingFirstSample = false;
    bool m_recordAtFirstSample = false;
};
