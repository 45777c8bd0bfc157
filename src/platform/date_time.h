#pragma once

#include <QDateTime>
#include <QString>

// Days since 1899-12-30 00:00 local time; the time of day is the fraction.
using TDateTime = double;

TDateTime DateTimeFromQt(const QDateTime &dateTime);
QDateTime DateTimeToQt(TDateTime value);
TDateTime Now();

// Runtime date-time format ("hh:mm:ss", "dd.mm.yyyy hh:nn:ss"): d, dd, m, mm, yy, yyyy, h, hh,
// n, nn (minutes), s, ss, z, zzz; "mm" after an hour means minutes, as the runtime read it.
QString FormatDateTime(const QString &format, TDateTime value);
