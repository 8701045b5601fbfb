#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdlib>
#include <ctime>

#include "platform/DosDateTime.h"
#include "platform/LocalTime.h"

namespace
{

// Sets TZ for one test and puts the one before back.
class ZoneScope
{
public:
    explicit ZoneScope(const char* zone)
        : m_old(qgetenv("TZ")), m_hadOld(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        ::tzset();
    }
    ~ZoneScope()
    {
        if (m_hadOld)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        ::tzset();
    }

private:
    QByteArray m_old;
    bool m_hadOld;
};

} // namespace

// The table's answers equal the system's for every second around daylight
// saving switches (whole-hour, half-hour and a +5:45 zone), for times before
// 1970 and far ahead, and after TZ changes within the run.
TEST(LocalTime, EqualsTheSystemsConversionAcrossZoneChanges)
{
    struct Case {
        const char* zone;
        std::int64_t around; // a moment near an offset change
    };
    const Case cases[] = {
        {"Europe/Berlin", 1711846800},       // 2024-03-31 01:00 UTC, summer time starts
        {"Europe/Berlin", 1729990800},       // 2024-10-27 01:00 UTC, summer time ends
        {"America/New_York", 1710054000},    // 2024-03-10 07:00 UTC
        {"Australia/Lord_Howe", 1712415600}, // 2024-04-07, a half-hour switch
        {"Asia/Kathmandu", 504901800},       // 1986-01-01, +5:30 becomes +5:45
        {"UTC", 0},
        {"Europe/Berlin", -1'000'000'000},   // 1938
        {"America/New_York", 4'102'444'800}, // 2100
    };
    for (const Case& c : cases) {
        const ZoneScope zone(c.zone);
        for (std::int64_t t = c.around - 7300; t <= c.around + 7300; t += 7) {
            const std::time_t tt = std::time_t(t);
            std::tm sys{};
            ASSERT_NE(::localtime_r(&tt, &sys), nullptr);
            const rw::LocalDateTime l = rw::LocalTime::fromEpoch(t);
            ASSERT_EQ(l.utcOffset, sys.tm_gmtoff) << c.zone << " at " << t;
            ASSERT_EQ(l.year, sys.tm_year + 1900) << c.zone << " at " << t;
            ASSERT_EQ(l.month, sys.tm_mon + 1) << c.zone << " at " << t;
            ASSERT_EQ(l.day, sys.tm_mday) << c.zone << " at " << t;
            ASSERT_EQ(l.hour, sys.tm_hour) << c.zone << " at " << t;
            ASSERT_EQ(l.minute, sys.tm_min) << c.zone << " at " << t;
            ASSERT_EQ(l.second, sys.tm_sec) << c.zone << " at " << t;
        }
    }
}

// Packing a file time goes through the table and still gives what Qt's
// conversion gives, in another zone than the one the table was filled in.
TEST(LocalTime, PackedFileTimesFollowTheZone)
{
    const std::int64_t t = 1719835200; // 2024-07-01 12:00 UTC
    rw::PackedDateTime utc = 0;
    {
        const ZoneScope zone("UTC");
        utc = rw::packFileTime(t);
        EXPECT_EQ(utc, rw::packDateTime(QDateTime::fromSecsSinceEpoch(t).toLocalTime()));
    }
    const ZoneScope zone("Europe/Berlin");
    const rw::PackedDateTime berlin = rw::packFileTime(t);
    EXPECT_EQ(berlin, rw::packDateTime(QDateTime::fromSecsSinceEpoch(t).toLocalTime()));
    EXPECT_EQ(int((berlin >> 11) & 0x1f), 14);
    EXPECT_EQ(int((utc >> 11) & 0x1f), 12);
    // Before 1980 and after 2107 the packed form holds its first and last moment.
    EXPECT_EQ(rw::packFileTime(86400), rw::packDateTime(QDateTime(QDate(1980, 1, 1), QTime(0, 0))));
    EXPECT_EQ(rw::packFileTime(7'258'118'400LL * 2),
              rw::packDateTime(QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58))));
}
