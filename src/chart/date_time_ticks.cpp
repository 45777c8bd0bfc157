#include "chart/tick_rules.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <cmath>

// Date/time axes: values are day numbers (days since 1899-12-30, the time of day as the
// fraction). The step unit follows the range per wished interval; labels follow TDTLabel.

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr long long MaxDateTicks = 2000;

enum class TUnit { Second, Minute, Hour, Day, Month, Year };

const QDate &DayZero()
{
    static const QDate zero(1899, 12, 30);
    return zero;
}

QDate DateOf(double day)
{
    return DayZero().addDays(static_cast<qint64>(std::floor(day)));
}

double DayNumber(const QDate &date)
{
    return static_cast<double>(DayZero().daysTo(date));
}

// The largest of the candidate steps not above wanted, at least the first one.
int PickStep(std::initializer_list<int> steps, double wanted)
{
    int chosen = *steps.begin();
    for (int s : steps)
        if (s <= wanted)
            chosen = s;
    return chosen;
}

QString Two(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString TimeText(double day, TUnit unit, const TDTLabel &format)
{
    const long long seconds = std::llround((day - std::floor(day)) * SecondsPerDay) % 86400;
    const int h = static_cast<int>(seconds / 3600);
    const int m = static_cast<int>(seconds / 60 % 60);
    const int s = static_cast<int>(seconds % 60);
    const QString &sep = format.TimeSeparator;
    switch (format.TimeFormat) {
    case TTimeFormat::tfHHhMM:
        return Two(h) + QLatin1Char('h') + Two(m);
    case TTimeFormat::tfAMPM: {
        QString text = QString::number(h % 12 == 0 ? 12 : h % 12) + sep + Two(m);
        if (unit == TUnit::Second)
            text += sep + Two(s);
        return text + (h < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
    }
    case TTimeFormat::tfHHMMSS:
    default:
        return Two(h) + sep + Two(m) + sep + Two(s);
    }
}

QString MonthText(const QDate &date, const TDTLabel &format)
{
    static const char *const names[]
            = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (format.MonthName)
        return QString::fromLatin1(names[date.month() - 1]);
    return Two(date.month());
}

QString YearText(const QDate &date, const TDTLabel &format, bool always)
{
    if (format.YearLength == TYearLength::ylYY)
        return Two(date.year() % 100);
    if (format.YearLength == TYearLength::ylNone && !always)
        return QString();
    return QString::number(date.year());
}

QString DateText(const QDate &date, const TDTLabel &format)
{
    QStringList parts;
    const QString day = Two(date.day());
    const QString month = MonthText(date, format);
    const QString year = YearText(date, format, false);
    switch (format.DateOrder) {
    case TDateOrder::doMMDDYY:
        parts << month << day << year;
        break;
    case TDateOrder::doYYMMDD:
        parts << year << month << day;
        break;
    case TDateOrder::doDDMMYY:
    default:
        parts << day << month << year;
        break;
    }
    parts.removeAll(QString());
    return parts.join(format.DateSeparator);
}

void AddMajor(TTickPlan &plan, double value, const QString &label, bool figures)
{
    if (plan.TickList.size() < static_cast<size_t>(MaxListedTicks))
        plan.TickList.push_back(value);
    plan.Marks.push_back({value, true, figures, figures ? label : QString()});
}

void PlanClockTicks(const TTickInput &input, TUnit unit, long long stepSeconds, TTickPlan &plan)
{
    const bool figures = input.LabelType != TFigType::ftNoFigs;
    const double lowSeconds = input.Low * SecondsPerDay;
    const double highSeconds = input.High * SecondsPerDay;
    long long n = static_cast<long long>(std::ceil(lowSeconds / stepSeconds - 1e-9));
    bool first = true;
    qint64 lastDay = 0;
    for (long long k = 0; k < MaxDateTicks; ++k, ++n) {
        const double seconds = static_cast<double>(n) * static_cast<double>(stepSeconds);
        if (seconds > highSeconds + 1e-6)
            break;
        const double day = seconds / SecondsPerDay;
        QString label = TimeText(day, unit, input.DateFormat);
        const qint64 dayIndex = static_cast<qint64>(std::floor(day + 1e-9));
        bool withDate = false;
        switch (input.DateFormat.DateForTime) {
        case TDateForTime::dtNone:
            break;
        case TDateForTime::dtOnePerChart:
            withDate = first;
            break;
        case TDateForTime::dtOnePerDay:
            withDate = first || dayIndex != lastDay;
            break;
        case TDateForTime::dtAllTicks:
            withDate = true;
            break;
        }
        if (withDate)
            label += QLatin1Char('\n') + DateText(DateOf(day + 1e-9), input.DateFormat);
        AddMajor(plan, day, label, figures);
        first = false;
        lastDay = dayIndex;
    }
}

void PlanCalendarTicks(const TTickInput &input, TUnit unit, int step, TTickPlan &plan)
{
    const bool figures = input.LabelType != TFigType::ftNoFigs;
    const QDate start = DateOf(input.Low);
    QDate date;
    if (unit == TUnit::Day) {
        date = start;
    } else if (unit == TUnit::Month) {
        const int index = start.year() * 12 + start.month() - 1;
        const int aligned = (index + step - 1) / step * step;
        date = QDate(aligned / 12, aligned % 12 + 1, 1);
    } else {
        date = QDate((start.year() + step - 1) / step * step, 1, 1);
    }
    auto next = [unit, step](const QDate &d) {
        return unit == TUnit::Day      ? d.addDays(step)
                : unit == TUnit::Month ? d.addMonths(step)
                                       : d.addYears(step);
    };
    for (long long k = 0; k < MaxDateTicks && date.isValid(); ++k, date = next(date)) {
        const double day = DayNumber(date);
        if (day < input.Low - 1e-9)
            continue;
        if (day > input.High + 1e-9)
            break;
        QString label;
        if (unit == TUnit::Day)
            label = DateText(date, input.DateFormat);
        else if (unit == TUnit::Month)
            label = MonthText(date, input.DateFormat) + input.DateFormat.DateSeparator
                    + YearText(date, input.DateFormat, true);
        else
            label = YearText(date, input.DateFormat, true);
        AddMajor(plan, day, label, figures);
    }
}

} // namespace

TTickPlan PlanDateTimeTicks(const TTickInput &input)
{
    TTickPlan plan;
    const double low = input.Low;
    const double high = input.High;
    if (!(high >= low) || low < -693593 || high > 3000000) {
        plan.Message = QStringLiteral("invalid DateTime scale");
        return plan;
    }
    const double t = (high - low) / std::max(input.MinTicks, 1);
    if (t <= 1.1574e-5) {
        plan.Message = QStringLiteral("DateTime range is below 1 second");
        return plan;
    }
    if (t <= 6.9444e-4)
        PlanClockTicks(input, TUnit::Second, PickStep({1, 2, 5, 10, 15, 30}, t * SecondsPerDay),
                       plan);
    else if (t <= 0.041667)
        PlanClockTicks(input, TUnit::Minute, 60LL * PickStep({1, 2, 5, 10, 15, 30}, t * 1440),
                       plan);
    else if (t <= 1)
        PlanClockTicks(input, TUnit::Hour, 3600LL * PickStep({1, 2, 3, 6, 12}, t * 24), plan);
    else if (t <= 30)
        PlanCalendarTicks(input, TUnit::Day, PickStep({1, 2, 5, 7, 14}, t), plan);
    else if (t <= 366)
        PlanCalendarTicks(input, TUnit::Month, PickStep({1, 2, 3, 6}, t / 30.44), plan);
    else
        PlanCalendarTicks(input, TUnit::Year,
                          PickStep({1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}, t / 365.25), plan);
    return plan;
}
