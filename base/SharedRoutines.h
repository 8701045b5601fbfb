#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

#include "platform/DosDateTime.h"

namespace rw
{

// Whole number in the locale's number format with group separators and no
// decimals: 1234567 -> "1,234,567" (en_US).
QString FormatGrouped(std::int64_t value);

// Folder and name with one separator between them unless the folder already
// ends with one. Works on the native '/' separator.
QString JoinPath(const QString& folder, const QString& name);

// "Today", "Yesterday", "3 weeks ago", "4 years 2 months ago", ... of `date`
// seen from `now` (defaults to the current local time). Empty when either
// date-time is invalid.
QString RelativeDateText(const QDateTime& date,
                         const QDateTime& now = QDateTime::currentDateTime());

// "s" when count > 1, else "".
QString PluralSuffix(long long count);

// Decimal value of the text, 0 when it is not a valid integer.
std::int64_t SafeStrToInt(const QString& text);

bool IsLetter(char c);
bool IsDigit(char c);
bool IsLetterOrDigit(char c);
// Backspace, line feed, carriage return and blank.
bool IsBlankChar(char c);
// True for an empty text or one made only of blank characters.
bool IsBlankText(const QString& text);

// Packed date-time conversions (DOS form of a local file time).
// The date-time of the value; 1 January 1980 00:00 when invalid.
QDateTime PackedToDate(PackedDateTime packed);
// Empty for 0; else the short date text (four-digit year) of PackedToDate.
QString PackedDateText(PackedDateTime packed);
// Empty for 0; else the long time text; "12:00:00" when it does not convert.
QString PackedTimeText(PackedDateTime packed);
// "hhmm"; "1200" when it does not convert.
QString PackedTimeHHMM(PackedDateTime packed);
// "yyyymmdd"; "19800101" when it does not convert.
QString PackedDateYYYYMMDD(PackedDateTime packed);

// The locale's short date format with a four-digit year, used for every date
// text the program shows or reads back.
QString shortDateFormat();
QString longTimeFormat();
QString formatShortDate(const QDate& date);
// Reads a text in the short date format; invalid QDate when it does not read.
QDate parseShortDate(const QString& text);

} // namespace rw
