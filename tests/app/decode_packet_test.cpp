#include "app/run/decode_packet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>

void PrintTo(const Sample &s, std::ostream *os)
{
    *os << "{kind " << static_cast<int>(s.Kind) << ", count " << s.Count << ':';
    for (int k = 0; k < s.Count; ++k)
        *os << ' ' << s.Values[size_t(k)];
    *os << '}';
}

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// Channel k is read with scale k + 1 and offset k / 2.
DecodeSettings Settings(int channels, char separator = ';')
{
    DecodeSettings settings;
    settings.ChannelCount = channels;
    settings.Separator = separator;
    for (int k = 1; k <= kMaxChannels; ++k) {
        settings.SetScale(k, float(k + 1));
        settings.SetOffset(k, float(k) / 2);
    }
    return settings;
}

Sample Values(std::initializer_list<float> values)
{
    Sample sample;
    sample.Count = static_cast<std::int32_t>(values.size());
    std::copy(values.begin(), values.end(), sample.Values.begin());
    return sample;
}

const Sample kClear {SampleKind::ClearCommand};

TEST(DecodePacket, ReadsScalesAndSplitsFields)
{
    const struct
    {
        const char *name;
        DecodeSettings settings;
        const char *packet;
        Sample sample;
    } cases[] = {
            {"one channel reads the number at the start", Settings(1), "1.5;2", Values({3.5f})},
            {"one channel, empty packet reads 0", Settings(1), "", Values({0.5f})},
            {"two fields", Settings(2), "3;4", Values({6.5f, 13.0f})},
            {"no separator: channel 1 reads 0, channel 2 the whole packet", Settings(2), "3.5",
             Values({0.5f, 11.5f})},
            {"further separators stay in field 2", Settings(2), "1;2;3", Values({2.5f, 7.0f})},
            {"a comma is no decimal point", Settings(2), "12,5;0.25", Values({24.5f, 1.75f})},
            {"separator first: field 1 empty", Settings(2), ";4", Values({0.5f, 13.0f})},
            {"tab separator", Settings(2, '\t'), "1\t2", Values({2.5f, 7.0f})},
            {"space separator", Settings(2, ' '), "1 2", Values({2.5f, 7.0f})},
            {"semicolon is only a separator when chosen", Settings(2, ' '), "1;2",
             Values({0.5f, 4.0f})},
            {"three fields", Settings(3), "1;2;3", Values({2.5f, 7.0f, 13.5f})},
            {"eight fields", Settings(8), "1;1;1;1;1;1;1;1",
             Values({2.5f, 4.0f, 5.5f, 7.0f, 8.5f, 10.0f, 11.5f, 13.0f})},
            {"a short line reads the missing fields as 0", Settings(4), "1;2",
             Values({2.5f, 7.0f, 1.5f, 2.0f})},
            {"a lone number with three channels is channel 1", Settings(3), "2",
             Values({4.5f, 1.0f, 1.5f})},
            {"values beyond the count are ignored", Settings(3), "1;2;3;4;5",
             Values({2.5f, 7.0f, 13.5f})},
            {"an unconvertible field reads as 0", Settings(3), "1;x;-2e",
             Values({2.5f, 1.0f, -6.5f})},
            {"empty fields between separators", Settings(3), ";;3", Values({0.5f, 1.0f, 13.5f})},
            {"clear command", Settings(1), "clr", kClear},
            {"clear command in capitals", Settings(2), "CLR", kClear},
            {"clear command with eight channels", Settings(8), "clr", kClear},
            {"mixed case is a number (0)", Settings(1), "Clr", Values({0.5f})},
            {"clear command with a space is a number", Settings(1), "clr ", Values({0.5f})},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecodePacket(c.packet, c.settings), c.sample) << c.name;
}

TEST(DecodePacket, ScalesInDoubleAndRoundsOnceToSinglePrecision)
{
    DecodeSettings settings;
    settings.Scale1 = 2.0f;
    settings.Offset1 = -3e38f;
    // 6e38 would overflow single precision; the sum does not.
    EXPECT_EQ(DecodePacket("3e38", settings).Value(1), static_cast<float>(2.0 * 3e38f - 3e38f));
    settings.Offset1 = 0.0f;
    EXPECT_EQ(DecodePacket("3e38", settings).Value(1), kInf);
    EXPECT_EQ(DecodePacket("-3e38", settings).Value(1), -kInf);
}

TEST(DecodePacket, ScaledValuesRoundToFloatMaxBeforeTheySaturate)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    // FLT_MAX's last unit is 2^104: up to half of it above still rounds down to FLT_MAX.
    const struct
    {
        const char *packet;
        float scale, offset;
        float value;
    } cases[] = {
            {"3.40282347e+38", 1.0f, 0.0f, kMax},
            {"3.40282347e+38", 1.0f, 0x1p102f, kMax},
            {"-3.40282347e+38", 1.0f, -0x1p102f, -kMax},
            {"3.40282347e+38", 1.0f, 0x1p103f, kInf}, // the midpoint rounds to even
            {"1.7014117e38", 2.0f, 0.0f, kMax},
            {"1.7014118e38", 2.0f, 0.0f, kInf},
            {"-2e38", 2.0f, 0.0f, -kInf},
    };
    for (const auto &c : cases) {
        DecodeSettings settings;
        settings.Scale1 = c.scale;
        settings.Offset1 = c.offset;
        EXPECT_EQ(DecodePacket(c.packet, settings).Value(1), c.value)
                << c.packet << " x " << c.scale << " + " << c.offset;
    }
}

} // namespace
