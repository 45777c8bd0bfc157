#include "app/run/number_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether a number that does not fit single precision is too large (rather than too small):
// its decimal order of magnitude, from the digits and the exponent, is positive.
bool Overflows(std::string_view number)
{
    const size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string_view::npos)
        return false;
    // Digits before the point count up from the first significant one, zeros after it down.
    long long order = firstNonZero < point ? static_cast<long long>(point - firstNonZero)
                                           : -static_cast<long long>(firstNonZero - point - 1);
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = number.substr(exponentAt + 1);
        const bool negative = !exponent.empty() && exponent.front() == '-';
        if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+'))
            exponent.remove_prefix(1);
        long long e = 0;
        for (const char c : exponent)
            e = std::min(e * 10 + (c - '0'), 1000000000LL); // far beyond any float
        order += negative ? -e : e;
    }
    return order > 0;
}

} // namespace

float ParseNumber(std::string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // from_chars takes no sign and would accept "inf", "nan" and hexadecimal forms, so the
    // extent of the number is found here and only that span is converted.
    const size_t start = i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0f;
    size_t end = i;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < n && (text[e] == '+' || text[e] == '-'))
            ++e;
        if (e < n && IsDigit(text[e])) {
            while (e < n && IsDigit(text[e]))
                ++e;
            end = e;
        }
    }
    float value = 0.0f;
    const char *first = text.data() + start;
    // Converting straight to single precision rounds once, so text just above FLT_MAX that
    // rounds down to it reads as FLT_MAX rather than going through a double first.
    const auto result = std::from_chars(first, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        value = Overflows(text.substr(start, end - start)) ? HUGE_VALF : 0.0f;
    return negative ? -value : value;
}
