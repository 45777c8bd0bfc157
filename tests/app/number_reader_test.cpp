#include "app/run/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(ParseNumber, LongestValidNumberAtTheStart)
{
    const struct
    {
        const char *text;
        float value;
    } cases[] = {
            {"12.5", 12.5f},
            {"12.5 ", 12.5f},
            {"   7", 7.0f},
            {"-3x", -3.0f},
            {"+4", 4.0f},
            {"1.5e2;", 150.0f},
            {"1.5E-1", 0.15f},
            {"2e", 2.0f}, // an 'e' without digits ends the
                          // number before it
            {"2e+", 2.0f},
            {"12,5", 12.0f},
            {"1.", 1.0f},
            {".", 0.0f},
            {".5", 0.5f},
            {"", 0.0f},
            {"   ", 0.0f},
            {"-", 0.0f},
            {"\t5", 0.0f}, // only spaces are
                           // skipped
            {"abc", 0.0f},
            {"inf", 0.0f},
            {"nan", 0.0f},
            {"0x10", 0.0f},
            {"Clr", 0.0f},
            {"0.1", 0.1f}, // rounded to single precision
            {"1e-60", 0.0f},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseNumber, RoundsOnceToSinglePrecisionAndSaturatesBeyond)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const std::string tinyWithoutExponent = "0." + std::string(400, '0') + "1";
    const std::string hugeWithoutExponent = "1" + std::string(400, '0');
    const struct
    {
        std::string text;
        float value;
    } cases[] = {
            {"3.40282347e+38", kMax},
            {"-3.40282347e+38", -kMax},
            {"3.4028235e38", kMax},
            // One below the midpoint between FLT_MAX and the next power of two: a double in
            // between would round it up to the midpoint and then to infinity.
            {"340282356779733661637539395458142568447", kMax},
            {"340282356779733661637539395458142568448", kInf}, // the midpoint: ties to even
            {"3.40282357e38", kInf},
            {"1e400", kInf},
            {"-1e39", -kInf},
            {hugeWithoutExponent, kInf},
            {"1e-400", 0.0f},
            {"1e-46", 0.0f},
            {tinyWithoutExponent, 0.0f},
            {"0.0001e-99999999999999999999", 0.0f},
            {"1.4e-45", std::numeric_limits<float>::denorm_min()},
            {"1000e-3", 1.0f},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text.substr(0, 60) << '"';
}

} // namespace
