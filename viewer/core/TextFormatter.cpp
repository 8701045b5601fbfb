#include "viewer/core/TextFormatter.h"

#include "viewer/core/Utf8Text.h"

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

// True for a decoded character shown as a blank: control characters, and
// those that would end the row or turn the order of what follows.
bool showsAsBlank(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Walks a valid UTF-8 line character by character: `visit(byte, character,
// column, width)` for each, with its first byte, its display column and the
// columns it takes; stops when `visit` returns false.
template <typename Visit>
void forEachCharacter(const unsigned char* bytes, int length, bool expandTabs, int tabSize,
                      Visit visit)
{
    int column = 0;
    for (int i = 0; i < length;) {
        char32_t c = bytes[i];
        int n = 1;
        if (c >= 0x80)
            n = std::max(1, Utf8Text::decode(bytes + i, length - i, &c));
        int width = c > 0xFFFF ? 2 : 1;
        if (c == '\t' && expandTabs)
            width = tabWidth(column, tabSize);
        if (!visit(i, c, column, width))
            return;
        column += width;
        i += n;
    }
}

bool decodes(const unsigned char* bytes, int length, bool utf8)
{
    return utf8 && Utf8Text::isValid(bytes, length);
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
                                   int tabSize, bool utf8)
{
    tabSize = std::max(1, tabSize);
    QString out;
    out.reserve(length);
    if (decodes(bytes, length, utf8)) {
        forEachCharacter(bytes, length, expandTabs, tabSize, [&](int, char32_t c, int, int width) {
            if (c == '\t' || showsAsBlank(c))
                out.append(QString(width, QLatin1Char(' ')));
            else
                out.append(QChar::fromUcs4(c));
            return true;
        });
        return out;
    }
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
                                 bool expandTabs, int tabSize, bool utf8)
{
    if (decodes(bytes, length, utf8)) {
        tabSize = std::max(1, tabSize);
        int column = 0;
        forEachCharacter(bytes, length, expandTabs, tabSize,
                         [&](int byte, char32_t, int at, int width) {
                             if (byte >= byteColumn)
                                 return false;
                             column = at + width;
                             return true;
                         });
        return column + std::max(0, byteColumn - length);
    }
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
                              int tabSize, bool utf8)
{
    if (decodes(bytes, length, utf8)) {
        tabSize = std::max(1, tabSize);
        int found = length;
        forEachCharacter(bytes, length, expandTabs, tabSize,
                         [&](int byte, char32_t, int at, int width) {
                             if (column < at + width) {
                                 found = byte;
                                 return false;
                             }
                             return true;
                         });
        return found;
    }
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
