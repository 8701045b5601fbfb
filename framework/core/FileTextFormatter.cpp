#include "framework/core/FileTextFormatter.h"

#include "base/SharedRoutines.h"
#include "platform/DisplayName.h"

#include <QDate>

#include <ctime>

namespace rw
{

namespace
{

bool validDateHalf(std::uint32_t d)
{
    return QDate::isValid(int(d >> 9) + 1980, int((d >> 5) & 0x0F), int(d & 0x1F));
}

bool validTimeHalf(std::uint32_t t)
{
    return (t >> 11) < 24 && ((t >> 5) & 0x3F) < 60 && (t & 0x1F) < 30;
}

} // namespace

FileTextFormatter::FileTextFormatter()
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

PackedDateTime FileTextFormatter::pack(std::int64_t epochSeconds)
{
    // The one conversion of file times to local time, with its table of
    // the zone's offsets.
    return packFileTime(epochSeconds);
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
    // Plain ASCII names (the usual case) go in without a decoded copy;
    // control characters and a backslash show escaped.
    bool ascii = true;
    for (char c : name)
        ascii = ascii && static_cast<unsigned char>(c) >= 0x20 &&
                static_cast<unsigned char>(c) < 0x7F && c != '\\';
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
