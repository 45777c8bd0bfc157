#pragma once

#include "platform/exception.h"

#include <QString>

#include <functional>
#include <vector>

// The vector's error: running out of memory while resizing or sorting.
class EVectorError : public Exception
{
public:
    using Exception::Exception;
};

// A resizable array of doubles indexed 1 .. NrOfElem() with descriptive statistics over ranges.
//
// Range rule of every Range* operation: lowElem and highElem are clamped to 1 .. NrOfElem() and
// swapped when reversed, so a range always holds at least one element.
class TVector
{
public:
    explicit TVector(QString name = QStringLiteral("Vec1"));

    const QString &Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }

    int NrOfElem() const { return static_cast<int>(m_elems.size()); }
    // Values below 1 and the current size are ignored; growing appends zeros.
    void SetNrOfElem(int count);

    // 0 outside 1 .. NrOfElem().
    double Elem(int index) const;
    // Ignored outside 1 .. NrOfElem().
    void SetElem(int index, double value);
    void ZeroElems();

    void RangeMinMax(int lowElem, int highElem, double &minimum, double &maximum) const;
    // Sample variance (divisor n - 1); 0 for a single element.
    void RangeMeanVar(int lowElem, int highElem, double &mean, double &variance) const;
    // Linear interpolation at the positions (n + 1) * p; always true.
    bool RangeQuartiles(int lowElem, int highElem, double &q1, double &q2, double &q3) const;
    // Population skew and excess kurtosis relative to the sample standard deviation;
    // both 0 for fewer than four elements and for constant data.
    void RangeMoments(int lowElem, int highElem, int &numData, double &skew, double &kurt) const;
    // Bias-corrected sample skewness and excess kurtosis (0 below four elements or for
    // constant data).
    void RangeSkewKurt(int lowElem, int highElem, double &skewness, double &kurtosis) const;

    std::function<void(TVector *sender)> OnChange;
    // Kept for the component's interface; the sort used here does not report exchanges.
    std::function<void(TVector *sender, int index1, int index2)> OnSortExchange;

private:
    struct Range
    {
        int first; // 0-based
        int count;
    };
    Range ClampRange(int lowElem, int highElem) const;
    void Changed();
    [[noreturn]] void ThrowOutOfMemory(const char *what) const;

    QString m_name;
    std::vector<double> m_elems;
};
