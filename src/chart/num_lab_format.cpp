#include "chart/num_lab.h"

#include "platform/date_time.h"
#include "platform/rounding.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

bool InUnsigned32Range(double v)
{
    return v >= -2147483648.0 && v <= 4294967295.0;
}

// Rounding a value beyond the 64-bit range would be undefined; such values never reach here.
bool FitsInt64(double v)
{
    return std::isfinite(v) && std::fabs(v) < 9.2e18;
}

QString Fixed(double v, int decimals)
{
    return QString::asprintf("%.*f", decimals, v);
}

// The last `digits` digits of the value in base 2^bitsPerDigit (two's complement for negatives).
QString LowDigits(std::int64_t value, int digits, int bitsPerDigit)
{
    const auto bits = static_cast<std::uint64_t>(value);
    QString text;
    for (int i = digits - 1; i >= 0; --i) {
        const unsigned digit = (bits >> (i * bitsPerDigit)) & ((1u << bitsPerDigit) - 1);
        text += QLatin1Char("0123456789ABCDEF"[digit]);
    }
    return text;
}

QString DegreesText(double v, int p, bool withSeconds)
{
    const QString sign = v < 0 ? QStringLiteral("-") : QString();
    double a = std::fabs(v);
    double degrees = std::floor(a);
    double minutes = (a - degrees) * 60;
    if (!withSeconds) {
        if (Fixed(minutes, p).toDouble() >= 60) {
            degrees += 1;
            minutes = 0;
        }
        return sign + Fixed(degrees, 0) + QStringLiteral("° ") + Fixed(minutes, p)
                + QLatin1Char('\'');
    }
    double wholeMinutes = std::floor(minutes);
    double seconds = (minutes - wholeMinutes) * 60;
    if (Fixed(seconds, p).toDouble() >= 60) {
        seconds = 0;
        wholeMinutes += 1;
    }
    if (wholeMinutes >= 60) {
        wholeMinutes = 0;
        degrees += 1;
    }
    return sign + Fixed(degrees, 0) + QStringLiteral("° ") + Fixed(wholeMinutes, 0)
            + QStringLiteral("' ") + Fixed(seconds, p) + QLatin1Char('"');
}

// Mantissa in [1, 1000) and an exponent that is a multiple of three.
QString EngineeringText(double v, int decimals)
{
    int exponent = 0;
    if (v != 0 && std::isfinite(v)) {
        exponent = static_cast<int>(std::floor(std::floor(std::log10(std::fabs(v))) / 3)) * 3;
    }
    QString mantissa = Fixed(v / std::pow(10.0, exponent), decimals);
    if (std::fabs(mantissa.toDouble()) >= 1000) {
        exponent += 3;
        mantissa = Fixed(v / std::pow(10.0, exponent), decimals);
    }
    return mantissa + QLatin1Char('E') + (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
            + QString::number(std::abs(exponent));
}

// Month names are not part of the shared date-time format; they are put in as quoted text.
QString DateTimeText(const QString &format, double v)
{
    const int month = DateTimeToQt(v).date().month();
    QString expanded = format;
    const QLocale locale;
    const auto quoted = [](const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); };
    expanded.replace(QStringLiteral("mmmm"), quoted(locale.monthName(month, QLocale::LongFormat)),
                     Qt::CaseInsensitive);
    expanded.replace(QStringLiteral("mmm"), quoted(locale.monthName(month, QLocale::ShortFormat)),
                     Qt::CaseInsensitive);
    return FormatDateTime(expanded, v);
}

QString RawText(const TNumLabFormat &f, double v)
{
    const int p = f.Precision;
    switch (f.DisplayType) {
    case TDisplay::dtFloat:
        return QString::asprintf("%*.*g", 1, p, v);
    case TDisplay::dtFixP:
        return QString::asprintf("%*.*f", 1, p, v);
    case TDisplay::dtExp:
        return QString::asprintf("%*.*e", 1, p, v);
    case TDisplay::dtHex:
        return InUnsigned32Range(v) ? LowDigits(Round(v), std::min(p, 8), 4) : f.OverflowIndicator;
    case TDisplay::dtZeroInt:
        if (v < -2147483648.0 || v > 2147483647.0 || std::isnan(v)) {
            return f.OverflowIndicator;
        }
        return QString::asprintf("%*.*lld", 1, p, static_cast<long long>(Round(v)));
    case TDisplay::dtInt:
        if (!FitsInt64(v)) {
            return f.OverflowIndicator;
        }
        return QString::asprintf("%lld", static_cast<long long>(Round(v)));
    case TDisplay::dtDateTime:
        return DateTimeText(f.DTFormat, v);
    case TDisplay::dtState:
        return f.StateText;
    case TDisplay::dtBin:
        return InUnsigned32Range(v) ? LowDigits(Round(v), std::min(p, 32), 1) : f.OverflowIndicator;
    case TDisplay::dtOct:
        return InUnsigned32Range(v) ? LowDigits(Round(v), std::min(p, 12), 3) : f.OverflowIndicator;
    case TDisplay::dtDeg:
        return Fixed(v, p) + QStringLiteral("°");
    case TDisplay::dtDegMin:
        return DegreesText(v, p, false);
    case TDisplay::dtDegMinSec:
        return DegreesText(v, p, true);
    case TDisplay::dtEEng:
        return EngineeringText(v, p);
    case TDisplay::dtEEngNoDP:
        return EngineeringText(v, 0);
    }
    return {};
}

bool KeepsSeparatorAndSign(TDisplay type)
{
    return type == TDisplay::dtHex || type == TDisplay::dtDateTime || type == TDisplay::dtState
            || type == TDisplay::dtBin;
}

} // namespace

QString NumLabText(const TNumLabFormat &format, double value)
{
    QString text = RawText(format, value);
    if (KeepsSeparatorAndSign(format.DisplayType) || text == format.OverflowIndicator) {
        return text;
    }
    // The separator is the label's own, never the locale's.
    if (format.Comma) {
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    } else {
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    if (format.ForcePlusSign && value > 0) {
        text.prepend(QLatin1Char('+'));
    }
    return text;
}
