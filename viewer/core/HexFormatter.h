#pragma once

#include <QString>

#include <cstdint>

namespace rw
{

// One line of the hexadecimal dump: 16 bytes a line, 75 characters for a
// full line. The offset of the first byte as 8 upper-case hexadecimal digits
// from column 0, each byte as 2 upper-case digits and a blank from column 10,
// and the bytes as characters from column 59, where a zero byte (and a tab
// while tabs are expanded) shows as a full stop; any other byte without a
// printable character (a line break, a control byte, a code the code page
// leaves undefined, a tab while tabs are not expanded) shows as a blank, as
// the text display shows it.
// A last, partial line keeps the columns and simply ends after its bytes.
//
// Files of 4 GiB and more need more than 8 digits for their offsets; their
// lines widen the offset just enough (and the columns after it move along),
// so no offset is ever shown wrapped.
class HexFormatter
{
public:
    static constexpr int kBytesPerLine = 16;
    static constexpr int kOffsetDigits = 8;
    static constexpr int kHexColumn = 10;
    static constexpr int kCharColumn = 59;
    static constexpr int kLineLength = kCharColumn + kBytesPerLine;

    // Offset digits for a file of `size` bytes: 8, or more from 4 GiB on.
    static int offsetDigits(std::int64_t size);
    static int hexColumn(int digits) { return digits + 2; }
    static int charColumn(int digits) { return digits + 2 + 3 * kBytesPerLine + 1; }
    static int lineLength(int digits) { return charColumn(digits) + kBytesPerLine; }

    // `count` bytes (1 to 16) from `bytes`, the first at file offset `offset`.
    static QString formatLine(const unsigned char* bytes, int count, std::int64_t offset,
                              int digits = kOffsetDigits, bool expandTabs = true);
    // Lines of a file of `size` bytes.
    static std::int64_t lineCount(std::int64_t size)
    {
        return (size + kBytesPerLine - 1) / kBytesPerLine;
    }
};

} // namespace rw
