#include "platform/date_time.h"

#include <cmath>

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
// About 270 million years either side of the epoch: inside the span a date-time counts in
// milliseconds, and small enough for the whole days to convert to an integer exactly.
constexpr double kMaxDays = 1e11;

QString Pad(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

int CountRun(const QString &format, qsizetype i, QChar c)
{
    int n = 0;
    while (i + n < format.size() && format[i + n].toLower() == c)
        ++n;
    return n;
}

} // namespace

TDateTime DateTimeFromQt(const QDateTime &dateTime)
{
    const QDateTime local = dateTime.toLocalTime();
    const double days = static_cast<double>(kEpoch.daysTo(local.date()));
    const double fraction = local.time().msecsSinceStartOfDay() / kMsPerDay;
    // Days before the epoch count down while the fraction still counts up.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime DateTimeToQt(TDateTime value)
{
    if (!HasDate(value))
        return QDateTime();
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    qint64 ms = std::llround(fraction * kMsPerDay);
    qint64 days = static_cast<qint64>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += value >= 0 ? 1 : -1;
    }
    return QDateTime(kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

bool HasDate(TDateTime value)
{
    return std::isfinite(value) && std::fabs(value) <= kMaxDays;
}

TDateTime Now()
{
    return DateTimeFromQt(QDateTime::currentDateTime());
}

QString FormatDateTime(const QString &format, TDateTime value)
{
    if (!HasDate(value))
        return QString();
    const QDateTime dt = DateTimeToQt(value);
    const QDate date = dt.date();
    const QTime time = dt.time();
    QString out;
    bool lastWasHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int n = 1;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype close = format.indexOf(format[i], i + 1);
            const qsizetype end = close < 0 ? format.size() : close;
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == QLatin1Char('y')) {
            n = CountRun(format, i, c);
            out += n <= 2 ? Pad(date.year() % 100, 2) : Pad(date.year(), 4);
        } else if (c == QLatin1Char('d')) {
            n = CountRun(format, i, c);
            out += n >= 2 ? Pad(date.day(), 2) : QString::number(date.day());
            lastWasHour = false;
        } else if (c == QLatin1Char('m')) {
            n = std::min(CountRun(format, i, c), 2);
            const int v = lastWasHour ? time.minute() : date.month();
            out += n == 2 ? Pad(v, 2) : QString::number(v);
            lastWasHour = false;
        } else if (c == QLatin1Char('h')) {
            n = std::min(CountRun(format, i, c), 2);
            out += n == 2 ? Pad(time.hour(), 2) : QString::number(time.hour());
            lastWasHour = true;
        } else if (c == QLatin1Char('n')) {
            n = std::min(CountRun(format, i, c), 2);
            out += n == 2 ? Pad(time.minute(), 2) : QString::number(time.minute());
            lastWasHour = false;
        } else if (c == QLatin1Char('s')) {
            n = std::min(CountRun(format, i, c), 2);
            out += n == 2 ? Pad(time.second(), 2) : QString::number(time.second());
            lastWasHour = false;
        } else if (c == QLatin1Char('z')) {
            n = CountRun(format, i, c);
            out += n >= 3 ? Pad(time.msec(), 3) : QString::number(time.msec());
            n = n >= 3 ? 3 : 1;
        } else {
            out += format[i];
        }
        i += n;
    }
    return out;
}
