#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <vector>

#include "framework/core/FileRecord.h"
#include "platform/DosDateTime.h"

namespace rw
{

// Forms the texts of a file's result line: size, packed dates and times,
// path. It gives exactly what FormatGrouped, packFileTime, PackedDateText
// and PackedTimeText give, but remembers what it has formatted, so a scan
// that keeps millions of lines formats each date and each time of day once.
// Make one per scan (it takes the locale current at construction).
class FileTextFormatter
{
public:
    FileTextFormatter();

    // packFileTime of a file time (seconds since the epoch, UTC).
    PackedDateTime pack(std::int64_t epochSeconds);
    // FormatGrouped of a size.
    QString sizeText(std::int64_t size) const { return m_locale.toString(qint64(size)); }
    // PackedDateText / PackedTimeText of a packed value.
    QString dateText(PackedDateTime packed);
    QString timeText(PackedDateTime packed);

    // The file-hog result line: size, modify date, modify time, access date,
    // full path and `typeText`, separated by tabs.
    QString hogLine(const FileRecord& file, const QString& typeText);

private:
    struct OffsetSlot {
        std::int64_t block = INT64_MIN;
        std::int32_t offset = 0;
    };
    std::int32_t localOffset(std::int64_t epochSeconds);

    QLocale m_locale;
    std::vector<OffsetSlot> m_offsets;
    std::vector<QString> m_dates; // by the packed date half
    std::vector<QString> m_times; // by the packed time half
};

} // namespace rw
