#include "chart/tick_rules.h"

#include "platform/decimal_digits.h"
#include "platform/rounding.h"

#include <QStringList>

#include <cmath>
#include <string>

namespace {

constexpr double Log10Of2 = 0.30102999566398119521;
constexpr double Log10Of5 = 0.69897000433601880479;
// Bound on the ticks of one axis, so that ranges far below the resolution of their bounds
// cannot loop for long.
constexpr long long MaxSteps = 100000;

// Minor ticks go from the major step before F; the major ticks carry the labels.
void AddListed(TTickPlan &plan, double value)
{
    if (plan.TickList.size() < static_cast<size_t>(MaxListedTicks))
        plan.TickList.push_back(value);
}

QString CutLabel(QString text)
{
    if (text.size() > 14)
        text.truncate(14);
    return text;
}

// The final label of a numeric major tick: user texts, inscript.
QString DressLabel(const TTickInput &input, const QString &text, int labelIndex)
{
    if (input.LabelType == TFigType::ftUserText)
        return UserTickField(input.UserTickText, labelIndex);
    return ApplyScaleInscript(text, input.ScaleInscript);
}

QString LinearLabel(const TTickInput &input, double v, int decimals)
{
    const double width = input.High - input.Low;
    QString text;
    if (std::fabs(v / width) < 1e-14) {
        if (std::fabs(width) <= 100000)
            text = FormatTickNumber(0.0, decimals);
        else
            text = decimals != 0 ? QStringLiteral("0") + QLocale().decimalPoint() + QLatin1Char('0')
                                 : QStringLiteral("0");
    } else {
        text = FormatTickNumber(v, decimals);
    }
    text = CutLabel(text);
    if (input.DecPlaces == 0 && std::fabs(v - std::round(v)) > 1e-6)
        text.clear();
    return text;
}

} // namespace

TNiceStep NiceStep(int minTicks, double low, double high)
{
    TNiceStep result;
    if (high == low) {
        result.First = low;
        return result;
    }
    const double dir = low < high ? 1.0 : -1.0;
    const double width = std::fabs(high - low);
    if (minTicks == 0) {
        result.Step = dir;
        result.Minor = width <= 10 ? 5 : 1;
    } else {
        double g = std::log10(width / std::abs(minTicks));
        double f = g - std::trunc(g);
        if (std::fabs(f) < 1e-10 || std::fabs(f) > 0.9999999999) {
            g = std::round(g);
            f = 0;
        }
        const double exponent = std::trunc(g) - ((g < 0 && f != 0) ? 1 : 0);
        if (f < 0)
            f += 1;
        double multiplier = 5;
        result.Minor = 5;
        if (f < Log10Of2 + 1e-10) {
            multiplier = 1;
        } else if (f < Log10Of5 + 1e-10) {
            multiplier = 2;
            result.Minor = 4;
        }
        result.Step = dir * multiplier * std::pow(10.0, exponent);
    }
    const double s = result.Step;
    double first = (std::trunc(low / s) - 1) * s;
    // A step below the resolution of the bounds would never advance: stop at MaxSteps.
    for (int i = 0; i < MaxSteps && dir * (low - first) > 0.001 * std::fabs(s); ++i)
        first += s;
    result.First = first;
    return result;
}

int LinearLabelDecimals(int decPlaces, double low, double high)
{
    if (decPlaces != -2 && decPlaces != -3)
        return decPlaces;
    const double r = std::fabs(high - low);
    if (r >= 1000000 || r <= 0.0001)
        return -1;
    if (r >= 100)
        return 0;
    return static_cast<int>(2 - Round(std::log(r) / 2.5));
}

QString FormatTickNumber(double value, int decimals, const QLocale &locale)
{
    const auto localised = [&locale](const std::string &text) {
        QString label = QString::fromLatin1(text.c_str());
        label.replace(QLatin1Char('.'), locale.decimalPoint());
        return label;
    };
    // Rounded half away from zero on the decimal expansion, as the runtime's number texts.
    const DecimalDigits d
            = decimals >= 0 ? ToDecimalDigits(value, 18, decimals) : ToDecimalDigits(value, 2);
    if (d.Special)
        return QString::fromLatin1(d.Digits.c_str());
    auto digit = [&d](int k) {
        return k >= 0 && k < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<size_t>(k)]
                                                               : '0';
    };
    std::string text(d.Negative ? 1 : 0, '-');
    if (decimals >= 0) {
        if (d.Exponent <= 0)
            text += '0';
        for (int k = 0; k < d.Exponent; ++k)
            text += digit(k);
        if (decimals > 0) {
            text += '.';
            for (int k = 0; k < decimals; ++k)
                text += digit(d.Exponent + k);
        }
        return localised(text);
    }
    const int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
    if (!d.Negative)
        text.assign(1, ' ');
    text += digit(0);
    text += '.';
    text += digit(1);
    text += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    if (magnitude >= 100) // no room for three exponent digits
        return QString(static_cast<qsizetype>(text.size()), QLatin1Char('*'));
    return localised(text);
}

