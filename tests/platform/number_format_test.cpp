#include "platform/number_text.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase
{
    const char *name;
    double value;
    const char *german;
    const char *c;
};

TEST(FloatToStr, GeneralFormatWithFifteenDigits)
{
    const FormatCase cases[] = {
            {"zero", 0.0, "0", "0"},
            {"whole number has no separator", 42.0, "42", "42"},
            {"negative fraction", -2.5, "-2,5", "-2.5"},
            {"single 0.1 widened to double", static_cast<double>(0.1f), "0,100000001490116",
             "0.100000001490116"},
            {"fifteen digits rounded", 1.0 / 3.0, "0,333333333333333", "0.333333333333333"},
            {"just below 1E15 stays fixed", 999999999999999.0, "999999999999999",
             "999999999999999"},
            {"1E15 is scientific", 1e15, "1E15", "1E15"},
            {"small scientific", 0.000015, "1,5E-5", "1.5E-5"},
            {"1E-4 stays fixed", 0.0001, "0,0001", "0.0001"},
            {"negative scientific", -2.5e20, "-2,5E20", "-2.5E20"},
            {"no thousands separator", 1234567.25, "1234567,25", "1234567.25"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FloatToStr(c.value, LocaleGuard::German()), QString::fromUtf8(c.german))
                << c.name;
        EXPECT_EQ(FloatToStr(c.value, LocaleGuard::C()), QString::fromUtf8(c.c)) << c.name;
    }
}

struct PictureCase
{
    const char *format;
    double value;
    const char *german;
};

TEST(FormatFloat, PictureFormatsUsedByTheWindow)
{
    const PictureCase cases[] = {
            {"##0.00", 3.14159, "3,14"},
            {"##0.00", 0.0, "0,00"},
            {"##0.00", -0.125, "-0,13"}, // half away from zero
            {"##0.00", 0.125, "0,13"},
            {"##0.00", 2.675, "2,67"}, // the double lies below the half
            {"##0.00", 12345.678, "12345,68"},
            {"#0.0000", 0.5, "0,5000"},
            {"####", 12.5, "13"},
            {"####", 0.2, ""},
            {"##0", 7.5, "8"},
            {"##0.#", 7.0, "7"},
            {"##0.#", 7.25, "7,3"},
            {"######0.000", 12.3456, "12,346"},
            {"#######0.000", -1.0, "-1,000"},
            {"####0.0", 99.95, "100,0"},
            {"#,##0.00", 1234567.891, "1.234.567,89"},
            {"0.00;(0.00)", -1.5, "(1,50)"},
            {"0.00;-0.00;zero", 0.0, "zero"},
            {"00000", 42.0, "00042"},
            {"0.00 V", 1.5, "1,50 V"},
            {"", 0.25, "0,25"},
            {"##0.00", -0.001, "0,00"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.format), c.value, LocaleGuard::German()),
                  QString::fromUtf8(c.german))
                << c.format << " " << c.value;
    }
    EXPECT_EQ(FormatFloat(QStringLiteral("######0.000"), 12.3456, LocaleGuard::C()),
              QStringLiteral("12.346"));
}

TEST(FormatStatistic, TwelveSignificantDigitsFourDecimals)
{
    const FormatCase cases[] = {
            {"exact", 2.5, "2,5000", "2.5000"},
            {"rounded to four", 1.29099444873581, "1,2910", "1.2910"},
            {"negative", -1.2, "-1,2000", "-1.2000"},
            {"zero", 0.0, "0,0000", "0.0000"},
            {"beyond twelve digits filled with zeros", 123456789.123456, "123456789,1230",
             "123456789.1230"},
            {"integer part too long", 1.5e13, "1,5E13", "1.5E13"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FormatStatistic(c.value, LocaleGuard::German()), QString::fromUtf8(c.german))
                << c.name;
        EXPECT_EQ(FormatStatistic(c.value, LocaleGuard::C()), QString::fromUtf8(c.c)) << c.name;
    }
}

} // namespace
