#include "app/run/recording_format.h"

#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

using namespace std::chrono;
using RecordingFormat::Clock;

namespace {

Clock::time_point Utc(sys_days day, Clock::duration timeOfDay)
{
    return Clock::time_point(day) + timeOfDay;
}

std::string ValueText(float value)
{
    char text[RecordingFormat::MaxValueLength];
    return std::string(text, RecordingFormat::Value(text, value));
}

// Sets the TZ variable for the guard's lifetime.
class TimeZoneGuard
{
public:
    explicit TimeZoneGuard(const char *zone)
    {
        if (const char *previous = std::getenv("TZ"))
            m_previous = previous;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZoneGuard()
    {
        if (m_previous.empty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", m_previous.c_str(), 1);
        ::tzset();
    }

private:
    std::string m_previous;
};

} // namespace

TEST(RecordingFormat, LocalTimeHasMillisecondsAndItsOffset)
{
    struct Row
    {
        const char *name;
        Clock::time_point time;
        seconds offset;
        const char *expected;
    };
    const sys_days day = 2026y / December / 11;
    const Row rows[] = {
            {.name = "one hour east",
             .time = Utc(day, 2h + 46min + 18s + 123ms),
             .offset = 1h,
             .expected = "2026-12-11T03:46:18.123+01:00"},
            {.name = "UTC writes +00:00",
             .time = Utc(day, 7ms),
             .offset = 0s,
             .expected = "2026-12-11T00:00:00.007+00:00"},
            {.name = "west of UTC goes back to the old year",
             .time = Utc(2026y / January / 1, 2h + 5ms),
             .offset = -(3h + 30min),
             .expected = "2025-12-31T22:30:00.005-03:30"},
            {.name = "quarter-hour offset",
             .time = Utc(day, 18h + 15min),
             .offset = 5h + 45min,
             .expected = "2026-12-12T00:00:00.000+05:45"},
            {.name = "below a millisecond is cut, never rounded up",
             .time = Utc(day, 23h + 59min + 59s + 999999us),
             .offset = 0s,
             .expected = "2026-12-11T23:59:59.999+00:00"},
            {.name = "leap day",
             .time = Utc(2028y / February / 29, 12h),
             .offset = 2h,
             .expected = "2028-02-29T14:00:00.000+02:00"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(RecordingFormat::LocalTime(row.time, row.offset), row.expected) << row.name;
}

TEST(RecordingFormat, UtcOffsetFollowsTheSystemZoneAcrossDaylightSaving)
{
    const TimeZoneGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(RecordingFormat::UtcOffsetAt(Utc(2026y / December / 11, 12h)), 1h);
    EXPECT_EQ(RecordingFormat::UtcOffsetAt(Utc(2026y / July / 1, 12h)), 2h);
    // Daylight saving ends 2026-10-25 at 01:00 UTC.
    EXPECT_EQ(RecordingFormat::UtcOffsetAt(Utc(2026y / October / 25, 59min + 59s)), 2h);
    EXPECT_EQ(RecordingFormat::UtcOffsetAt(Utc(2026y / October / 25, 1h)), 1h);
}

TEST(RecordingFormat, SecondsHaveSixDecimals)
{
    struct Row
    {
        Clock::duration sinceStart;
        const char *expected;
    };
    const Row rows[] = {
            {.sinceStart = 0s, .expected = "0.000000"},
            {.sinceStart = 12s + 345us, .expected = "12.000345"},
            {.sinceStart = 999ns, .expected = "0.000000"},
            {.sinceStart = 1s + 999999999ns, .expected = "1.999999"},
            {.sinceStart = -250ms, .expected = "-0.250000"},
            {.sinceStart = -1us, .expected = "-0.000001"},
            {.sinceStart = hours(24 * 400) + 1us, .expected = "34560000.000001"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(RecordingFormat::Seconds(row.sinceStart), row.expected)
                << duration_cast<nanoseconds>(row.sinceStart).count() << " ns";
}

TEST(RecordingFormat, FieldsAreQuotedOnlyWhenTheyNeedIt)
{
    struct Row
    {
        const char *text;
        const char *expected;
    };
    const Row rows[] = {
            {.text = "U1", .expected = "U1"},
            {.text = "", .expected = ""},
            {.text = "Temperatur \xC2\xB0"
                     "C",
             .expected = "Temperatur \xC2\xB0"
                         "C"},
            {.text = "U,1", .expected = "\"U,1\""},
            {.text = "say \"hi\"", .expected = "\"say \"\"hi\"\"\""},
            {.text = "two\nlines", .expected = "\"two\nlines\""},
            {.text = "cr\r", .expected = "\"cr\r\""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(RecordingFormat::Field(row.text), row.expected) << row.text;

    EXPECT_EQ(RecordingFormat::HeaderLine({"U1", "a,b", "\"q\""}),
              "time,seconds,U1,\"a,b\",\"\"\"q\"\"\"\n");
}

TEST(RecordingFormat, ValuesAreTheShortestTextThatReadsBackExactly)
{
    struct Row
    {
        float value;
        const char *expected;
    };
    const Row rows[] = {
            {.value = 0.1f, .expected = "0.1"},
            {.value = 1e-5f, .expected = "1e-05"},
            {.value = 16777216.0f, .expected = "16777216"},
            {.value = 123456.79f, .expected = "123456.79"},
            {.value = -0.0f, .expected = "-0"},
            {.value = -3.4028235e38f, .expected = "-3.4028235e+38"},
            {.value = 1e-45f, .expected = "1e-45"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ValueText(row.value), row.expected);

    // Every finite bit pattern, sampled: the text fits and reads back to the same bits.
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        const float value = std::bit_cast<float>(std::uint32_t(random()));
        if (!std::isfinite(value))
            continue;
        const std::string text = ValueText(value);
        ASSERT_LT(text.size(), RecordingFormat::MaxValueLength);
        float back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(value)) << text;
    }
}

TEST(RecordingFormat, SampleLinesUseAPointUnderAGermanLocale)
{
    const LocaleGuard locale(LocaleGuard::German());
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // when installed; the Qt locale is pinned either way

    const float values[] = {1.5f, -0.25f, 3e7f};
    char line[RecordingFormat::LineLength(6, 3)];
    char *end = RecordingFormat::SampleLine(line, "prefix", values, 3);
    EXPECT_EQ(std::string(line, size_t(end - line)), "prefix,1.5,-0.25,3e+07\n");

    // The longest line of eight channels fits the room LineLength promises.
    const float longest[8] = {-1.1754942e-38f, -1.1754942e-38f, -1.1754942e-38f, -1.1754942e-38f,
                              -1.1754942e-38f, -1.1754942e-38f, -1.1754942e-38f, -1.1754942e-38f};
    char room[RecordingFormat::LineLength(6, 8)];
    end = RecordingFormat::SampleLine(room, "prefix", longest, 8);
    EXPECT_LE(size_t(end - room), sizeof room);
    std::setlocale(LC_ALL, previous.c_str());
}
