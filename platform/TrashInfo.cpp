#include "platform/TrashInfo.h"

#include <QList>

#include <cstring>

namespace rw
{

namespace
{

bool isUnreserved(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return c != 0 && std::strchr("-_.!~*'()", c) != nullptr;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QByteArray TrashInfo::encodePath(const QByteArray& raw)
{
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(raw.size() * 3);
    for (const char ch : raw) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '/' || isUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

bool TrashInfo::decodePath(const QByteArray& encoded, QByteArray* raw)
{
    QByteArray out;
    out.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            out += encoded[i];
            continue;
        }
        const int hi = i + 2 < encoded.size() ? hexValue(encoded[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(encoded[i + 2]) : -1;
        if (lo < 0 || (hi == 0 && lo == 0))
            return false;
        out += char(hi * 16 + lo);
        i += 2;
    }
    *raw = out;
    return true;
}

QByteArray TrashInfo::deletionDate(std::time_t when)
{
    struct tm local;
    char text[32];
    if (!::localtime_r(&when, &local) ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local) != 19)
        return QByteArray();
    return QByteArray(text);
}

bool TrashInfo::isValidDate(const QByteArray& date)
{
    static const char kShape[] = "dddd-dd-ddTdd:dd:dd";
    if (date.size() != qsizetype(sizeof kShape - 1))
        return false;
    for (qsizetype i = 0; i < date.size(); ++i) {
        const bool digit = date[i] >= '0' && date[i] <= '9';
        if (kShape[i] == 'd' ? !digit : date[i] != kShape[i])
            return false;
    }
    return true;
}

QByteArray TrashInfo::format(const QByteArray& encodedPath, const QByteArray& date)
{
    return "[Trash Info]\nPath=" + encodedPath + "\nDeletionDate=" + date + '\n';
}

bool TrashInfo::parse(const QByteArray& text, QByteArray* encodedPath, QByteArray* date)
{
    bool inGroup = false;
    bool seenGroup = false;
    QByteArray path, when;
    bool havePath = false, haveDate = false;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            // Only the first "[Trash Info]" group counts.
            inGroup = !seenGroup && line == "[Trash Info]";
            seenGroup = seenGroup || inGroup;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inGroup || eq <= 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if (key == "Path" && !havePath) {
            path = value;
            havePath = true;
        } else if (key == "DeletionDate" && !haveDate) {
            when = value;
            haveDate = true;
        }
    }
    if (!havePath || path.isEmpty() || !haveDate || !isValidDate(when))
        return false;
    *encodedPath = path;
    *date = when;
    return true;
}

} // namespace rw
