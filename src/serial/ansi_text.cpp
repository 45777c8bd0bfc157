#include "serial/ansi_text.h"

#include <array>

namespace {

// Unicode of the bytes 0x80..0x9F; 0xFFFD marks the undefined ones.
constexpr std::array<char16_t, 32> HighControlRange = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

} // namespace

QChar AnsiByteToChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighControlRange[byte - 0x80]);
    return QChar(byte);
}

int CharToAnsiByte(QChar ch)
{
    const char16_t code = ch.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return code;
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == code && code != 0xFFFD)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}
