#pragma once

#include <cstdint>
#include <string_view>

// What a packet is read with: the channel count, the separator between the two fields and the
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
};

enum class SampleKind { OneValue, TwoValues, ClearCommand };

// What one packet says: the scaled value of channel 1 (and of channel 2 with two channels), or
// no value because the packet is the device's clear command.
struct Sample
{
    SampleKind Kind = SampleKind::OneValue;
    float Value1 = 0.0f;
    float Value2 = 0.0f; // only with TwoValues

    bool operator==(const Sample &) const = default;
};

// Reads one packet: "clr" or "CLR" is the clear command; with one channel the number at its
// start is channel 1; with two channels the text before the first separator is channel 1
// (empty, so 0, when there is none) and everything after it channel 2. Each number is read by
// ParseNumber, then value × scale + offset is evaluated in double and rounded once to single
// precision. Never fails: malformed text reads as the number at its start, or 0.
Sample DecodePacket(std::string_view packet, const DecodeSettings &settings);
