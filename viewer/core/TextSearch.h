#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace rw
{

// Finds a byte string in a buffer, forwards or backwards, with or without
// regard to case (letters of the ANSI code page fold). Runs on memchr /
// memrchr for the first byte, so a miss over a large mapped file costs
// little more than reading it.
class TextSearch
{
public:
    // Forward: the first match starting at or after `from`. Backward: the
    // last match starting before `from`. Returns its offset, or -1 when
    // there is none or the needle is empty.
    static std::int64_t find(const unsigned char* data, std::int64_t size, const QByteArray& needle,
                             std::int64_t from, bool backward, bool matchCase);
    // The lower-case form of a byte (ANSI letters only).
    static unsigned char foldCase(unsigned char byte);

    // A match: its offset (-1 when none) and its length in bytes.
    struct Match {
        std::int64_t offset = -1;
        std::int64_t length = 0;
    };
    // Finds `text` in UTF-8 data, as find() does. Without `matchCase`
    // characters are compared by their Unicode case folding (one character
    // for one: "É" matches "é", the Kelvin sign matches "k"), so a match may
    // take more or fewer bytes than the text; bytes that are no valid UTF-8
    // never match a character.
    static Match findUtf8(const unsigned char* data, std::int64_t size, const QString& text,
                          std::int64_t from, bool backward, bool matchCase);
};

} // namespace rw
