#pragma once

#include "platform/date_time.h"

#include <array>
#include <cstddef>
#include <cstdint>

// One sample of the trend: the wall-clock time and the relative digit of each of the eight
// channels. A record whose Time is exactly 0.0 marks a discontinuity (separator). In memory and
// in the session file it is 24 packed little-endian bytes.
#pragma pack(push, 1)
struct TTrendRecord
{
    TDateTime Time = 0.0;
    std::uint16_t Word[8] = {};
};
#pragma pack(pop)

static_assert(sizeof(TTrendRecord) == 24, "a trend record is 24 bytes");

constexpr std::size_t kTrendRecordSize = 24;
constexpr TDateTime kTrendSeparatorTime = 0.0;
constexpr int kTrendChannelCount = 8;

inline bool IsSeparator(const TTrendRecord &record)
{
    return record.Time == kTrendSeparatorTime;
}

using TTrendRecordBytes = std::array<unsigned char, kTrendRecordSize>;

// The byte image of a record, independent of the host's byte order.
TTrendRecordBytes EncodeTrendRecord(const TTrendRecord &record);
TTrendRecord DecodeTrendRecord(const unsigned char *bytes);

// The word a channel's relative digit is stored as. A digit below the range is kept at 0 and one
// beyond 16 bits at 65535, so a dip below the range does not turn into a spike at the top.
std::uint16_t TrendWordFromRelDigit(int relDigit);
