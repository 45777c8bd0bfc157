#include "platform/decimal_digits.h"
#include "platform/number_text.h"

#include <QStringList>

namespace {

QString ScientificText(const DecimalDigits &d, const QChar decimalPoint)
{
    QString text;
    if (d.Negative)
        text += QLatin1Char('-');
    text += QLatin1Char(d.Digits[0]);
    if (d.Digits.size() > 1) {
        text += decimalPoint;
        text += QString::fromLatin1(d.Digits.data() + 1,
                                    static_cast<qsizetype>(d.Digits.size() - 1));
    }
    text += QLatin1Char('E');
    text += QString::number(d.Exponent - 1);
    return text;
}

QString SpecialText(const DecimalDigits &d)
{
    return (d.Negative ? QStringLiteral("-") : QString()) + QString::fromLatin1(d.Digits.c_str());
}

// Digit k (0-based, counted from the first significant one) or '0' beyond the stored digits.
char DigitAt(const DecimalDigits &d, int k)
{
    return (k >= 0 && k < static_cast<int>(d.Digits.size())) ? d.Digits[static_cast<size_t>(k)]
                                                             : '0';
}

struct PictureSection
{
    QString Text;
    int IntPlaceholders = 0; // '0' and '#' before the decimal point
    int IntZeros = 0; // placeholders from the first '0' on, before the point
    int FracPlaceholders = 0; // '0' and '#' after the point
    int FracZeros = 0; // places up to the last '0' after the point
    bool HasPoint = false;
    bool Grouping = false;
};

PictureSection AnalyseSection(const QString &text)
{
    PictureSection s;
    s.Text = text;
    bool afterPoint = false;
    bool seenIntZero = false;
    QChar quote;
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint) {
                afterPoint = true;
                s.HasPoint = true;
            }
        } else if (c == QLatin1Char(',')) {
            if (!afterPoint)
                s.Grouping = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                ++s.FracPlaceholders;
                if (c == QLatin1Char('0'))
                    s.FracZeros = s.FracPlaceholders;
            } else {
                ++s.IntPlaceholders;
                if (c == QLatin1Char('0'))
                    seenIntZero = true;
                if (seenIntZero)
                    ++s.IntZeros;
            }
        }
    }
    return s;
}

// Writes the digits into the picture, walking the format once.
QString ApplyPicture(const PictureSection &s, const DecimalDigits &d, bool writeMinus,
                     const QLocale &locale)
{
    const int intDigits = d.Digits.empty() ? 0 : std::max(d.Exponent, 0);
    const int intWidth = std::max(intDigits, s.IntZeros);
    // Integer digit j (0-based from the left of a field intWidth wide).
    auto intDigit = [&](int j) { return DigitAt(d, j - (intWidth - d.Exponent)); };

    // Fraction digits to write: at least FracZeros, up to the last non-zero digit.
    const int significantFrac = std::max(0, static_cast<int>(d.Digits.size()) - d.Exponent);
    const int fracCount = std::max(s.FracZeros, std::min(s.FracPlaceholders, significantFrac));

    const QString group = locale.groupSeparator();
    QString out;
    if (writeMinus)
        out += QLatin1Char('-');
    int intPlaceholderSeen = 0;
    int fracPlaceholderSeen = 0;
    bool afterPoint = false;
    QChar quote;
    auto emitInt = [&](int j) {
        out += QLatin1Char(intDigit(j));
        const int fromRight = intWidth - 1 - j;
        if (s.Grouping && fromRight > 0 && fromRight % 3 == 0)
            out += group;
    };
    for (QChar c : s.Text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint) {
                afterPoint = true;
                if (fracCount > 0)
                    out += locale.decimalPoint();
            }
        } else if (c == QLatin1Char(',')) {
            // grouping marker only
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                if (fracPlaceholderSeen < fracCount)
                    out += QLatin1Char(DigitAt(d, d.Exponent + fracPlaceholderSeen));
                ++fracPlaceholderSeen;
            } else {
                // The first placeholder takes every digit the picture has no room for.
                const int slot = intWidth - (s.IntPlaceholders - intPlaceholderSeen);
                if (intPlaceholderSeen == 0) {
                    for (int j = 0; j <= slot && j < intWidth; ++j)
                        emitInt(j);
                } else if (slot >= 0 && slot < intWidth) {
                    emitInt(slot);
                }
                ++intPlaceholderSeen;
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString FloatToStr(double value, const QLocale &locale)
{
    const DecimalDigits d = ToDecimalDigits(value, 15);
    if (d.Special)
        return SpecialText(d);
    if (d.Digits.empty())
        return QStringLiteral("0");
    if (d.Exponent > 15 || d.Exponent < -3)
        return ScientificText(d, locale.decimalPoint().at(0));
    DecimalDigits fixed = d;
    fixed.Negative = false;
    QString text = ApplyPicture(AnalyseSection(QStringLiteral("0.##################")), fixed,
                                d.Negative, locale);
    return text;
}

QString FormatFloat(const QString &format, double value, const QLocale &locale)
{
    if (format.isEmpty())
        return FloatToStr(value, locale);
    const QStringList sections = format.split(QLatin1Char(';'));
    int index = 0;
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty())
        index = 1;
    PictureSection s = AnalyseSection(sections[index]);
    if (s.IntPlaceholders + s.FracPlaceholders == 0)
        return sections[index];

    DecimalDigits d = ToDecimalDigits(value, 18, s.FracPlaceholders);
    if (d.Special)
        return SpecialText(d);
    if (d.Digits.empty() && sections.size() > 2 && !sections[2].isEmpty()) {
        s = AnalyseSection(sections[2]);
        index = 2;
    }
    const bool minus = d.Negative && index == 0;
    d.Negative = false;
    return ApplyPicture(s, d, minus, locale);
}

QString FloatToStrFixed(double value, int precision, int decimals, const QLocale &locale)
{
    const DecimalDigits probe = ToDecimalDigits(value, precision);
    if (probe.Special)
        return SpecialText(probe);
    if (probe.Exponent > precision)
        return ScientificText(probe, locale.decimalPoint().at(0));
    DecimalDigits d = ToDecimalDigits(value, precision, decimals);
    const bool minus = d.Negative;
    d.Negative = false;
    QString picture = QStringLiteral("0");
    if (decimals > 0)
        picture += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return ApplyPicture(AnalyseSection(picture), d, minus, locale);
}
