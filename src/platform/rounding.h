#pragma once

#include <cmath>
#include <cstdint>

// round(x): nearest integer, ties to the even neighbour.
inline std::int64_t Round(double x)
{
    return static_cast<std::int64_t>(std::nearbyint(x));
}

inline std::int64_t Trunc(double x)
{
    return static_cast<std::int64_t>(std::trunc(x));
}

// Rounds a double to single precision, as storing it in a Single did.
inline double ToSingle(double x)
{
    return static_cast<double>(static_cast<float>(x));
}
