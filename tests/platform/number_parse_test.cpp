#include "platform/exception.h"
#include "platform/number_text.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

// What FloatToStr writes for the extremes reads back; the largest doubles print rounded to just
// past the largest double and read back as it, anything further out is refused.
TEST(StrToFloat, ExtremesWrittenReadBack)
{
    const struct
    {
        const char *name;
        double value;
        const char *c; // the German text has ',' for '.'
    } cases[] = {
            {"largest", std::numeric_limits<double>::max(), "1.79769313486232E308"},
            {"negative largest", -std::numeric_limits<double>::max(), "-1.79769313486232E308"},
            {"one below largest", std::nextafter(std::numeric_limits<double>::max(), 0.0),
             "1.79769313486232E308"},
            {"smallest normal", std::numeric_limits<double>::min(), "2.2250738585072E-308"},
            {"smallest subnormal", std::numeric_limits<double>::denorm_min(),
             "4.94065645841247E-324"},
            {"largest single", double(std::numeric_limits<float>::max()), "3.40282346638529E38"},
            {"negative largest single", -double(std::numeric_limits<float>::max()),
             "-3.40282346638529E38"},
    };
    for (const QLocale &locale : {LocaleGuard::C(), LocaleGuard::German()}) {
        for (const auto &c : cases) {
            const QString text = FloatToStr(c.value, locale);
            EXPECT_EQ(text, QString::fromUtf8(c.c).replace(QLatin1Char('.'), locale.decimalPoint()))
                    << c.name;
            double back = 0;
            ASSERT_TRUE(TryStrToFloat(text, back, locale)) << c.name << " " << text.toStdString();
            EXPECT_LE(std::fabs(back - c.value), std::fabs(c.value) * 1e-14) << c.name;
        }
    }
    double back = 0;
    EXPECT_TRUE(TryStrToFloat(QStringLiteral("1.79769313486232E308"), back, LocaleGuard::C()));
    EXPECT_EQ(back, std::numeric_limits<double>::max());
    for (const char *text : {"1.79769313486233E308", "1E309", "-1.8E308", "1E-400"})
        EXPECT_FALSE(TryStrToFloat(QString::fromUtf8(text), back, LocaleGuard::C())) << text;
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

// A typed field has no thousands grouping: either separator is the decimal point in every
// locale, and a text that is not one number is refused, never read as another.
TEST(TypedField, EitherSeparatorIsTheDecimalPointAndNothingElseConverts)
{
    const struct
    {
        const char *text;
        double value;
    } readable[]
            = {
                    {"0.5", 0.5},   {"0,5", 0.5}, {"-2,25E2", -225.0}, {" 1.5e-3 ", 0.0015},
                    {"10", 10.0},   {",5", 0.5},  {"5.", 5.0},         {"1,000000", 1.0},
                    {"1.000", 1.0}, // no grouping: a decimal point, not a thousand
            };
    const char *unreadable[] = {"", "0,5.5", "1.000,5", "1,000,000", "1e", "abc", "-", ".", "0x1"};
    for (const QLocale &locale : {LocaleGuard::German(), LocaleGuard::C()}) {
        SCOPED_TRACE(locale.name().toStdString());
        for (const auto &r : readable) {
            double value = -1;
            EXPECT_TRUE(TryTypedFieldToFloat(QString::fromUtf8(r.text), value, locale)) << r.text;
            EXPECT_DOUBLE_EQ(value, r.value) << r.text;
        }
        for (const char *text : unreadable) {
            const QString t = QString::fromUtf8(text);
            double value = -1;
            EXPECT_FALSE(TryTypedFieldToFloat(t, value, locale)) << text;
            EXPECT_EQ(value, -1) << "nothing taken from " << text;
            try {
                TypedFieldToFloat(t, locale);
                ADD_FAILURE() << "accepted " << text;
            } catch (const EConvertError &e) {
                EXPECT_EQ(e.Message(),
                          QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(t));
            }
        }
    }
}

} // namespace
