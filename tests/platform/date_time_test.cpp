#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(DateTime, DaysSinceTheEpochInLocalTime)
{
    const struct
    {
        QDateTime qt;
        double value;
    } cases[] = {
            {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
            {QDateTime(QDate(1900, 1, 1), QTime(18, 0)), 2.75},
            {QDateTime(QDate(2026, 1, 1), QTime(12, 0)), 46023.5},
            {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(DateTimeFromQt(c.qt), c.value) << c.qt.toString().toStdString();
        EXPECT_EQ(DateTimeToQt(c.value), c.qt) << c.value;
    }
}

TEST(DateTime, FormatsTimeOfDay)
{
    const TDateTime t = DateTimeFromQt(QDateTime(QDate(2026, 3, 4), QTime(7, 8, 9, 45)));
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:mm:ss"), t), QStringLiteral("07:08:09"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss.zzz"), t),
              QStringLiteral("04.03.2026 07:08:09.045"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("h:n"), t), QStringLiteral("7:8"));
}

TEST(DateTime, ValuesWithoutADateGiveAnInvalidDateAndEmptyText)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInf = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        bool hasDate;
    } cases[] = {
            {kNaN, false},  {kInf, false},   {-kInf, false},  {1e300, false},
            {-1e19, false}, {9.3e18, false}, {1.1e11, false}, {-1.1e11, false},
            {1e11, true},   {-1e11, true},   {46023.5, true}, {-0.25, true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(HasDate(c.value), c.hasDate) << c.value;
        EXPECT_EQ(DateTimeToQt(c.value).isValid(), c.hasDate) << c.value;
        EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss.zzz"), c.value).isEmpty(),
                  !c.hasDate)
                << c.value;
    }
}

TEST(DateTime, NowIsCloseToTheClock)
{
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = DateTimeToQt(Now());
    EXPECT_LE(std::abs(before.msecsTo(now)), 1000);
}

} // namespace
