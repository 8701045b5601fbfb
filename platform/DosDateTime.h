#pragma once

#include <QDateTime>

#include <cstdint>
#include <ctime>

namespace rw
{

// Packed DOS date-time of a local time: date in the high 16 bits
// (year-1980 << 9 | month << 5 | day), time in the low 16 bits
// (hour << 11 | minute << 5 | second / 2). Years 1980..2107.
using PackedDateTime = std::uint32_t;

// Packs a local date-time; 0 for an invalid one, clamped to 1980..2107.
PackedDateTime packDateTime(const QDateTime& local);

// Converts a file time (seconds since the epoch, UTC) to local time and packs
// it. 0 means "not recorded" and gives 0.
PackedDateTime packFileTime(std::int64_t epochSeconds);

// Unpacks; false when the fields do not form a valid date and time.
bool unpackDateTime(PackedDateTime packed, QDateTime* out);

// The date half of a packed value as a date; invalid when it is none.
QDate packedDay(PackedDateTime packed);
// True for the first and last day the packed form holds: packing clamps
// times outside 1980..2107 to them, so a value on such a day may be a clamp
// and is read anew from the real time.
bool mayBeClampedDay(const QDate& day);

// Whole day number of a date serial (days since 30 December 1899).
int daySerial(const QDate& date);
QDate dateFromSerial(int serial);

} // namespace rw
