#include "chart/axis_scale.h"
#include "chart/tick_rules.h"
#include "support/locale_guard.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

// Readable failures for texts (internal: other test files may print them their own way).
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

TTickInput Axis(double low, double high, int minTicks, bool horizontal = true)
{
    TTickInput input;
    input.Low = low;
    input.High = high;
    input.MinTicks = minTicks;
    input.Horizontal = horizontal;
    return input;
}

QStringList Labels(const TTickPlan &plan)
{
    QStringList labels;
    for (const TTickMark &mark : plan.Marks)
        if (mark.HasLabel)
            labels << mark.Label;
    return labels;
}

} // namespace

TEST(TickRules, NiceStep)
{
    const struct
    {
        int minTicks;
        double low, high;
        double step, first;
        int minor;
    } cases[] = {
            {3, 0, 1000, 200, 0, 4}, {6, 0, 1000, 100, 0, 5}, {3, 0, 10, 2, 0, 4},
            {6, 0, 10, 1, 0, 5},     {63, 0, 10, 0.1, 0, 5},  {3, 0, 2000000, 500000, 0, 5},
            {4, 0, 3, 0.5, 0, 5},    {3, 10, 0, -2, 10, 4},   {3, -7, 93, 20, 0, 4},
            {0, 0, 8, 1, 0, 5},      {0, 0, 80, 1, 0, 1},     {3, 5, 5, 0, 5, 1},
    };
    for (const auto &c : cases) {
        const TNiceStep nice = NiceStep(c.minTicks, c.low, c.high);
        SCOPED_TRACE(testing::Message() << c.minTicks << " " << c.low << ".." << c.high);
        EXPECT_DOUBLE_EQ(nice.Step, c.step);
        EXPECT_NEAR(nice.First, c.first, 1e-9);
        EXPECT_EQ(nice.Minor, c.minor);
    }
}

