#pragma once

#include <QStringList>

#include <chrono>
#include <string>
#include <string_view>

// The text of a recording: a CSV file (RFC 4180 quoting, ',' between fields, '.' as decimal
// point whatever the locale) with the header `time,seconds,<channel names>` and one line per
// sample. Lines end in LF alone: every CSV reader accepts it, and "the file ends in a complete
// line" is then a check of one byte.
namespace RecordingFormat {

using Clock = std::chrono::system_clock;

constexpr int MaxChannels = 8;

// The field as CSV writes it: quoted, with '"' doubled, when it holds ',', '"', CR or LF.
std::string Field(std::string_view text);

// `time,seconds,<names>` and LF; names in UTF-8.
std::string HeaderLine(const QStringList &channelNames);

// ISO 8601 local date-time with milliseconds and the UTC offset, `2026-12-11T03:46:18.123+01:00`;
// `utcOffset` is the local offset in force at `time`.
std::string LocalTime(Clock::time_point time, std::chrono::seconds utcOffset);

// The system time zone's offset from UTC at `time`.
std::chrono::seconds UtcOffsetAt(Clock::time_point time);

// Seconds with six decimals, `12.000345`, `-0.250000`; truncated to whole microseconds.
std::string Seconds(Clock::duration sinceStart);

// The start shared by every line of one device read: `<time>,<seconds>`.
std::string LinePrefix(Clock::time_point readTime, Clock::time_point recordingStart);

// Longest text Value writes: `-1.17549435e-38` is 15 characters.
constexpr size_t MaxValueLength = 16;

// Writes the shortest text that reads back as exactly `value` (`0.1`, `1e-05`, `-3.4028235e+38`)
// and returns the end.
char *Value(char *out, float value);

// A whole sample line with its LF; writes at most LineLength(prefix.size(), count) bytes.
char *SampleLine(char *out, std::string_view prefix, const float *values, int count);

constexpr size_t LineLength(size_t prefixLength, int count)
{
    return prefixLength + size_t(count) * (1 + MaxValueLength) + 1;
}

} // namespace RecordingFormat
