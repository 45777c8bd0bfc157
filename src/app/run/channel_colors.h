#pragma once

#include "app/run/decode_packet.h"
#include "platform/color.h"

#include <array>
#include <cstdint>

// The colour each channel draws in, on the fast display, the slow display and the legend.
// Channels 1 and 2 are blue and red; 3 to 8 take colours that eyes with a colour vision
// deficiency still tell apart from each other and from blue and red.
inline constexpr std::array<TColor, kMaxChannels> kChannelColors = {
        0xFF0000, // blue
        0x0000FF, // red
        0x009FE6, // orange
        0x739E00, // bluish green
        0xA779CC, // reddish purple
        0xE9B456, // sky blue
        0x000000, // black
        0x0A518C, // brown
};

inline TColor ChannelColor(int channel)
{
    return kChannelColors[static_cast<size_t>(channel - 1)];
}

// A chart's black-and-white pattern from 16 marks, 'x' for a pixel drawn, first bit first.
consteval std::uint16_t DashPattern(const char (&marks)[17])
{
    std::uint16_t pattern = 0;
    for (int i = 0; i < 16; ++i)
        pattern |= marks[i] == 'x' ? std::uint16_t(1u << i) : 0;
    return pattern;
}

// How each channel's curve looks in the black-and-white export, where every curve is black:
// channels 1 and 2 solid, as they always were; 3 to 8 dashed, each its own way.
inline constexpr std::array<std::uint16_t, kMaxChannels> kChannelBlackWhitePatterns = {
        DashPattern("xxxxxxxxxxxxxxxx"), DashPattern("xxxxxxxxxxxxxxxx"),
        DashPattern("xxxxxxxxxxxx...."), DashPattern("xxxxxx..xxxxxx.."),
        DashPattern("xxxx....xxxx...."), DashPattern("xx..xx..xx..xx.."),
        DashPattern("xxxxxxxx..x..x.."), DashPattern("x.x.x.x.x.x.x.x."),
};
