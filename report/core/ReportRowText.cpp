#include "report/core/ReportRowText.h"

#include <QString>

#include <charconv>

#include "framework/core/ResultSet.h"
#include "platform/DisplayName.h"
#include "platform/LocalTime.h"

namespace rw
{

namespace
{

bool plainAscii(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f || c == '\\')
            return false;
    }
    return true;
}

void appendTwo(QByteArray& out, int value)
{
    out += char('0' + value / 10);
    out += char('0' + value % 10);
}

void appendDateTime(QByteArray& out, int year, int month, int day, int hour, int minute, int second)
{
    if (year >= 0 && year <= 9999) {
        appendTwo(out, year / 100);
        appendTwo(out, year % 100);
    } else {
        ReportRowText::appendNumber(out, year);
    }
    out += '-';
    appendTwo(out, month);
    out += '-';
    appendTwo(out, day);
    out += 'T';
    appendTwo(out, hour);
    out += ':';
    appendTwo(out, minute);
    out += ':';
    appendTwo(out, second);
}

} // namespace

ReportRowText::ReportRowText(const ResultSet& set)
    : m_set(set), m_folderText(set.folderCount()), m_folderMade(set.folderCount(), false)
{
}

void ReportRowText::appendNumber(QByteArray& out, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, qsizetype(result.ptr - buffer));
}

void ReportRowText::appendLocalTime(QByteArray& out, std::int64_t epochSeconds)
{
    if (epochSeconds == 0)
        return;
    const LocalDateTime l = LocalTime::fromEpoch(epochSeconds);
    appendDateTime(out, l.year, l.month, l.day, l.hour, l.minute, l.second);
    int offset = l.utcOffset;
    out += offset < 0 ? '-' : '+';
    if (offset < 0)
        offset = -offset;
    appendTwo(out, offset / 3600);
    out += ':';
    appendTwo(out, offset / 60 % 60);
}

void ReportRowText::appendUtcTime(QByteArray& out, std::int64_t epochSeconds)
{
    std::int64_t days = epochSeconds / 86400;
    std::int64_t rest = epochSeconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int year = 0, month = 0, day = 0;
    LocalTime::civilFromDays(days, &year, &month, &day);
    appendDateTime(out, year, month, day, int(rest / 3600), int(rest / 60 % 60), int(rest % 60));
    out += 'Z';
}

void ReportRowText::appendShown(QByteArray& out, std::string_view bytes)
{
    if (plainAscii(bytes))
        out.append(bytes.data(), qsizetype(bytes.size()));
    else
        out += displayName(QByteArrayView(bytes.data(), qsizetype(bytes.size()))).toUtf8();
}

void ReportRowText::appendJsonEscaped(QByteArray& out, std::string_view utf8)
{
    static const char hex[] = "0123456789abcdef";
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out += hex[u >> 4];
                out += hex[u & 15];
            } else {
                out += c;
            }
        }
    }
}

bool ReportRowText::keepsBytes(std::string_view bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return true;
    const QByteArray b(bytes.data(), qsizetype(bytes.size()));
    return QString::fromUtf8(b).toUtf8() == b;
}

void ReportRowText::appendPath(QByteArray& out, std::uint32_t record)
{
    const std::uint32_t f = m_set.record(record).folder;
    if (!m_folderMade[f]) {
        const QByteArray& path = m_set.folder(f).path;
        QByteArray text;
        appendShown(text, std::string_view(path.constData(), std::size_t(path.size())));
        m_folderText[f] = text;
        m_folderMade[f] = true;
    }
    const QByteArray& folder = m_folderText[f];
    out += folder;
    const std::string_view name = m_set.name(record);
    if (name.empty())
        return;
    if (!folder.endsWith('/'))
        out += '/';
    appendShown(out, name);
}

} // namespace rw
