#pragma once

#include <string>

// A double as decimal digits: value = 0.d1d2d3... × 10^Exponent. Digits hold no trailing
// zeros; an empty Digits means zero.
struct DecimalDigits
{
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
    bool Special = false; // NaN or infinity; Digits then holds "NAN", "INF"
};

// Rounds half away from zero, as the runtime did, from an 18-digit expansion of the value:
// to at most `significant` digits and to at most `decimals` places after the point.
DecimalDigits ToDecimalDigits(double value, int significant, int decimals = 9999);
