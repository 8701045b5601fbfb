#include "framework/core/FileTextFormatter.h"

#include "base/SharedRoutines.h"
#include "platform/DisplayName.h"

#include <QDate>

#include <ctime>

namespace rw
{

namespace
{

// Offsets are looked up per quarter hour: every time zone in use changes
// its offset only at quarter-hour instants (UTC).
constexpr std::int64_t kOffsetBlock = 900;
constexpr std::size_t kOffsetSlots = 4096;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

bool validDateHalf(std::uint32_t d)
{
    return QDate::isValid(int(d >> 9) + 1980, int((d >> 5) & 0x0F), int(d & 0x1F));
}

bool validTimeHalf(std::uint32_t t)
{
    return (t >> 11) < 24 && ((t >> 5) & 0x3F) < 60 && (t & 0x1F) < 30;
}

} // namespace

FileTextFormatter::FileTextFormatter() : m_offsets(kOffsetSlots)
{
    const QString probe = m_locale.toString(qint64(-1234567890123LL));
    const QString sep = m_locale.groupSeparator();
    if (sep.size() == 1 && m_locale.zeroDigit() == QLatin1String("0") &&
        m_locale.negativeSign() == QLatin1String("-")) {
        m_groupSeparator = sep.at(0);
        m_simpleGrouping = true;
        m_simpleGrouping = sizeText(-1234567890123LL) == probe &&
                           sizeText(123) == m_locale.toString(qint64(123)) &&
                           sizeText(1234) == m_locale.toString(qint64(1234));
    }
}

QString FileTextFormatter::sizeText(std::int64_t size) const
{
    if (!m_simpleGrouping)
        return m_locale.toString(qint64(size));
    char16_t buf[32];
    int pos = 32;
    const bool negative = size < 0;
    // Work on the unsigned magnitude so the most negative value is safe.
    std::uint64_t v = negative ? std::uint64_t(0) - std::uint64_t(size) : std::uint64_t(size);
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            buf[--pos] = m_groupSeparator.unicode();
        buf[--pos] = char16_t(u'0' + v % 10);
        v /= 10;
        ++digits;
    } while (v != 0);
    if (negative)
        buf[--pos] = u'-';
    return QString(reinterpret_cast<const QChar*>(buf + pos), 32 - pos);
}

std::int32_t FileTextFormatter::localOffset(std::int64_t epochSeconds)
{
    const std::int64_t block = floorDiv(epochSeconds, kOffsetBlock);
    OffsetSlot& slot = m_offsets[std::size_t(block) % kOffsetSlots];
    if (slot.block != block) {
        const std::time_t t = std::time_t(block * kOffsetBlock);
        std::tm tm{};
        localtime_r(&t, &tm);
        slot.block = block;
        slot.offset = std::int32_t(tm.tm_gmtoff);
    }
    return slot.offset;
}

PackedDateTime FileTextFormatter::pack(std::int64_t epochSeconds)
{
    if (epochSeconds == 0)
        return 0;
    const std::int64_t local = epochSeconds + localOffset(epochSeconds);
    const std::int64_t days = floorDiv(local, 86400);
    const std::int64_t secs = local - days * 86400;
    // Civil date of a day count (proleptic Gregorian, days since 1970-01-01).
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    if (year < 1980)
        return PackedDateTime(((0u << 9) | (1u << 5) | 1u) << 16);
    if (year > 2107)
        return PackedDateTime((((127u << 9) | (12u << 5) | 31u) << 16) | (23u << 11) | (59u << 5) |
                              29u);
    const std::uint32_t date =
        (std::uint32_t(year - 1980) << 9) | (std::uint32_t(month) << 5) | std::uint32_t(day);
    const std::uint32_t hour = std::uint32_t(secs / 3600);
    const std::uint32_t minute = std::uint32_t((secs / 60) % 60);
    const std::uint32_t second = std::uint32_t(secs % 60);
    return (date << 16) | (hour << 11) | (minute << 5) | (second / 2);
}

QString FileTextFormatter::dateText(PackedDateTime packed)
{
    if (packed == 0)
        return QString();
    const std::uint32_t d = packed >> 16;
    // The cache is keyed by the date half, which decides the text only when
    // the whole value is valid; anything else takes the general route.
    if (!validDateHalf(d) || !validTimeHalf(packed & 0xFFFF))
        return PackedDateText(packed);
    if (m_dates.empty())
        m_dates.resize(0x10000);
    QString& slot = m_dates[d];
    if (slot.isNull())
        slot = PackedDateText(packed);
    return slot;
}

QString FileTextFormatter::timeText(PackedDateTime packed)
{
    if (packed == 0)
        return QString();
    const std::uint32_t t = packed & 0xFFFF;
    if (!validDateHalf(packed >> 16) || !validTimeHalf(t))
        return PackedTimeText(packed);
    if (m_times.empty())
        m_times.resize(0x10000);
    QString& slot = m_times[t];
    if (slot.isNull())
        slot = PackedTimeText(packed);
    return slot;
}

QString FileTextFormatter::hogLine(const FileRecord& file, const QString& typeText)
{
    const PackedDateTime modified = pack(file.status.mtime);
    const PackedDateTime accessed = pack(file.status.atime);
    const QString size = sizeText(file.size());
    const QString mdate = dateText(modified);
    const QString mtime = timeText(modified);
    const QString adate = dateText(accessed);
    const QString& folder = file.folder->displayPath();
    const std::string_view name = file.name;

    QString line;
    line.reserve(size.size() + mdate.size() + mtime.size() + adate.size() + folder.size() +
                 qsizetype(name.size()) + typeText.size() + 6);
    line.append(size).append('\t').append(mdate).append('\t').append(mtime).append('\t');
    line.append(adate).append('\t').append(folder);
    if (!folder.endsWith('/'))
        line.append('/');
    // Plain ASCII names (the usual case) go in without a decoded copy.
    bool ascii = true;
    for (char c : name)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        line.append(QLatin1StringView(name.data(), qsizetype(name.size())));
    else
        line.append(file.displayName());
    line.append('\t').append(typeText);
    return line;
}

const QString& FileTextFormatter::typeTextOfName(std::string_view name)
{
    if (!m_describer)
        return m_noType;
    const std::size_t dot = name.rfind('.');
    const std::string_view ext =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    auto it = m_types.find(ext);
    if (it == m_types.end())
        it = m_types
                 .emplace(std::string(ext), m_describer(displayName(
                                                QByteArrayView(ext.data(), qsizetype(ext.size())))))
                 .first;
    return it->second;
}

} // namespace rw
