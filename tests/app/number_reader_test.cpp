#include "app/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(ParseNumber, OutOfRangeMagnitudesSaturate)
{
    EXPECT_EQ(ParseNumber("1e400"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseNumber("-1e39"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseNumber("1e-400"), 0.0f);
}

} // namespace
