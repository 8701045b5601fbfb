#include "platform/DosDateTime.h"

#include "platform/LocalTime.h"

namespace rw
{

namespace
{

PackedDateTime packFields(int year, int month, int day, int hour, int minute, int second)
{
    const std::uint32_t date =
        (std::uint32_t(year - 1980) << 9) | (std::uint32_t(month) << 5) | std::uint32_t(day);
    const std::uint32_t time =
        (std::uint32_t(hour) << 11) | (std::uint32_t(minute) << 5) | std::uint32_t(second / 2);
    return (date << 16) | time;
}

} // namespace

PackedDateTime packDateTime(const QDateTime& local)
{
    if (!local.isValid())
        return 0;
    QDate d = local.date();
    QTime t = local.time();
    // The packed form holds 1980..2107 only; times outside are clamped so a
    // file stamped 1970 (common for unpacked archives) still sorts first.
    if (d.year() < 1980) {
        d = QDate(1980, 1, 1);
        t = QTime(0, 0, 0);
    } else if (d.year() > 2107) {
        d = QDate(2107, 12, 31);
        t = QTime(23, 59, 58);
    }
    return packFields(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

PackedDateTime packFileTime(std::int64_t epochSeconds)
{
    if (epochSeconds == 0)
        return 0;
    // Beyond some 30,000 years either way the table's arithmetic is not
    // needed: Qt's conversion says what such a time is (clamped or invalid).
    constexpr std::int64_t kFar = 1'000'000'000'000LL;
    if (epochSeconds < -kFar || epochSeconds > kFar)
        return packDateTime(QDateTime::fromSecsSinceEpoch(epochSeconds).toLocalTime());
    // A walk converts every file's times: the zone is looked up through a
    // table of its offsets, not re-read for each file.
    const LocalDateTime l = LocalTime::fromEpoch(epochSeconds);
    if (l.year < 1980)
        return packFields(1980, 1, 1, 0, 0, 0);
    if (l.year > 2107)
        return packFields(2107, 12, 31, 23, 59, 58);
    return packFields(l.year, l.month, l.day, l.hour, l.minute, l.second);
}

bool unpackDateTime(PackedDateTime packed, QDateTime* out)
{
    const std::uint32_t date = packed >> 16;
    const std::uint32_t time = packed & 0xFFFF;
    const int year = int(date >> 9) + 1980;
    const int month = int((date >> 5) & 0x0F);
    const int day = int(date & 0x1F);
    const int hour = int(time >> 11);
    const int minute = int((time >> 5) & 0x3F);
    const int second = int(time & 0x1F) * 2;
    const QDate d(year, month, day);
    const QTime t(hour, minute, second);
    if (!d.isValid() || !t.isValid())
        return false;
    if (out)
        *out = QDateTime(d, t);
    return true;
}

int daySerial(const QDate& date)
{
    return int(QDate(1899, 12, 30).daysTo(date));
}

QDate dateFromSerial(int serial)
{
    return QDate(1899, 12, 30).addDays(serial);
}

QDate packedDay(PackedDateTime packed)
{
    const std::uint32_t d = packed >> 16;
    return QDate(int(d >> 9) + 1980, int((d >> 5) & 0x0F), int(d & 0x1F));
}

bool mayBeClampedDay(const QDate& day)
{
    return (day.year() == 1980 && day.month() == 1 && day.day() == 1) ||
           (day.year() == 2107 && day.month() == 12 && day.day() == 31);
}

} // namespace rw
