#pragma once

#include <cstdint>

namespace rw
{

// A moment as the local clock shows it.
struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffset = 0; // seconds east of UTC at that moment
};

// Converts file times (seconds since 1970, UTC) to local time, fast enough
// for a walk of millions of files: converting through QDateTime or
// localtime() re-reads the zone (tzset, a stat of /etc/localtime) on every
// call. The zone's offset is looked up once per hour of UTC time and kept in
// a small per-thread table; an hour in which the offset changes (a daylight
// saving switch) is converted second by second through the system. The
// table is dropped when TZ changes. The result equals localtime_r's.
class LocalTime
{
public:
    static LocalDateTime fromEpoch(std::int64_t epochSeconds);

    // The UTC offset (seconds east) in force at that moment.
    static int utcOffsetAt(std::int64_t epochSeconds);

    // Year, month and day of a day number counted from 1970-01-01 (which may
    // be negative), in the proleptic Gregorian calendar.
    static void civilFromDays(std::int64_t days, int* year, int* month, int* day);
    // The day number (from 1970-01-01) of a date; the inverse of
    // civilFromDays for valid dates.
    static std::int64_t daysFromCivil(int year, int month, int day);
};

} // namespace rw
