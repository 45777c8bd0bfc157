#include "platform/exception.h"
#include "platform/number_text.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

namespace {

TEST(StrToFloat, LocaleDecimalSeparator)
{
    const QLocale de = LocaleGuard::German();
    const QLocale c = LocaleGuard::C();
    EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral("1,5"), de), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral(" -2,25E2 "), de), -225.0);
    EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral("1.5"), c), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral("+7"), c), 7.0);

    const char *bad[] = {"", "1.5", "abc", "1,5x", "1.000,5", "E5", "1E", "inf", "nan", "0x10"};
    for (const char *text : bad) {
        try {
            StrToFloat(QString::fromUtf8(text), de);
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("'%1' ist kein gültiger Gleitkommawert")
                              .arg(QString::fromUtf8(text)));
        }
    }
}

TEST(StrToInt, DecimalAndHexadecimalWithRangeCheck)
{
    EXPECT_EQ(StrToInt(QStringLiteral("1000")), 1000);
    EXPECT_EQ(StrToInt(QStringLiteral("  -12")), -12);
    EXPECT_EQ(StrToInt(QStringLiteral("$1F")), 31);
    EXPECT_EQ(StrToInt(QStringLiteral("0x10")), 16);
    EXPECT_EQ(StrToInt64(QStringLiteral("4294967296")), 4294967296LL);
    EXPECT_EQ(StrToInt64(QStringLiteral("-9223372036854775808")), INT64_MIN);

    const char *bad[] = {"", "12 ", "1.5", "abc", "2147483648", "9223372036854775808"};
    for (const char *text : bad) {
        try {
            StrToInt(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("'%1' ist kein gültiger Integerwert")
                              .arg(QString::fromUtf8(text)));
        }
    }
}

TEST(LeadingDigitsToInt, ReadsTheIntegerPartOnly)
{
    EXPECT_EQ(LeadingDigitsToInt(QStringLiteral("0.5")), 0);
    EXPECT_EQ(LeadingDigitsToInt(QStringLiteral("20")), 20);
    EXPECT_EQ(LeadingDigitsToInt(QStringLiteral("600")), 600);
    EXPECT_THROW(LeadingDigitsToInt(QStringLiteral("x")), EConvertError);
}

struct FieldCase
{
    const char *text;
    int decimals;
    double german;
    double c;
};

TEST(FloatField, ReadsThousandsSeparatorBeforeTheDecimalsAsDecimalPoint)
{
    const FieldCase cases[] = {
            {"1,000000", 6, 1.0, 1.0},   {"0,000", 3, 0.0, 0.0}, {"10,000", 3, 10.0, 10.0},
            {"1.234,5", 1, 1234.5, 0.0}, // C: two decimal points after the swap
            {"-2,5", 1, -2.5, -2.5},     {"abc", 3, 0.0, 0.0},   {"", 3, 0.0, 0.0},
    };
    for (const auto &f : cases) {
        EXPECT_DOUBLE_EQ(
                ReadFloatField(QString::fromUtf8(f.text), f.decimals, LocaleGuard::German()),
                f.german)
                << f.text;
        EXPECT_DOUBLE_EQ(ReadFloatField(QString::fromUtf8(f.text), f.decimals, LocaleGuard::C()),
                         f.c)
                << f.text;
    }
}

TEST(FloatField, NormalisesTheDesignTexts)
{
    EXPECT_EQ(NormalizeFloatField(QStringLiteral("1,000000"), 6, LocaleGuard::German()),
              QStringLiteral("1,000000"));
    EXPECT_EQ(NormalizeFloatField(QStringLiteral("1,000000"), 6, LocaleGuard::C()),
              QStringLiteral("1.000000"));
    EXPECT_EQ(WriteFloatField(-0.5, 3, LocaleGuard::German()), QStringLiteral("-0,500"));
    EXPECT_EQ(WriteFloatField(12345.0, 3, LocaleGuard::German()), QStringLiteral("12345,000"));
}

} // namespace
