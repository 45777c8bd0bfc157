#include "app/decode_packet.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

void PrintTo(const Sample &s, std::ostream *os)
{
    *os << "{kind " << static_cast<int>(s.Kind) << ", " << s.Value1 << ", " << s.Value2 << '}';
}

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

DecodeSettings Settings(int channels, char separator = ';')
{
    DecodeSettings settings;
    settings.ChannelCount = channels;
    settings.Separator = separator;
    settings.Scale1 = 2.0f;
    settings.Offset1 = 1.0f;
    settings.Scale2 = 2.0f;
    settings.Offset2 = 0.5f;
    return settings;
}

TEST(DecodePacket, ReadsScalesAndSplitsFields)
{
    using enum SampleKind;
    const struct
    {
        const char *name;
        DecodeSettings settings;
        const char *packet;
        Sample sample;
    } cases[] = {
            {"one channel reads the number at the start", Settings(1), "1.5;2", {OneValue, 4.0f}},
            {"one channel, empty packet reads 0", Settings(1), "", {OneValue, 1.0f}},
            {"two fields", Settings(2), "3;4", {TwoValues, 7.0f, 8.5f}},
            {"no separator: channel 1 reads 0, channel 2 the whole packet",
             Settings(2),
             "3.5",
             {TwoValues, 1.0f, 7.5f}},
            {"further separators stay in field 2", Settings(2), "1;2;3", {TwoValues, 3.0f, 4.5f}},
            {"a comma is no decimal point", Settings(2), "12,5;0.25", {TwoValues, 25.0f, 1.0f}},
            {"separator first: field 1 empty", Settings(2), ";4", {TwoValues, 1.0f, 8.5f}},
            {"tab separator", Settings(2, '\t'), "1\t2", {TwoValues, 3.0f, 4.5f}},
            {"space separator", Settings(2, ' '), "1 2", {TwoValues, 3.0f, 4.5f}},
            {"semicolon is only a separator when chosen",
             Settings(2, ' '),
             "1;2",
             {TwoValues, 1.0f, 2.5f}},
            {"clear command", Settings(1), "clr", {ClearCommand}},
            {"clear command in capitals", Settings(2), "CLR", {ClearCommand}},
            {"mixed case is a number (0)", Settings(1), "Clr", {OneValue, 1.0f}},
            {"clear command with a space is a number", Settings(1), "clr ", {OneValue, 1.0f}},
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
    EXPECT_EQ(DecodePacket("3e38", settings).Value1, static_cast<float>(2.0 * 3e38f - 3e38f));
    settings.Offset1 = 0.0f;
    EXPECT_EQ(DecodePacket("3e38", settings).Value1, kInf);
    EXPECT_EQ(DecodePacket("-3e38", settings).Value1, -kInf);
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
        EXPECT_EQ(DecodePacket(c.packet, settings).Value1, c.value)
                << c.packet << " x " << c.scale << " + " << c.offset;
    }
}

} // namespace
