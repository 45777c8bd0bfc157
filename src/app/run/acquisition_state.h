#pragma once

#include "app/run/decode_packet.h"

#include <array>
#include <cstdint>

// The channel limit that goes with a channel count: the chart's display list holds 100,000
// samples in all, 100,000 of one channel, 50,000 pairs, 12,500 of each of eight channels.
constexpr std::uint32_t ChannelLimitFor(std::int32_t channelCount)
{
    return 100000u / static_cast<std::uint32_t>(ChannelsRead(channelCount));
}

// The record of a run: the decode settings it was started with, the chart ranges and limits,
// and the run's counters and last values. One instance, owned by Acquisition, on the
// user-interface thread. It has one writer, the run's PacketDecoder: the settings when a run
// begins (from RunSettings) or when the window changes the channel count or trend mode while
// idle, the counters and values per sample. Everyone else only reads it.
struct AcquisitionState : DecodeSettings
{
    bool Stopped = false;
    bool TrendMode = false;
    std::uint32_t ChannelLimit = ChannelLimitFor(1);
    std::uint32_t MaxSamples = 0;
    std::int64_t SampleCount = 0;
    std::int32_t LimitCount = 0;
    std::uint32_t TrendShift = 0;
    float XMax = 0.0f;
    float YMax1 = 0.0f;
    float YMin1 = 0.0f;
    float YMax2 = 0.0f;
    float YMin2 = 0.0f;
    float Value1 = 0.0f; // the last decoded value per channel
    float Value2 = 0.0f;
    float Prev1 = 0.0f; // the value per channel of the last sample counted on the fast display
    float Prev2 = 0.0f;
    // Channels 3 .. 8, at index channel - 3.
    std::array<float, kMaxChannels - 2> ValueMore {};
    std::array<float, kMaxChannels - 2> PrevMore {};

    float Value(int channel) const
    {
        return channel == 1 ? Value1 : channel == 2 ? Value2 : ValueMore[size_t(channel - 3)];
    }
    float Prev(int channel) const
    {
        return channel == 1 ? Prev1 : channel == 2 ? Prev2 : PrevMore[size_t(channel - 3)];
    }
    // The decoded values of every channel of the sample become the last ones.
    void TakeValues(const Sample &sample)
    {
        Value1 = sample.Values[0];
        if (sample.Count < 2)
            return;
        Value2 = sample.Values[1];
        for (int k = 3; k <= sample.Count; ++k)
            ValueMore[size_t(k - 3)] = sample.Values[size_t(k - 1)];
    }
    // The last values become the previous ones.
    void KeepAsPrevious()
    {
        Prev1 = Value1;
        Prev2 = Value2;
        if (ChannelCount > 2)
            PrevMore = ValueMore;
    }
};
