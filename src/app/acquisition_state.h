#pragma once

#include <cstdint>

// The main window's record of acquisition settings and counters. Start fills it from the
// window, the packet decoder updates it per packet; everything runs on the UI thread.
// Single-precision fields hold values rounded to binary32, as the device's samples are.
struct AcquisitionState
{
    bool Stopped = false;
    bool TrendMode = false;
    std::int32_t ChannelCount = 1;
    std::uint32_t ChannelLimit = 100000;
    std::uint32_t MaxSamples = 0;
    std::int64_t SampleCount = 0;
    std::int32_t LimitCount = 0;
    std::uint32_t TrendShift = 0;
    char Separator = ';';
    float Scale1 = 1.0f;
    float Scale2 = 0.0f;
    float Offset1 = 0.0f;
    float Offset2 = 0.0f;
    float XMax = 0.0f;
    float YMax1 = 0.0f;
    float YMin1 = 0.0f;
    float YMax2 = 0.0f;
    float YMin2 = 0.0f;
    float Value1 = 0.0f;
    float Value2 = 0.0f;
    float Prev1 = 0.0f;
    float Prev2 = 0.0f;
};
