#pragma once

#include <string_view>

// Reads the number at the start of a packet field, independent of the locale: leading spaces,
// an optional sign, digits with an optional '.' and digits, an optional exponent ('E' or 'e',
// optional sign, digits). The longest valid number is taken and the rest ignored ('12.5 ' is
// 12.5, '-3x' is -3, '12,5' is 12); a field without a number at its start reads 0. The result
// is rounded to single precision.
float ParseNumber(std::string_view text);