TEST(TickRules, FormatTickNumber)
{
    const struct
    {
        double value;
        int decimals;
        const char *text;
    } cases[] = {
            {2, 1, "2.0"},
            {-0.5, 2, "-0.50"},
            {1000, 0, "1000"},
            {2e6, -1, " 2.0E+06"},
            {-1.5e-5, -1, "-1.5E-05"},
            {1e100, -1, "*********"},
            {-2.5e-123, -1, "*********"},
            {0.125, 2, "0.13"},
            {-0.25, 1, "-0.3"},
            {9.96e5, -1, " 1.0E+06"},
            {0, -1, " 0.0E+00"},
            {1e20, 0, "100000000000000000000"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTickNumber(c.value, c.decimals, QLocale::c()), c.text) << c.value;
}

// The axis labels take the same decimal point as the meters and readouts beside them.
TEST(TickRules, TickNumbersUseTheLocalesDecimalPoint)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct
    {
        double value;
        int decimals;
        const char *text;
    } cases[] = {
            {10, 1, "10,0"},
            {-0.5, 2, "-0,50"},
            {1000, 0, "1000"}, // no grouping on an axis
            {2e6, -1, " 2,0E+06"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTickNumber(c.value, c.decimals, german), c.text) << c.value;

    TTickInput input;
    input.Low = 0;
    input.High = 10;
    input.DecPlaces = -2;
    input.MinTicks = 5;
    for (const auto &[locale, ten] :
         {std::pair {german, "10,0"}, std::pair {QLocale::c(), "10.0"}}) {
        const LocaleGuard guard(locale);
        QStringList labels;
        for (const TTickMark &mark : PlanLinearTicks(input).Marks)
            if (mark.HasLabel)
                labels << mark.Label;
        EXPECT_TRUE(labels.contains(QString::fromLatin1(ten))) << labels.join(' ').toStdString();
    }
}

TEST(TickRules, AutomaticDecimals)
{
    const struct
    {
        double width;
        int decimals;
    } cases[] = {{10, 1}, {1, 2}, {0.01, 4}, {100, 0}, {99, 0}, {1e6, -1}, {1e-4, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(LinearLabelDecimals(-2, 0, c.width), c.decimals) << c.width;
    EXPECT_EQ(LinearLabelDecimals(-3, 0, 10), 1);
    EXPECT_EQ(LinearLabelDecimals(5, 0, 10), 5);
}

TEST(TickRules, HorizontalAxisListsTheMinorTicks)
{
    const TTickPlan plan = PlanLinearTicks(Axis(0, 1000, 3));
    EXPECT_EQ(Labels(plan), QStringList({"0", "200", "400", "600", "800", "1000"}));
    ASSERT_EQ(plan.TickList.size(), 21u);
    for (size_t i = 0; i < 21; ++i)
        EXPECT_DOUBLE_EQ(plan.TickList[i], 50.0 * i);
}

TEST(TickRules, VerticalAxisListsMinorsThenMajors)
{
    const LocaleGuard pointLocale(LocaleGuard::C());
    const TTickPlan plan = PlanLinearTicks(Axis(0, 10, 3, false));
    EXPECT_EQ(Labels(plan), QStringList({"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
    ASSERT_EQ(plan.TickList.size(), 27u);
    EXPECT_DOUBLE_EQ(plan.TickList[20], 10);
    EXPECT_DOUBLE_EQ(plan.TickList[21], 0);
    EXPECT_DOUBLE_EQ(plan.TickList[26], 10);

    const TTickPlan dense = PlanLinearTicks(Axis(0, 10, 63, false));
    EXPECT_EQ(Labels(dense).size(), 101);
    ASSERT_EQ(dense.TickList.size(), 250u);
    EXPECT_NEAR(dense.TickList.back(), 4.98, 1e-9); // the grid covers the lower half only
}

TEST(TickRules, LinearLabels)
{
    const LocaleGuard pointLocale(LocaleGuard::C());
    EXPECT_EQ(Labels(PlanLinearTicks(Axis(0, 2000000, 3))),
              QStringList({"0.0", " 5.0E+05", " 1.0E+06", " 1.5E+06", " 2.0E+06"}));

    TTickInput fixed = Axis(0, 30000, 3);
    fixed.DecPlaces = 12;
    EXPECT_EQ(Labels(PlanLinearTicks(fixed))[1], "10000.00000000"); // cut to 14 characters

    TTickInput whole = Axis(0, 3, 4);
    whole.DecPlaces = 0;
    EXPECT_EQ(Labels(PlanLinearTicks(whole)), QStringList({"0", "", "1", "", "2", "", "3"}));

    TTickInput inscript = Axis(0, 10, 3);
    inscript.ScaleInscript = "U=&V";
    EXPECT_EQ(Labels(PlanLinearTicks(inscript))[1], "U=2.0V");
    inscript.ScaleInscript = "~";
    EXPECT_EQ(Labels(PlanLinearTicks(inscript))[1], "~2.0");

    TTickInput user = Axis(0, 10, 3);
    user.LabelType = TFigType::ftUserText;
    user.UserTickText = "low|mid|high";
    EXPECT_EQ(Labels(PlanLinearTicks(user)), QStringList({"low", "mid", "high", "", "", ""}));

    TTickInput none = Axis(0, 10, 3);
    none.LabelType = TFigType::ftNoFigs;
    EXPECT_TRUE(Labels(PlanLinearTicks(none)).isEmpty());
    EXPECT_TRUE(PlanLinearTicks(Axis(5, 5, 3)).Marks.empty());
}

TEST(TickRules, UnusableRangesEndPromptly)
{
    EXPECT_TRUE(PlanLinearTicks(Axis(0, std::numeric_limits<double>::infinity(), 3)).Marks.empty());
    EXPECT_TRUE(PlanLinearTicks(Axis(std::nan(""), 1, 3)).Marks.empty());
    TTickInput log = Axis(1, std::numeric_limits<double>::infinity(), 3);
    log.Logarithmic = true;
    EXPECT_TRUE(PlanTicks(log).Marks.empty());
    // A step far below the resolution of the bounds: the ticks stop at their limit.
    const TTickPlan plan = PlanLinearTicks(Axis(1e17, 1e17 + 64, 3, false));
    EXPECT_LE(plan.TickList.size(), 250u);
    EXPECT_FALSE(plan.Marks.empty());
}

TEST(TickRules, TimeTicks)
{
    TTickInput time = Axis(0, 1000, 3);
    time.LabelType = TFigType::ftTime;
    EXPECT_EQ(Labels(PlanTicks(time)),
              QStringList({" 00:00:00", " 00:05:00", " 00:10:00", " 00:15:00"}));

    EXPECT_EQ(FormatTimeLabel(1000, false), " 00:16:40");
    EXPECT_EQ(FormatTimeLabel(2.5, true), " 00:00:02.500");
    EXPECT_EQ(FormatTimeLabel(-3725, false), "-01:02:05");

    TTickInput fine = Axis(0, 1.5, 3); // half-second steps show milliseconds
    fine.LabelType = TFigType::ftTime;
    EXPECT_EQ(Labels(PlanTicks(fine))[1], " 00:00:00.500");

    // More than a day per interval: numbers instead.
    TTickInput days = Axis(0, 1e6, 3);
    days.LabelType = TFigType::ftTime;
    EXPECT_EQ(Labels(PlanTicks(days))[1], " 2.0E+05");
}

TEST(TickRules, LogarithmicTicks)
{
    const LocaleGuard pointLocale(LocaleGuard::C());
    TTickInput log = Axis(1, 1000, 3);
    log.Logarithmic = true;
    TTickPlan plan = PlanTicks(log);
    EXPECT_EQ(Labels(plan), QStringList({"1", "10", "100", "1000"}));

    log.MinTicks = 6; // more than the 3 decades: 2..9 as well
    plan = PlanTicks(log);
    EXPECT_EQ(plan.TickList.size(), 28u);
    EXPECT_EQ(Labels(plan).mid(0, 4), QStringList({"1", "2", "5", "10"}));

    log.DecPlaces = -3;
    EXPECT_EQ(Labels(PlanTicks(log)), QStringList({"0", "1", "2", "3"}));

    TTickInput small = Axis(0.01, 1, 2);
    small.Logarithmic = true;
    EXPECT_EQ(Labels(PlanTicks(small)), QStringList({"0.01", "0.1", "1"}));

    TTickInput narrow = Axis(2, 8, 3); // less than a decade: linear ticks
    narrow.Logarithmic = true;
    EXPECT_EQ(Labels(PlanTicks(narrow)).first(), "2.0");
}

TEST(TickRules, DateTimeTicks)
{
    TTickInput reversed = Axis(10, 5, 3);
    reversed.LabelType = TFigType::ftDateTime;
    EXPECT_EQ(PlanTicks(reversed).Message, "invalid DateTime scale");

    TTickInput tiny = Axis(45000, 45000.00001, 3);
    tiny.LabelType = TFigType::ftDateTime;
    EXPECT_EQ(PlanTicks(tiny).Message, "DateTime range is below 1 second");

    TTickInput days = Axis(45000, 45010, 5); // 2023-03-15 .. 2023-03-25
    days.LabelType = TFigType::ftDateTime;
    const QStringList labels = Labels(PlanTicks(days));
    EXPECT_EQ(labels.first(), "15-Mar-2023");
    EXPECT_EQ(labels.size(), 6);

    TTickInput hours = Axis(45000, 45000.5, 3);
    hours.LabelType = TFigType::ftDateTime;
    EXPECT_EQ(Labels(PlanTicks(hours)).mid(0, 2),
              QStringList({"00:00:00\n15-Mar-2023", "03:00:00"}));
}

TEST(AxisScale, TickValueAndMinTicksLimit)
{
    TScale scale;
    scale.SetRange(0, 1000);
    scale.SetMinTicks(1);
    scale.UpdateTicks();
    EXPECT_EQ(scale.MinTicks(), 2);
    scale.SetMinTicks(63);
    scale.UpdateTicks();
    EXPECT_EQ(scale.MinTicks(), 20);
    EXPECT_EQ(scale.TickValue(0), 0);
    EXPECT_EQ(scale.TickValue(scale.NumTicks() + 1), 0);
    EXPECT_EQ(scale.TickValue(2), 5); // step 20, minor step 5

    scale.SetScaleType(TScaleType::sctYL);
    scale.SetMinTicks(63);
    scale.UpdateTicks();
    EXPECT_EQ(scale.MinTicks(), 63);
}

TEST(AxisScale, DrawsLineTicksAndLabelsOutwards)
{
    TScale scale;
    scale.SetSize(300, 100);
    scale.SetMargins(20, 10, 20, 10);
    scale.SetScaleType(TScaleType::sctXT); // line at the top, labels below
    scale.SetTransparent(true);
    scale.SetRange(0, 100);
    QStringList seen;
    scale.OnBeforeTickLabel = [&](TScale *, TScaleType, double, QString &label) {
        seen << label;
        label = "#";
    };
    QImage image(300, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scale.DrawOn(painter);
    painter.end();

    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(image.pixel(20, 10), black); // base line from the left margin
    EXPECT_EQ(image.pixel(279, 10), black); // to the right margin
    EXPECT_NE(image.pixel(280, 10), black);
    EXPECT_EQ(image.pixel(20, 16), black); // major tick: 7 pixels
    EXPECT_NE(image.pixel(19, 16), black);
    const int minor = scale.ValueToPixel(5);
    EXPECT_EQ(image.pixel(minor, 13), black); // minor tick: 4 pixels
    EXPECT_NE(image.pixel(minor, 14), black);
    EXPECT_EQ(seen, QStringList({"0", "20", "40", "60", "80", "100"}));

    int labelPixels = 0;
    for (int y = 17; y < 40; ++y)
        for (int x = 0; x < 300; ++x)
            labelPixels += image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(labelPixels, 0);
    EXPECT_EQ(scale.NumTicks(), 21);
}

TEST(AxisScale, PaintRebuildsTheTickListUnlessSuppressed)
{
    TScale scale;
    scale.SuppressPaint(true);
    scale.SetScaleType(TScaleType::sctYL);
    scale.SetRange(0, 10);
    scale.Paint();
    EXPECT_EQ(scale.NumTicks(), 0);
    scale.SuppressPaint(false); // paints at once
    EXPECT_EQ(scale.NumTicks(), 27);
    EXPECT_EQ(scale.TickValue(27), 10);
}

TEST(AxisScale, InvisibleAxisDrawsNothingButKeepsItsTicks)
{
    TScale scale;
    scale.SetRange(0, 1000);
    scale.SetVisible(false);
    QImage image(200, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scale.DrawOn(painter);
    painter.end();
    QImage blank(200, 50, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(image, blank);
    EXPECT_EQ(scale.NumTicks(), 21);
}
