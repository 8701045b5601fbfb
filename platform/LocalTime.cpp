#include "platform/LocalTime.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace rw
{

namespace
{

constexpr std::int64_t kHour = 3600;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The system's answer; tzset() first, so a changed TZ is honoured as
// localtime() would honour it.
int systemOffset(std::int64_t epochSeconds)
{
    const std::time_t t = std::time_t(epochSeconds);
    std::tm local{};
    if (!::localtime_r(&t, &local))
        return 0;
    return int(local.tm_gmtoff);
}

struct Slot {
    std::int64_t hour = INT64_MIN;
    int offset = 0;
    bool uniform = false; // the same offset from the hour's first to its last second
};

struct Table {
    std::array<Slot, 2048> slots{};
    std::string zone; // the TZ the slots were filled under
    bool zoneSet = false;
};

Table& table()
{
    thread_local Table t;
    const char* tz = std::getenv("TZ");
    const bool set = tz != nullptr;
    if (set != t.zoneSet || (set && t.zone != tz)) {
        ::tzset();
        t.slots = {};
        t.zoneSet = set;
        t.zone = set ? tz : "";
    }
    return t;
}

} // namespace

int LocalTime::utcOffsetAt(std::int64_t epochSeconds)
{
    Table& t = table();
    const std::int64_t hour = floorDiv(epochSeconds, kHour);
    Slot& s = t.slots[std::size_t(hour) & (t.slots.size() - 1)];
    if (s.hour != hour) {
        s.hour = hour;
        s.offset = systemOffset(hour * kHour);
        s.uniform = systemOffset(hour * kHour + kHour - 1) == s.offset;
    }
    return s.uniform ? s.offset : systemOffset(epochSeconds);
}

void LocalTime::civilFromDays(std::int64_t days, int* year, int* month, int* day)
{
    // Howard Hinnant's days-to-civil algorithm.
    days += 719468;
    const std::int64_t era = floorDiv(days, 146097);
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    *year = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
    *month = int(m);
    *day = int(d);
}

std::int64_t LocalTime::daysFromCivil(int year, int month, int day)
{
    // Howard Hinnant's civil-to-days algorithm.
    const std::int64_t y = std::int64_t(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = month > 2 ? month - 3 : month + 9;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

LocalDateTime LocalTime::fromEpoch(std::int64_t epochSeconds)
{
    LocalDateTime out;
    out.utcOffset = utcOffsetAt(epochSeconds);
    const std::int64_t local = epochSeconds + out.utcOffset;
    const std::int64_t days = floorDiv(local, 86400);
    const std::int64_t rest = local - days * 86400;
    civilFromDays(days, &out.year, &out.month, &out.day);
    out.hour = int(rest / 3600);
    out.minute = int(rest / 60 % 60);
    out.second = int(rest % 60);
    return out;
}

} // namespace rw
