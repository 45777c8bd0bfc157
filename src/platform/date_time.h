#pragma once

#include <QDateTime>
#include <QString>

// Days since 1899-12-30 00:00 local time; the time of day is the fraction.
using TDateTime = double;

TDateTime DateTimeFromQt(const QDateTime &dateTime);
// An invalid QDateTime for a value without a calendar date (see HasDate).
QDateTime DateTimeToQt(TDateTime value);
// False for NaN, infinities and values beyond about 270 million years from the epoch, as a
// session file of arbitrary bytes may hold.
bool HasDate(TDateTime value);
TDateTime Now();

// Runtime date-time format ("hh:mm:ss", "dd.mm.yyyy hh:nn:ss"): d, dd, m, mm, yy, yyyy, h, hh,
// n, nn (minutes), s, ss, z, zzz; "mm" after an hour means minutes, as the runtime read it.
// A value without a date gives an empty text, so such a label shows nothing.
QString FormatDateTime(const QString &format, TDateTime value);
