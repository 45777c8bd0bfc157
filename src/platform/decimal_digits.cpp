#include "platform/decimal_digits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Rounds `digits` (mantissa 0.ddd × 10^exponent) to `keep` digits, half away from zero.
void RoundDigits(std::string &digits, int &exponent, int keep)
{
    if (keep < 0) {
        digits.clear();
        return;
    }
    if (static_cast<int>(digits.size()) <= keep)
        return;
    const bool up = digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
            digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
}

} // namespace

DecimalDigits ToDecimalDigits(double value, int significant, int decimals)
{
    DecimalDigits result;
    if (std::isnan(value)) {
        result.Special = true;
        result.Digits = "NAN";
        return result;
    }
    result.Negative = std::signbit(value);
    if (std::isinf(value)) {
        result.Special = true;
        result.Digits = "INF";
        return result;
    }
    if (value == 0.0) {
        result.Negative = false;
        return result;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
    std::string digits;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    }
    int exponent = std::atoi(p + 1) + 1;

    int keep = significant;
    if (decimals < 9999)
        keep = std::min(keep, exponent + decimals);
    RoundDigits(digits, exponent, keep);
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty()) {
        result.Negative = false;
        exponent = 0;
    }
    result.Digits = digits;
    result.Exponent = exponent;
    return result;
}
