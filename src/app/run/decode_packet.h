#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The most channels a packet carries.
inline constexpr int kMaxChannels = 8;

// What a packet is read with: the channel count, the separator between the fields and the
// scale and offset of each channel. Single-precision fields hold binary32 values, as the
// device's samples are.
struct DecodeSettings
{
    std::int32_t ChannelCount = 1;
    char Separator = ';';
    float Scale1 = 1.0f;
    float Scale2 = 0.0f;
    float Offset1 = 0.0f;
    float Offset2 = 0.0f;
    // Channels 3 .. 8, at index channel - 3.
    std::array<float, kMaxChannels - 2> ScaleMore {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, kMaxChannels - 2> OffsetMore {};

    float Scale(int channel) const
    {
        return channel == 1 ? Scale1 : channel == 2 ? Scale2 : ScaleMore[size_t(channel - 3)];
    }
    float Offset(int channel) const
    {
        return channel == 1 ? Offset1 : channel == 2 ? Offset2 : OffsetMore[size_t(channel - 3)];
    }
    void SetScale(int channel, float value);
    void SetOffset(int channel, float value);
};

enum class SampleKind { Values, ClearCommand };

// What one packet says: the scaled value of each of its channels, or no value because the
// packet is the device's clear command.
struct Sample
{
    SampleKind Kind = SampleKind::Values;
    std::int32_t Count = 0; // the channel count; 0 with the clear command
    std::array<float, kMaxChannels> Values {};

    float Value(int channel) const { return Values[size_t(channel - 1)]; }
    bool operator==(const Sample &) const = default;
};

// The channels a packet is read with: the count when it is 2 to 8, otherwise one.
constexpr int ChannelsRead(std::int32_t channelCount)
{
    return channelCount >= 2 && channelCount <= kMaxChannels ? channelCount : 1;
}

// Reads one packet: "clr" or "CLR" is the clear command; with one channel the number at its
// start is channel 1. With two channels the text before the first separator is channel 1
// (empty, so 0, when there is none) and everything after it channel 2. With three or more,
// field k (split at each separator) is channel k; a missing field reads as an empty one, and
// the last channel's field runs to the end of the packet, so values beyond the channel count
// are ignored. Each number is read by ParseNumber, then value × scale + offset is evaluated in
// double and rounded once to single precision. Never fails: malformed text reads as the
// number at its start, or 0.
Sample DecodePacket(std::string_view packet, const DecodeSettings &settings);
