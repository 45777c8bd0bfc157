#include "app/tools/vector.h"

#include <gtest/gtest.h>

namespace {

TVector MakeVector(std::initializer_list<double> values)
{
    TVector v;
    v.SetNrOfElem(static_cast<int>(values.size()));
    int i = 1;
    for (double x : values)
        v.SetElem(i++, x);
    return v;
}

TEST(Vector, ResizingKeepsElementsAndIgnoresInvalidSizes)
{
    TVector v;
    int changes = 0;
    v.OnChange = [&changes](TVector *) { ++changes; };
    EXPECT_EQ(v.NrOfElem(), 1);

    v.SetElem(1, 2.5);
    v.SetNrOfElem(3);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(v.Elem(1), 2.5);
    EXPECT_EQ(v.Elem(3), 0.0);

    v.SetNrOfElem(3);
    v.SetNrOfElem(0);
    v.SetNrOfElem(-5);
    v.SetElem(0, 9);
    v.SetElem(4, 9);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(v.NrOfElem(), 3);

    v.SetNrOfElem(1);
    EXPECT_EQ(v.NrOfElem(), 1);
    EXPECT_EQ(v.Elem(1), 2.5);
    EXPECT_EQ(v.Elem(2), 0.0);
}

TEST(Vector, RangesAreClampedAndSwapped)
{
    const TVector v = MakeVector({8, 1, 5, 3});
    struct Case
    {
        int low, high;
        double min, max, mean;
    };
    const Case cases[] = {
            {1, 4, 1, 8, 4.25}, // whole vector
            {4, 2, 1, 5, 3}, // reversed
            {-7, 2, 1, 8, 4.5}, // low clamped to 1
            {3, 99, 3, 5, 4}, // high clamped to NrOfElem
            {9, 12, 3, 3, 3}, // both beyond the end: the last element
            {0, 0, 8, 8, 8}, // both before the start: the first element
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        double minimum = 0, maximum = 0, mean = 0, variance = 0;
        v.RangeMinMax(c.low, c.high, minimum, maximum);
        v.RangeMeanVar(c.low, c.high, mean, variance);
        EXPECT_EQ(minimum, c.min);
        EXPECT_EQ(maximum, c.max);
        EXPECT_DOUBLE_EQ(mean, c.mean);
    }
}

TEST(Vector, QuartilesLeaveTheStoredOrderAlone)
{
    const TVector v = MakeVector({4, 3, 2, 1});
    double q1 = 0, q2 = 0, q3 = 0;
    EXPECT_TRUE(v.RangeQuartiles(1, 4, q1, q2, q3));
    EXPECT_DOUBLE_EQ(q1, 1.25);
    EXPECT_DOUBLE_EQ(q3, 3.75);
    EXPECT_EQ(v.Elem(1), 4.0);
    EXPECT_EQ(v.Elem(4), 1.0);
}

TEST(Vector, MomentsOfASubRange)
{
    // Elements 2..5 are 1, 2, 3, 10: population skew of the sample standard deviation.
    const TVector v = MakeVector({100, 1, 2, 3, 10, -100});
    int count = 0;
    double skew = 0, kurt = 0;
    v.RangeMoments(2, 5, count, skew, kurt);
    EXPECT_EQ(count, 4);
    EXPECT_NEAR(skew, 1.7636326148038879 * 2 * 3 / 16, 1e-12);

    double skewness = 0, kurtosis = 0;
    v.RangeSkewKurt(5, 2, skewness, kurtosis);
    EXPECT_NEAR(skewness, 1.7636326148038879, 1e-12);
    EXPECT_NEAR(kurtosis, 3.228, 1e-12);
}

} // namespace
