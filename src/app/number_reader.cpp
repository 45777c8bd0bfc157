#include "app/number_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
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
    bool negativeExponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < n && (text[e] == '+' || text[e] == '-'))
            negativeExponent = text[e++] == '-';
        if (e < n && IsDigit(text[e])) {
            while (e < n && IsDigit(text[e]))
                ++e;
            end = e;
        } else {
            negativeExponent = false;
        }
    }
    double value = 0.0;
    const char *first = text.data() + start;
    const auto result = std::from_chars(first, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : HUGE_VAL;
    if (negative)
        value = -value;
    // Out-of-range double to float conversion is undefined; saturate explicitly.
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
