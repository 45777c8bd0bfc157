#include "platform/date_time.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>

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

// The local time from the zone rules loaded before: a full local-time conversion looks the zone
// file up on the file system at every call, which the timer service and a recording trend
// would do ten times a second. The rules are reloaded once a minute, so a changed time zone
// shows within that.
TDateTime Now()
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::min();
    static std::atomic<std::int64_t> rulesLoaded {kNever};
    const std::int64_t loaded = rulesLoaded.load();
    const std::int64_t second = now.tv_sec;
    if (loaded == kNever || second < loaded || second - loaded >= 60) {
        ::tzset();
        rulesLoaded.store(second);
    }
    tm local {};
    if (!::localtime_r(&now.tv_sec, &local))
        return DateTimeFromQt(QDateTime::currentDateTime());
    const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const int seconds = (local.tm_hour * 60 + local.tm_min) * 60 + std::min(local.tm_sec, 59);
    const double ms = seconds * 1000.0 + static_cast<double>(now.tv_nsec / 1000000);
    const double days = static_cast<double>(kEpoch.daysTo(date));
    return days >= 0 ? days + ms / kMsPerDay : days - ms / kMsPerDay;
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
