#include "platform/DisplayName.h"

#include <cstdint>

namespace rw
{

namespace
{

// Length of the valid UTF-8 sequence starting at s[i], or 0 when it is not
// one (overlong forms, surrogates and values past U+10FFFF are invalid).
int utf8SequenceLength(const unsigned char* s, qsizetype i, qsizetype n)
{
    const unsigned char c = s[i];
    int len = 0;
    char32_t min = 0;
    char32_t cp = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        min = 0x80;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        min = 0x800;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        min = 0x10000;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > n)
        return 0;
    for (int k = 1; k < len; ++k) {
        if ((s[i + k] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

void appendHex(QString& out, unsigned char c)
{
    static const char digits[] = "0123456789ABCDEF";
    out.append(QLatin1String("\\x"));
    out.append(QLatin1Char(digits[c >> 4]));
    out.append(QLatin1Char(digits[c & 15]));
}

} // namespace

bool isPlainName(QByteArrayView bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (s[i] < 0x80) {
            if (isControl(s[i]))
                return false;
            ++i;
            continue;
        }
        const int len = utf8SequenceLength(s, i, n);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

QString displayName(QByteArrayView bytes)
{
    if (isPlainName(bytes) && !bytes.contains('\\'))
        return QString::fromUtf8(bytes);
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n + 8);
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            if (c == '\t')
                out.append(QLatin1String("\\t"));
            else if (c == '\n')
                out.append(QLatin1String("\\n"));
            else if (c == '\r')
                out.append(QLatin1String("\\r"));
            else if (c == '\\')
                out.append(QLatin1String("\\\\"));
            else if (isControl(c))
                appendHex(out, c);
            else
                out.append(QLatin1Char(char(c)));
            ++i;
            continue;
        }
        const int len = utf8SequenceLength(s, i, n);
        if (len == 0) {
            appendHex(out, c);
            ++i;
            continue;
        }
        out.append(QString::fromUtf8(bytes.sliced(i, len)));
        i += len;
    }
    return out;
}

} // namespace rw
