#pragma once

#include "app/run/recording_format.h"

#include <cstddef>
#include <span>

struct RunSettings;

// The samples of one device read, as the run took them: Channels values per sample, one sample
// after the other, all read at ReadTime.
struct SampleBlockView
{
    RecordingFormat::Clock::time_point ReadTime;
    int Channels = 1;
    std::span<const float> Values;

    std::size_t SampleCount() const { return Values.size() / std::size_t(Channels); }
    // Channel 1 .. Channels of sample 0 .. SampleCount() - 1.
    float Value(std::size_t sample, int channel) const
    {
        return Values[sample * std::size_t(Channels) + std::size_t(channel - 1)];
    }
};

// Where a run's samples go: a display, the port LEDs, the recorder, ... The run picks its sinks
// at Start from its settings and hands each one every block it takes, once per device read, in
// the order the samples arrived. A sink never calls back into the run. User-interface thread.
class SampleSink
{
public:
    virtual ~SampleSink() = default;

    // A run begins with these settings (the sink prepares what it shows).
    virtual void BeginRun(const RunSettings &) { }
    // Whether the next block is wanted; asked once per block, so that a run whose sinks want
    // nothing (a fast display run without a recording) gathers no samples.
    virtual bool Wants() const { return true; }
    virtual void Take(const SampleBlockView &block) = 0;
    // The run's device went away; the run waits for it. DeviceBack: it is back.
    virtual void DeviceLost() { }
    virtual void DeviceBack() { }
    // The run has ended (Stop, the sample limit, an overflow).
    virtual void EndRun() { }
};
