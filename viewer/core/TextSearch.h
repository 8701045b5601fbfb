#pragma once

#include <QByteArray>

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
};

} // namespace rw
