#include "app/tools/vector.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

namespace {

bool AllEqual(std::vector<double>::const_iterator begin, int count)
{
    return std::all_of(begin, begin + count, [first = *begin](double x) { return x == first; });
}

} // namespace

TVector::TVector(QString name)
    : m_name(std::move(name))
    , m_elems(1, 0.0)
{ }

void TVector::SetNrOfElem(int count)
{
    if (count < 1 || count == NrOfElem())
        return;
    try {
        m_elems.resize(static_cast<std::size_t>(count), 0.0);
    } catch (const std::bad_alloc &) {
        ThrowOutOfMemory("not enough memory");
    } catch (const std::length_error &) {
        ThrowOutOfMemory("not enough memory");
    }
    Changed();
}

double TVector::Elem(int index) const
{
    if (index < 1 || index > NrOfElem())
        return 0.0;
    return m_elems[static_cast<std::size_t>(index - 1)];
}

void TVector::SetElem(int index, double value)
{
    if (index < 1 || index > NrOfElem())
        return;
    m_elems[static_cast<std::size_t>(index - 1)] = value;
    Changed();
}

void TVector::ZeroElems()
{
    std::fill(m_elems.begin(), m_elems.end(), 0.0);
    Changed();
}

TVector::Range TVector::ClampRange(int lowElem, int highElem) const
{
    lowElem = std::clamp(lowElem, 1, NrOfElem());
    highElem = std::clamp(highElem, 1, NrOfElem());
    if (lowElem > highElem)
        std::swap(lowElem, highElem);
    return {lowElem - 1, highElem - lowElem + 1};
}

void TVector::RangeMinMax(int lowElem, int highElem, double &minimum, double &maximum) const
{
    const Range r = ClampRange(lowElem, highElem);
    minimum = 1.7E308;
    maximum = -1.7E308;
    for (int i = r.first; i < r.first + r.count; ++i) {
        const double x = m_elems[static_cast<std::size_t>(i)];
        if (x < minimum)
            minimum = x;
        if (x > maximum)
            maximum = x;
    }
}

void TVector::RangeMeanVar(int lowElem, int highElem, double &mean, double &variance) const
{
    const Range r = ClampRange(lowElem, highElem);
    double sum = 0.0;
    double sumSquares = 0.0;
    for (int i = r.first; i < r.first + r.count; ++i) {
        const double x = m_elems[static_cast<std::size_t>(i)];
        sum += x;
        sumSquares += x * x;
    }
    const double n = r.count;
    mean = sum / n;
    // Cancellation can leave a tiny negative residue for (nearly) constant data.
    variance = r.count < 2 ? 0.0 : std::max(0.0, (sumSquares - sum * sum / n) / (n - 1));
}

bool TVector::RangeQuartiles(int lowElem, int highElem, double &q1, double &q2, double &q3) const
{
    const Range r = ClampRange(lowElem, highElem);
    q1 = q2 = q3 = 0.0;
    std::vector<double> sorted;
    try {
        const auto begin = m_elems.begin() + r.first;
        sorted.assign(begin, begin + r.count);
    } catch (const std::bad_alloc &) {
        ThrowOutOfMemory("not enough memory on heap");
    }
    std::sort(sorted.begin(), sorted.end());

    const int n = r.count;
    if (n == 1) {
        q1 = q2 = q3 = sorted[0];
        return true;
    }
    // s(k) is sorted[k - 1]; a position at or beyond n is the largest element.
    const auto quartile = [&](double p) {
        const double pos = (n + 1) * p;
        int k = static_cast<int>(pos);
        double f = pos - k;
        if (k == 0) {
            k = 1;
            f = 0.0;
        }
        if (k > n - 1) {
            k = n - 1;
            f = 1.0;
        }
        const double low = sorted[static_cast<std::size_t>(k - 1)];
        const double high = sorted[static_cast<std::size_t>(k)];
        return f == 1.0 ? high : low + (high - low) * f;
    };
    q1 = quartile(0.25);
    q2 = quartile(0.5);
    q3 = quartile(0.75);
    return true;
}

void TVector::RangeMoments(int lowElem, int highElem, int &numData, double &skew,
                           double &kurt) const
{
    const Range r = ClampRange(lowElem, highElem);
    skew = kurt = 0.0;
    numData = r.count;
    if (r.count < 4)
        return;
    const auto begin = m_elems.begin() + r.first;
    const auto end = begin + r.count;
    // Constant data have no shape; rounding in the mean must not invent one.
    if (AllEqual(begin, r.count))
        return;

    const long double n = r.count;
    long double sum = 0.0L;
    for (auto it = begin; it != end; ++it)
        sum += *it;
    const long double mean = sum / n;
    long double sumD = 0.0L;
    long double sumD2 = 0.0L;
    double sumD3 = 0.0;
    double sumD4 = 0.0;
    for (auto it = begin; it != end; ++it) {
        const long double d = *it - mean;
        sumD += d;
        sumD2 += d * d;
        sumD3 += static_cast<double>(d * d * d);
        sumD4 += static_cast<double>(d * d * d * d);
    }
    const auto sd = static_cast<double>(std::sqrt((sumD2 - sumD * sumD / n) / (n - 1)));
    if (sd != 0.0) {
        skew = sumD3 / r.count / (sd * sd * sd);
        kurt = sumD4 / r.count / (sd * sd * sd * sd) - 3.0;
    }
}

void TVector::RangeSkewKurt(int lowElem, int highElem, double &skewness, double &kurtosis) const
{
    int count = 0;
    double skew = 0.0;
    double kurt = 0.0;
    RangeMoments(lowElem, highElem, count, skew, kurt);
    skewness = kurtosis = 0.0;
    const Range r = ClampRange(lowElem, highElem);
    if (count < 4 || AllEqual(m_elems.begin() + r.first, r.count))
        return;
    const double n = count;
    kurtosis = (kurt + 3.0) * n * n * (n + 1.0) / (n - 1.0) / (n - 2.0) / (n - 3.0)
            - 3.0 * (n - 1.0) * (n - 1.0) / (n - 2.0) / (n - 3.0);
    skewness = n * skew * n / (n - 1.0) / (n - 2.0);
}

void TVector::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TVector::ThrowOutOfMemory(const char *what) const
{
    throw EVectorError(QStringLiteral("Component \"%1\": %2").arg(m_name, QLatin1String(what)));
}