QString ApplyScaleInscript(const QString &label, const QString &inscript)
{
    if (label.isEmpty() || inscript.isEmpty())
        return label;
    const qsizetype amp = inscript.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return inscript + label;
    return inscript.left(amp) + label + inscript.mid(amp + 1);
}

QString UserTickField(const QString &userTickText, int index)
{
    const QStringList fields = userTickText.split(QLatin1Char('|'));
    if (index < 1 || index > fields.size())
        return QString();
    return fields[index - 1];
}

QString FormatTimeLabel(double seconds, bool withMilliseconds)
{
    const long long totalMs = std::llround(std::fabs(seconds) * 1000.0);
    const long long totalSeconds = totalMs / 1000;
    QString text = seconds < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    text += QStringLiteral("%1:%2:%3")
                    .arg(totalSeconds / 3600, 2, 10, QLatin1Char('0'))
                    .arg(totalSeconds / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(totalSeconds % 60, 2, 10, QLatin1Char('0'));
    if (withMilliseconds)
        text += QStringLiteral(".%1").arg(totalMs % 1000, 3, 10, QLatin1Char('0'));
    return text;
}

TTickPlan PlanLinearTicks(const TTickInput &input)
{
    TTickPlan plan;
    const double low = input.Low;
    const double high = input.High;
    const TNiceStep nice = NiceStep(input.MinTicks, low, high);
    // Equal bounds, or bounds beyond the doubles (infinite, NaN), have no ticks.
    if (nice.Step == 0 || !std::isfinite(nice.Step) || !std::isfinite(nice.First)
        || !std::isfinite(high))
        return plan;
    const double dir = nice.Step > 0 ? 1.0 : -1.0;
    const double step = nice.Step;
    const double minor = step / nice.Minor;
    if (input.ShortTicks) {
        const double start = nice.First - step;
        for (long long i = 0; i < MaxSteps; ++i) {
            const double v = start + static_cast<double>(i) * minor;
            if (dir * (v - high) > 0.001 * std::fabs(minor))
                break;
            if (dir * (low - v) > 1e-9 * std::fabs(minor))
                continue;
            AddListed(plan, v);
            plan.Marks.push_back({v, false, false, QString()});
        }
    }
    const int decimals = LinearLabelDecimals(input.DecPlaces, low, high);
    const bool figures = input.LabelType != TFigType::ftNoFigs;
    for (long long j = 0; j < MaxSteps; ++j) {
        const double v = nice.First + static_cast<double>(j) * step;
        if (j > 0 && dir * (v - high) > 0.001 * std::fabs(step))
            break;
        if (!input.Horizontal || !input.ShortTicks)
            AddListed(plan, v);
        TTickMark mark {v, true, figures, QString()};
        if (figures)
            mark.Label
                    = DressLabel(input, LinearLabel(input, v, decimals), static_cast<int>(j + 1));
        plan.Marks.push_back(mark);
    }
    return plan;
}

namespace {

struct TTimeStep
{
    double Seconds;
    int Minor;
};

// Index 0 is 0 and index 28 one day; both mean "no time ticks".
constexpr TTimeStep TimeSteps[] = {
        {0, 1},    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5}, {0.02, 4}, {0.05, 5}, {0.1, 5},
        {0.2, 4},  {0.5, 5},   {1, 5},     {2, 4},     {5, 5},    {10, 5},   {20, 4},   {30, 6},
        {60, 6},   {120, 6},   {180, 6},   {300, 5},   {600, 5},  {1200, 6}, {1800, 6}, {3600, 6},
        {7200, 4}, {14400, 4}, {21600, 6}, {43200, 6}, {86400, 1}};

} // namespace

