#include "viewer/core/TextFormatter.h"

#include <algorithm>
#include <iterator>

namespace rw
{

namespace
{

// Code page 1252 for 0x80..0x9F; 0 where the code page has no character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int tabWidth(int column, int tabSize)
{
    return tabSize - column % tabSize;
}

} // namespace

QChar TextFormatter::ansiChar(unsigned char byte)
{
    if (byte < 0x20 || byte == 0x7F)
        return QChar();
    if (byte >= 0x80 && byte < 0xA0)
        return kCp1252High[byte - 0x80] ? QChar(kCp1252High[byte - 0x80]) : QChar();
    return QChar(byte);
}

QByteArray TextFormatter::toAnsi(const QString& text, bool* ok)
{
    QByteArray out;
    out.reserve(text.size());
    bool good = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
            out.append(static_cast<char>(u));
            continue;
        }
        const auto* hit = std::find(std::begin(kCp1252High), std::end(kCp1252High), u);
        if (u != 0 && hit != std::end(kCp1252High)) {
            out.append(static_cast<char>(0x80 + (hit - std::begin(kCp1252High))));
            continue;
        }
        good = false;
    }
    if (ok)
        *ok = good;
    return out;
}

QString TextFormatter::displayText(const unsigned char* bytes, int length, bool expandTabs,
                                   int tabSize)
{
    tabSize = std::max(1, tabSize);
    QString out;
    out.reserve(length);
    for (int i = 0; i < length; ++i) {
        const unsigned char b = bytes[i];
        if (b == '\t' && expandTabs) {
            out.append(QString(tabWidth(static_cast<int>(out.size()), tabSize), QLatin1Char(' ')));
            continue;
        }
        const QChar c = ansiChar(b);
        out.append(c.isNull() ? QChar(QLatin1Char(' ')) : c);
    }
    return out;
}

int TextFormatter::displayColumn(const unsigned char* bytes, int length, int byteColumn,
                                 bool expandTabs, int tabSize)
{
    if (!expandTabs)
        return byteColumn;
    tabSize = std::max(1, tabSize);
    int column = 0;
    const int end = std::min(byteColumn, length);
    for (int i = 0; i < end; ++i)
        column += (bytes[i] == '\t') ? tabWidth(column, tabSize) : 1;
    return column + std::max(0, byteColumn - length);
}

int TextFormatter::byteColumn(const unsigned char* bytes, int length, int column, bool expandTabs,
                              int tabSize)
{
    if (!expandTabs)
        return std::min(column, length);
    tabSize = std::max(1, tabSize);
    int at = 0;
    for (int i = 0; i < length; ++i) {
        const int width = (bytes[i] == '\t') ? tabWidth(at, tabSize) : 1;
        if (column < at + width)
            return i;
        at += width;
    }
    return length;
}

} // namespace rw
