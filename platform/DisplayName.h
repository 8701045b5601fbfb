#pragma once

#include <QByteArrayView>
#include <QString>

namespace rw
{

// The text shown for a file name or path given as the file system's bytes.
// Display only: no file operation ever takes this text back.
//
// Valid UTF-8 without control characters is shown as it is. Otherwise each
// byte that is not part of a valid UTF-8 sequence is shown as \xFF (upper-
// case hex), and tab, line feed and carriage return as \t, \n and \r, other
// control characters as \xNN, and a backslash as \\; so a tab or a line
// break in a name never splits a cell or a clipboard line, "Bad\xff" never
// looks like its "Bad\uFFFD" neighbour, and a name really holding "\t"
// never looks like one holding a tab.
QString displayName(QByteArrayView bytes);

// True when the bytes are valid UTF-8 without control characters, so that
// their text names them exactly (displayName() still doubles a backslash).
bool isPlainName(QByteArrayView bytes);

} // namespace rw