bool PlanTimeTicks(const TTickInput &input, TTickPlan &plan)
{
    const double low = input.Low;
    const double high = input.High;
    const double width = std::fabs(high - low);
    const double wanted = width / input.MinTicks;
    int index = 28;
    while (index > 0 && !(TimeSteps[index].Seconds <= wanted))
        --index;
    if (index == 28 || index == 0 || input.MinTicks <= 0 || low == high)
        return false;
    plan = TTickPlan();
    const double dir = low < high ? 1.0 : -1.0;
    const double step = dir * TimeSteps[index].Seconds;
    const double minor = step / TimeSteps[index].Minor;
    const long long count = std::min<long long>(Trunc(width / std::fabs(minor)) + 5, MaxSteps);
    const double base = std::floor(low / step / 0.999999999) * step;
    const double lowerLimit = low >= 0 ? low * 0.999999999 : low / 0.999999999;
    const double upperLimit = high > 0 ? high / 0.999999999 : high * 0.999999999;
    const double lo = std::min(lowerLimit, upperLimit);
    const double hi = std::max(lowerLimit, upperLimit);
    auto inside = [&](double v) { return v >= lo && v <= hi; };
    if (input.ShortTicks) {
        for (long long k = 0; k <= count; ++k) {
            const double v = base + static_cast<double>(k) * minor;
            if (!inside(v))
                continue;
            AddListed(plan, v);
            plan.Marks.push_back({v, false, false, QString()});
        }
    }
    const bool figures = input.LabelType != TFigType::ftNoFigs;
    int labelIndex = 0;
    for (long long k = 0; k <= count; ++k) {
        const double v = base + static_cast<double>(k) * minor;
        const double q = v / step;
        if (std::fabs(q - std::round(q)) > 0.01 || !inside(v))
            continue;
        if (!input.ShortTicks)
            AddListed(plan, v);
        TTickMark mark {v, true, figures, QString()};
        if (figures) {
            ++labelIndex;
            mark.Label = DressLabel(input, FormatTimeLabel(v, index <= 9), labelIndex);
        }
        plan.Marks.push_back(mark);
    }
    return true;
}

namespace {

int LogLabelDecimals(int decPlaces, double lo, double hi)
{
    if (decPlaces != -2)
        return decPlaces;
    if (hi - lo >= 1000000 || hi - lo <= 0.0001)
        return -1;
    if (lo >= 1)
        return 0;
    return static_cast<int>(1 - Round(std::log10(lo)));
}

QString StripTrailingZeros(QString text)
{
    const QString point = QLocale().decimalPoint();
    if (text.contains(QLatin1Char('E')) || !text.contains(point))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(point))
        text.chop(point.size());
    return text;
}

} // namespace

TTickPlan PlanLogTicks(const TTickInput &input)
{
    if (input.Low <= 0 || input.High <= 0 || !std::isfinite(input.Low)
        || !std::isfinite(input.High))
        return PlanLinearTicks(input);
    const double decades = std::fabs(std::log10(input.High / input.Low));
    if (decades < 1)
        return PlanLinearTicks(input);
    TTickPlan plan;
    const double lo = std::min(input.Low, input.High);
    const double hi = std::max(input.Low, input.High);
    const int decimals = LogLabelDecimals(input.DecPlaces, lo, hi);
    const bool figures = input.LabelType != TFigType::ftNoFigs;
    const bool allSteps = input.MinTicks > decades + 0.5;
    auto inside = [&](double v) { return lo * 0.999999999 < v && v < hi / 0.999999999; };
    int labelIndex = 0;
    double exponent = std::floor(std::log10(lo * 0.999999999));
    for (double decade = std::pow(10.0, exponent); hi >= 0.999999999 * decade;
         decade *= 10, exponent += 1) {
        for (int m = 1; m <= 9; ++m) {
            if (m > 1 && !allSteps)
                break;
            const double v = m * decade;
            const bool major = m == 1 || m == 2 || m == 5;
            if (!inside(v) || (!major && !input.ShortTicks))
                continue;
            AddListed(plan, v);
            TTickMark mark {v, major, false, QString()};
            const bool labelled = major && figures && (input.DecPlaces != -3 || m == 1);
            if (labelled) {
                mark.HasLabel = true;
                ++labelIndex;
                QString text;
                if (input.DecPlaces == -3) {
                    text = QString::number(static_cast<long long>(exponent));
                } else {
                    text = FormatTickNumber(v, decimals);
                    if (input.DecPlaces == -2)
                        text = StripTrailingZeros(text);
                }
                mark.Label = DressLabel(input, CutLabel(text), labelIndex);
            }
            plan.Marks.push_back(mark);
        }
    }
    return plan;
}

TTickPlan PlanTicks(const TTickInput &input)
{
    switch (input.LabelType) {
    case TFigType::ftDateTime:
        return PlanDateTimeTicks(input);
    case TFigType::ftTime: {
        TTickPlan plan;
        if (PlanTimeTicks(input, plan))
            return plan;
        TTickInput numeric = input;
        numeric.LabelType = TFigType::ftNum;
        return numeric.Logarithmic ? PlanLogTicks(numeric) : PlanLinearTicks(numeric);
    }
    default:
        return input.Logarithmic ? PlanLogTicks(input) : PlanLinearTicks(input);
    }
}
