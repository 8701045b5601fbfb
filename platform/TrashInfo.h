#pragma once

#include <QByteArray>

#include <ctime>

namespace rw
{

// The text of a freedesktop.org `.trashinfo` file and the encodings it uses
// (the freedesktop.org trash layout, version 1.0): the original path percent-encoded bytewise as
// RFC 2396 says, and the deletion date as local time.
class TrashInfo
{
public:
    // Every byte except '/' and the RFC 2396 unreserved characters
    // (letters, digits, - _ . ! ~ * ' ( )) as %XX, so a tab reads %09 and an
    // invalid UTF-8 byte 0xFF reads %FF.
    static QByteArray encodePath(const QByteArray& raw);
    // The bytes of a percent-encoded text; false for a '%' not followed by
    // two hex digits or for an encoded NUL.
    static bool decodePath(const QByteArray& encoded, QByteArray* raw);

    // "YYYY-MM-DDThh:mm:ss" of `when` in local time.
    static QByteArray deletionDate(std::time_t when);
    // True for a text of exactly that form.
    static bool isValidDate(const QByteArray& date);

    // The whole file for an already encoded Path= value.
    static QByteArray format(const QByteArray& encodedPath, const QByteArray& date);
    // The Path= (still encoded) and DeletionDate= values of the
    // "[Trash Info]" group; false when the group or one of them is missing or
    // the date is malformed.
    static bool parse(const QByteArray& text, QByteArray* encodedPath, QByteArray* date);
};

} // namespace rw
