#include "platform/exception.h"
#include "platform/number_text.h"

#include <QCoreApplication>

#include <charconv>
#include <limits>
#include <string>

namespace {

[[noreturn]] void ThrowFloatError(const QString &text)
{
    throw EConvertError(
            QCoreApplication::translate("NumberText", "'%1' ist kein gültiger Gleitkommawert")
                    .arg(text));
}

[[noreturn]] void ThrowIntError(const QString &text)
{
    throw EConvertError(
            QCoreApplication::translate("NumberText", "'%1' ist kein gültiger Integerwert")
                    .arg(text));
}

// Accepts [spaces] [sign] digits [sep digits] [(E|e) [sign] digits] [spaces] with `decimal`
// as the only separator; returns the text in C form for from_chars.
bool NormaliseFloatText(const QString &text, QChar decimal, std::string &out)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto isDigit = [&](qsizetype k) {
        return k < n && t[k] >= QLatin1Char('0') && t[k] <= QLatin1Char('9');
    };
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        if (t[i] == QLatin1Char('-'))
            out.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (isDigit(i)) {
        out.push_back(static_cast<char>(t[i++].unicode()));
        ++mantissaDigits;
    }
    if (i < n && t[i] == decimal) {
        out.push_back('.');
        ++i;
        while (isDigit(i)) {
            out.push_back(static_cast<char>(t[i++].unicode()));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        out.push_back('e');
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            out.push_back(static_cast<char>(t[i++].unicode()));
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            out.push_back(static_cast<char>(t[i++].unicode()));
    }
    return i == n;
}

// FloatToStr rounds the largest doubles to 15 digits, 1.79769313486232E308, which lies just past
// the largest double: such a text reads as the largest double, so that what is written reads
// back. Anything further out is out of range.
bool ReadJustPastLargest(const std::string &c, double &value)
{
    constexpr long double largestText = 1.79769313486232e308L;
    long double v = 0.0L;
    const auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), v);
    if (ec != std::errc() || end != c.data() + c.size())
        return false;
    const long double magnitude = v < 0 ? -v : v;
    if (magnitude <= std::numeric_limits<double>::max() || magnitude > largestText)
        return false;
    value = v < 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    return true;
}

bool ParseInt64(const QString &text, std::int64_t &value)
{
    // Leading spaces, a sign, decimal digits or '$' / "0x" hexadecimal, nothing after.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    const std::string digits = text.mid(i).toStdString();
    if (digits.empty())
        return false;
    std::uint64_t magnitude = 0;
    const auto [end, ec]
            = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return false;
    const std::uint64_t limit = negative
            ? std::uint64_t(1) << 63
            : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > limit)
        return false;
    value = negative ? static_cast<std::int64_t>(0 - magnitude)
                     : static_cast<std::int64_t>(magnitude);
    return true;
}

} // namespace

bool TryStrToFloat(const QString &text, double &value, const QLocale &locale)
{
    std::string c;
    if (!NormaliseFloatText(text, locale.decimalPoint().at(0), c))
        return false;
    double v = 0.0;
    const auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), v);
    if (end != c.data() + c.size())
        return false;
    if (ec == std::errc::result_out_of_range)
        return ReadJustPastLargest(c, value);
    if (ec != std::errc())
        return false;
    value = v;
    return true;
}

double StrToFloat(const QString &text, const QLocale &locale)
{
    double v = 0.0;
    if (!TryStrToFloat(text, v, locale))
        ThrowFloatError(text);
    return v;
}

bool TryTypedFieldToFloat(const QString &text, double &value, const QLocale &locale)
{
    const QString localePoint = locale.decimalPoint();
    QString c = text;
    int separators = 0;
    for (QChar &ch : c) {
        if (ch == QLatin1Char('.') || ch == QLatin1Char(',') || localePoint == ch) {
            ch = QLatin1Char('.');
            ++separators;
        }
    }
    return separators <= 1 && TryStrToFloat(c, value, QLocale::c());
}

double TypedFieldToFloat(const QString &text, const QLocale &locale)
{
    double v = 0.0;
    if (!TryTypedFieldToFloat(text, v, locale))
        ThrowFloatError(text);
    return v;
}

std::int64_t StrToInt64(const QString &text)
{
    std::int64_t v = 0;
    if (!ParseInt64(text, v))
        ThrowIntError(text);
    return v;
}

int StrToInt(const QString &text)
{
    std::int64_t v = 0;
    if (!ParseInt64(text, v) || v < std::numeric_limits<int>::min()
        || v > std::numeric_limits<int>::max())
        ThrowIntError(text);
    return static_cast<int>(v);
}

std::int64_t LeadingDigitsToInt(const QString &text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] == QLatin1Char(' '))
        ++end;
    if (end < text.size() && (text[end] == QLatin1Char('+') || text[end] == QLatin1Char('-')))
        ++end;
    while (end < text.size() && text[end].isDigit())
        ++end;
    return StrToInt64(text.left(end));
}

double ReadFloatField(const QString &text, int decimals, const QLocale &locale)
{
    const QString group = locale.groupSeparator();
    QString cleaned;
    cleaned.reserve(text.size());
    const qsizetype decimalAt = text.size() - decimals - 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!group.isEmpty() && text.mid(i, group.size()) == group) {
            if (i == decimalAt)
                cleaned += locale.decimalPoint();
            i += group.size() - 1;
            continue;
        }
        cleaned += text[i];
    }
    double v = 0.0;
    return TryStrToFloat(cleaned, v, locale) ? v : 0.0;
}

QString WriteFloatField(double value, int decimals, const QLocale &locale)
{
    return FloatToStrFixed(value, 18, decimals, locale);
}
