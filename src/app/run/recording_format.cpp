#include "app/run/recording_format.h"

#include <charconv>
#include <cstring>
#include <ctime>

namespace RecordingFormat {

std::string Field(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string HeaderLine(const QStringList &channelNames)
{
    std::string line = "time,seconds";
    for (const QString &name : channelNames) {
        line += ',';
        line += Field(name.toStdString());
    }
    line += '\n';
    return line;
}

namespace {

// Appends `value` as exactly `digits` decimal digits.
void AppendDigits(std::string &out, long long value, int digits)
{
    char text[24];
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        text[i] = char('0' + value % 10);
    out.append(text, size_t(digits));
}

} // namespace

std::string LocalTime(Clock::time_point time, std::chrono::seconds utcOffset)
{
    using namespace std::chrono;
    const auto local = floor<milliseconds>(time) + utcOffset;
    const auto day = floor<days>(local);
    const year_month_day date(day);
    const hh_mm_ss clock(local - day);

    std::string out;
    out.reserve(29);
    AppendDigits(out, int(date.year()), 4);
    out += '-';
    AppendDigits(out, unsigned(date.month()), 2);
    out += '-';
    AppendDigits(out, unsigned(date.day()), 2);
    out += 'T';
    AppendDigits(out, clock.hours().count(), 2);
    out += ':';
    AppendDigits(out, clock.minutes().count(), 2);
    out += ':';
    AppendDigits(out, clock.seconds().count(), 2);
    out += '.';
    AppendDigits(out, clock.subseconds().count(), 3);
    const long long offsetMinutes = duration_cast<minutes>(utcOffset).count();
    out += offsetMinutes < 0 ? '-' : '+';
    AppendDigits(out, std::abs(offsetMinutes) / 60, 2);
    out += ':';
    AppendDigits(out, std::abs(offsetMinutes) % 60, 2);
    return out;
}

std::chrono::seconds UtcOffsetAt(Clock::time_point time)
{
    const std::time_t t = Clock::to_time_t(time);
    std::tm local {};
    localtime_r(&t, &local);
    return std::chrono::seconds(local.tm_gmtoff);
}

std::string Seconds(Clock::duration sinceStart)
{
    const long long micros
            = std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count();
    std::string out;
    if (micros < 0)
        out += '-';
    const long long magnitude = micros < 0 ? -micros : micros;
    out += std::to_string(magnitude / 1000000);
    out += '.';
    AppendDigits(out, magnitude % 1000000, 6);
    return out;
}

std::string LinePrefix(Clock::time_point readTime, Clock::time_point recordingStart)
{
    return LocalTime(readTime, UtcOffsetAt(readTime)) + ',' + Seconds(readTime - recordingStart);
}

char *Value(char *out, float value)
{
    return std::to_chars(out, out + MaxValueLength, value).ptr;
}

char *SampleLine(char *out, std::string_view prefix, const float *values, int count)
{
    std::memcpy(out, prefix.data(), prefix.size());
    out += prefix.size();
    for (int i = 0; i < count; ++i) {
        *out++ = ',';
        out = Value(out, values[i]);
    }
    *out++ = '\n';
    return out;
}

} // namespace RecordingFormat
