#include "instruments/trend_record.h"

#include <algorithm>
#include <bit>

TTrendRecordBytes EncodeTrendRecord(const TTrendRecord &record)
{
    TTrendRecordBytes bytes {};
    const auto timeBits = std::bit_cast<std::uint64_t>(record.Time);
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(timeBits >> (8 * i));
    for (int k = 0; k < kTrendChannelCount; ++k) {
        bytes[8 + 2 * k] = static_cast<unsigned char>(record.Word[k] & 0xFF);
        bytes[9 + 2 * k] = static_cast<unsigned char>(record.Word[k] >> 8);
    }
    return bytes;
}

TTrendRecord DecodeTrendRecord(const unsigned char *bytes)
{
    TTrendRecord record;
    std::uint64_t timeBits = 0;
    for (int i = 7; i >= 0; --i)
        timeBits = (timeBits << 8) | bytes[i];
    record.Time = std::bit_cast<double>(timeBits);
    for (int k = 0; k < kTrendChannelCount; ++k)
        record.Word[k] = static_cast<std::uint16_t>(bytes[8 + 2 * k] | (bytes[9 + 2 * k] << 8));
    return record;
}

std::uint16_t TrendWordFromRelDigit(int relDigit)
{
    return static_cast<std::uint16_t>(std::clamp(relDigit, 0, 0xFFFF));
}
