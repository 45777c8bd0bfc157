#pragma once

#include "platform/rounding.h"

#include <cmath>
#include <limits>

// Conversions of computed positions to Integer that saturate instead of wrapping: a value far
// outside a range (or an infinite one) must park at the end, not jump to the other side.
inline int SaturateToInt(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (x <= lo)
        return std::numeric_limits<int>::min();
    if (x >= hi)
        return std::numeric_limits<int>::max();
    return static_cast<int>(x);
}

// round() (ties to even) into the Integer range.
inline int RoundSaturated(double x)
{
    if (std::isnan(x) || std::isinf(x))
        return SaturateToInt(x);
    if (std::fabs(x) >= 2147483648.0)
        return SaturateToInt(x);
    return SaturateToInt(static_cast<double>(Round(x)));
}
