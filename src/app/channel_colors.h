#pragma once

#include "app/decode_packet.h"
#include "platform/color.h"

#include <array>

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
