#include "chart/num_lab.h"

#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <QDate>

namespace {

struct TextCase
{
    const char *name;
    TDisplay type;
    int precision;
    double value;
    const char *expected;
    bool comma = false;
    bool plus = false;
};

class NumLabTextTest : public ::testing::TestWithParam<TextCase>
{ };

TEST_P(NumLabTextTest, FormatsTheNumber)
{
    const TextCase &c = GetParam();
    TNumLabFormat format;
    format.DisplayType = c.type;
    format.Precision = c.precision;
    format.Comma = c.comma;
    format.ForcePlusSign = c.plus;
    EXPECT_EQ(NumLabText(format, c.value), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
        Table, NumLabTextTest,
        ::testing::Values(
                TextCase {"FixedRoundsUp", TDisplay::dtFixP, 0, 1234.6, "1235"},
                TextCase {"FixedNegative", TDisplay::dtFixP, 0, -3.2, "-3"},
                TextCase {"FixedDecimals", TDisplay::dtFixP, 2, 2.5, "2.50"},
                TextCase {"FixedComma", TDisplay::dtFixP, 1, 2.5, "2,5", true},
                TextCase {"FixedPlusSign", TDisplay::dtFixP, 1, 2.5, "+2.5", false, true},
                TextCase {"NoPlusForZero", TDisplay::dtFixP, 0, 0, "0", false, true},
                TextCase {"NoPlusForNegative", TDisplay::dtFixP, 0, -1, "-1", false, true},
                TextCase {"General", TDisplay::dtFloat, 4, 3.14159, "3.142"},
                TextCase {"Exponential", TDisplay::dtExp, 2, 12345, "1.23e+04"},
                TextCase {"HexKeepsLastDigits", TDisplay::dtHex, 4, 74565, "2345"},
                TextCase {"HexPadded", TDisplay::dtHex, 6, 255, "0000FF"},
                TextCase {"HexNegativeTwosComplement", TDisplay::dtHex, 8, -1, "FFFFFFFF"},
                TextCase {"HexPrecisionZeroIsEmpty", TDisplay::dtHex, 0, 255, ""},
                TextCase {"HexOutOfRange", TDisplay::dtHex, 4, 4294967296.0, "*********"},
                TextCase {"HexNoComma", TDisplay::dtHex, 4, 10, "000A", true, true},
                TextCase {"ZeroIntPadded", TDisplay::dtZeroInt, 5, 42, "00042"},
                TextCase {"ZeroIntNegative", TDisplay::dtZeroInt, 3, -7, "-007"},
                TextCase {"ZeroIntOutOfRange", TDisplay::dtZeroInt, 3, 3e9, "*********"},
                TextCase {"IntRoundsTiesToEven", TDisplay::dtInt, 5, 2.5, "2"},
                TextCase {"IntHuge", TDisplay::dtInt, 0, 1e300, "*********"},
                TextCase {"BinaryLowBits", TDisplay::dtBin, 4, 10, "1010"},
                TextCase {"BinaryCut", TDisplay::dtBin, 3, 10, "010"},
                TextCase {"OctalDigits", TDisplay::dtOct, 4, 8, "0010"},
                TextCase {"Degrees", TDisplay::dtDeg, 1, 12.25, "12.3°"},
                TextCase {"DegreesMinutes", TDisplay::dtDegMin, 1, 12.5, "12° 30.0'"},
                TextCase {"DegreesMinutesCarry", TDisplay::dtDegMin, 0, 12.9999, "13° 0'"},
                TextCase {"DegreesMinutesSeconds", TDisplay::dtDegMinSec, 0, 10.5125,
                          "10° 30' 45\""},
                TextCase {"EngineeringKilo", TDisplay::dtEEng, 2, 12345, "12.35E+3"},
                TextCase {"EngineeringMicro", TDisplay::dtEEng, 1, -0.0000047, "-4.7E-6"},
                TextCase {"EngineeringNoPoint", TDisplay::dtEEngNoDP, 2, 12345, "12E+3"}),
        [](const ::testing::TestParamInfo<TextCase> &info) { return info.param.name; });

TEST(NumLabText, IgnoresTheLocaleSeparator)
{
    LocaleGuard guard(LocaleGuard::German());
    TNumLabFormat format;
    format.Precision = 1;
    EXPECT_EQ(NumLabText(format, 2.5), "2.5");
    format.DisplayType = TDisplay::dtFloat;
    format.Precision = 2;
    EXPECT_EQ(NumLabText(format, 2.5), "2.5");
}

TEST(NumLabText, StateAndDateTime)
{
    LocaleGuard guard(LocaleGuard::C());
    TNumLabFormat format;
    format.DisplayType = TDisplay::dtState;
    format.StateText = "running, 2.5";
    EXPECT_EQ(NumLabText(format, 1), "running, 2.5");
    format.DisplayType = TDisplay::dtDateTime;
    const double day = QDate(1899, 12, 30).daysTo(QDate(2024, 3, 5));
    EXPECT_EQ(NumLabText(format, day), "Mar-05, 2024");
}

// Counts draws through the display hook, which runs once per drawing of a non-empty label.
struct CountingLabel : ::testing::Test
{
    CountingLabel()
    {
        label.OnBeforeDisplay = [this](TNumLab *sender, QString &) {
            EXPECT_EQ(sender, &label);
            ++draws;
        };
    }
    TNumLab label;
    int draws = 0;
};

TEST_F(CountingLabel, RedrawsOnlyOnChange)
{
    label.SetValue(5);
    EXPECT_EQ(draws, 1);
    label.SetValue(5);
    label.SetPrecision(2); // the default already
    label.SetPrecision(-1); // ignored
    EXPECT_EQ(draws, 1);
    label.SetPrecision(40);
    EXPECT_EQ(label.Precision(), 15);
    EXPECT_EQ(draws, 2);
}

TEST_F(CountingLabel, HandlerMayChangeTheText)
{
    label.OnBeforeDisplay = [](TNumLab *, QString &text) { text = "x" + text; };
    label.SetValue(1);
    EXPECT_EQ(label.DisplayedText(), "x1.00");
}

TEST(NumLab, TooWideTextShowsTheOverflowIndicator)
{
    TNumLab label;
    label.SetLabelWidth(30);
    label.SetValue(123456789);
    EXPECT_EQ(label.DisplayedText(), "*********");
    label.SetDisplayType(TDisplay::dtState); // state texts are never replaced
    EXPECT_EQ(label.DisplayedText(), "undefined");
}

// The field's inner area holds only the background colour when nothing is shown.
bool FieldIsBlank(const TNumLab &label)
{
    const QImage &image = label.Image();
    const QRgb background = image.pixel(label.LeftSpace() + 4, 3);
    for (int x = label.LeftSpace() + 3; x < label.LeftSpace() + label.LabelWidth() - 1; ++x) {
        for (int y = 2; y < label.height() - 3; ++y) {
            if (image.pixel(x, y) != background) {
                return false;
            }
        }
    }
    return true;
}

TEST(NumLab, EmptyShowsFrameAndSideTextsButNoNumber)
{
    TNumLab label;
    label.resize(200, 28);
    label.SetFrameStyle(TFrameStyle::fsSimple);
    label.SetColorLabBakG(clWhite);
    label.SetRightText("ms");
    EXPECT_FALSE(FieldIsBlank(label));
    label.SetEmpty(true);
    label.SetValue(77);
    EXPECT_TRUE(FieldIsBlank(label));
    EXPECT_EQ(label.Image().pixel(label.LeftSpace(), 10), qRgb(0x80, 0x80, 0x80)); // frame
    bool sideText = false;
    for (int x = label.LeftSpace() + label.LabelWidth() + 7; x < label.width(); ++x) {
        for (int y = 0; y < label.height(); ++y) {
            sideText = sideText || label.Image().pixel(x, y) == qRgb(0, 0, 0);
        }
    }
    EXPECT_TRUE(sideText);
}

TEST(NumLab, RightAlignedNumberEndsAtTheFieldEdge)
{
    TNumLab label;
    label.SetFrameStyle(TFrameStyle::fsNone);
    label.SetColorLabBakG(clWhite);
    label.SetAlignment(TAlignment::taRightJustify);
    label.SetPrecision(0);
    label.SetValue(8);
    const QImage &image = label.Image();
    const int edge = label.LeftSpace() + label.LabelWidth() - 2; // the text ends here
    int rightmostInk = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 2; y < label.height() - 3; ++y) {
            if (image.pixel(x, y) == qRgb(0, 0, 0)) {
                rightmostInk = std::max(rightmostInk, x);
            }
        }
    }
    EXPECT_LT(rightmostInk, edge);
    EXPECT_GT(rightmostInk, edge - 8); // the glyph's own bearing
}

TEST(NumLab, DisabledDrawsTheNumberInGrey)
{
    TNumLab label;
    label.SetFrameStyle(TFrameStyle::fsNone);
    label.SetValue(8);
    label.SetEnabled(false);
    bool grey = false, black = false;
    for (int x = label.LeftSpace() + 3; x < label.LeftSpace() + label.LabelWidth(); ++x) {
        for (int y = 2; y < label.height() - 3; ++y) {
            grey = grey || label.Image().pixel(x, y) == qRgb(0x80, 0x80, 0x80);
            black = black || label.Image().pixel(x, y) == qRgb(0, 0, 0);
        }
    }
    EXPECT_TRUE(grey);
    EXPECT_FALSE(black);
}

} // namespace
