#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

// Number text as the runtime wrote and read it. Every function takes the locale whose decimal
// separator applies; the default is the system locale (numbers typed into the window).

// General format, 15 significant digits, no thousands separator, no trailing zeros;
// scientific ("1,5E-5", "1E15") when |v| >= 1E15 or 0 < |v| < 1E-4.
QString FloatToStr(double value, const QLocale &locale = QLocale());

// Picture format with '#', '0', '.', ',' and up to three ';'-separated sections
// (positive;negative;zero); rounds half away from zero.
QString FormatFloat(const QString &format, double value, const QLocale &locale = QLocale());

// Fixed notation with `decimals` decimals after rounding to at most `precision` significant
// digits; scientific (general, `precision` digits) when the integer part needs more digits.
QString FloatToStrFixed(double value, int precision, int decimals,
                        const QLocale &locale = QLocale());

// The statistics window's number format: 12 significant digits, exactly 4 decimals.
inline QString FormatStatistic(double value, const QLocale &locale = QLocale())
{
    return FloatToStrFixed(value, 12, 4, locale);
}

// Text to number with the locale's decimal separator; raise EConvertError with the runtime's text.
double StrToFloat(const QString &text, const QLocale &locale = QLocale());
bool TryStrToFloat(const QString &text, double &value, const QLocale &locale = QLocale());

// A number typed into a field that has no thousands grouping: '.' and ',' (and the locale's own
// decimal separator) all stand for the decimal point, so "0.5" and "0,5" read alike in every
// locale. A text with more than one of them, or that the float rule refuses, does not convert:
// it is never read as some other number. Raises EConvertError with the runtime's float text.
double TypedFieldToFloat(const QString &text, const QLocale &locale = QLocale());
bool TryTypedFieldToFloat(const QString &text, double &value, const QLocale &locale = QLocale());

int StrToInt(const QString &text);
std::int64_t StrToInt64(const QString &text);

// Reads the decimal digits at the start of the text ("0.5" gives 0, "20" gives 20);
// raises the integer conversion error when the text does not start with a digit or a sign.
std::int64_t LeadingDigitsToInt(const QString &text);

// Float edit fields keep their text normalised: thousands separators are dropped except one
// standing just before the last `decimals` characters, which counts as the decimal separator;
// an unconvertible text reads as 0.
double ReadFloatField(const QString &text, int decimals, const QLocale &locale = QLocale());
QString WriteFloatField(double value, int decimals, const QLocale &locale = QLocale());
inline QString NormalizeFloatField(const QString &text, int decimals,
                                   const QLocale &locale = QLocale())
{
    return WriteFloatField(ReadFloatField(text, decimals, locale), decimals, locale);
}
