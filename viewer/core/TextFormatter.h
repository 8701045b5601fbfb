#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace rw
{

// How the text view turns the bytes of one line into what it shows. Bytes
// are read in the Windows ANSI code page (1252): one byte, one character,
// so columns and bytes stay in step apart from tabs.
//
// With `utf8` a line that is valid UTF-8 is decoded instead: one column per
// character (two for one beyond U+FFFF, as the two halves it takes in a
// QString). A line that is not valid UTF-8 is read in the code page as
// above, so a stray byte never turns a line into garbage.
class TextFormatter
{
public:
    // The character a byte shows as, or a null QChar for a control byte or
    // a code the code page leaves undefined.
    static QChar ansiChar(unsigned char byte);

    // The bytes of a text in the code page; false in `ok` when a character
    // has no byte there (such a text can never be found in a file).
    static QByteArray toAnsi(const QString& text, bool* ok);

    // The line as displayed: a zero byte (and any other control byte) as a
    // blank; a tab either expanded with blanks to the next multiple of
    // `tabSize` or, when not expanded, one blank. Decoded, the characters
    // that would break the row or reorder it (line and paragraph separators,
    // explicit direction controls) show as blanks too.
    static QString displayText(const unsigned char* bytes, int length, bool expandTabs, int tabSize,
                               bool utf8 = false);
    // The display column of byte `byteColumn` of the line (the line's
    // display width when it is the length).
    static int displayColumn(const unsigned char* bytes, int length, int byteColumn,
                             bool expandTabs, int tabSize, bool utf8 = false);
    // The byte under display column `column` (a column inside an expanded
    // tab or a character gives its first byte); `length` when the column
    // lies beyond the text.
    static int byteColumn(const unsigned char* bytes, int length, int column, bool expandTabs,
                          int tabSize, bool utf8 = false);
};

} // namespace rw
