#include "viewer/core/HexFormatter.h"

#include "viewer/core/TextFormatter.h"

namespace rw
{

int HexFormatter::offsetDigits(std::int64_t size)
{
    int digits = kOffsetDigits;
    const auto last = static_cast<std::uint64_t>(size > 0 ? size - 1 : 0);
    while (digits < 16 && (last >> (4 * digits)) != 0)
        ++digits;
    return digits;
}

QString HexFormatter::formatLine(const unsigned char* bytes, int count, std::int64_t offset,
                                 int digits, bool expandTabs)
{
    static const char kDigits[] = "0123456789ABCDEF";
    count = qBound(0, count, kBytesPerLine);
    digits = qBound(kOffsetDigits, digits, 16);
    const int hexAt = hexColumn(digits);
    const int charAt = charColumn(digits);
    QString line(charAt + count, QLatin1Char(' '));
    const auto off = static_cast<std::uint64_t>(offset);
    for (int i = 0; i < digits; ++i)
        line[i] = QLatin1Char(kDigits[(off >> (4 * (digits - 1 - i))) & 0xF]);
    for (int i = 0; i < count; ++i) {
        const unsigned char b = bytes[i];
        line[hexAt + 3 * i] = QLatin1Char(kDigits[b >> 4]);
        line[hexAt + 3 * i + 1] = QLatin1Char(kDigits[b & 0xF]);
        const QChar c = TextFormatter::ansiChar(b);
        if (b == 0 || (b == '\t' && expandTabs))
            line[charAt + i] = QLatin1Char('.');
        else if (!c.isNull())
            line[charAt + i] = c;
        // else the blank the line was filled with
    }
    return line;
}

} // namespace rw
