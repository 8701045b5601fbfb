#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    QString sizeText(std::int64_t size) const;
    // PackedDateText / PackedTimeText of a packed value.
    QString dateText(PackedDateTime packed);
    QString timeText(PackedDateTime packed);

    // The file-hog result line: size, modify date, modify time, access date,
    // full path and `typeText`, separated by tabs.
    QString hogLine(const FileRecord& file, const QString& typeText);
    // The same with the type text from typeText(file).
    QString hogLine(const FileRecord& file) { return hogLine(file, typeText(file)); }

    // How a type text is made from an extension (".txt", or empty for a name
    // without a dot); usually FileTypeDescription. Without one, type texts
    // are empty.
    void setTypeDescriber(std::function<QString(const QString& extension)> describer)
    {
        m_describer = std::move(describer);
        m_types.clear();
    }
    // The describer's text for the file's extension, asked once per distinct
    // extension.
    const QString& typeText(const FileRecord& file) { return typeTextOfName(file.name); }
    // The same for a name given as the file system's bytes.
    const QString& typeTextOfName(std::string_view name);

private:
    struct BytesHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const
        {
            return std::hash<std::string_view>()(s);
        }
    };

    QLocale m_locale;
    std::function<QString(const QString&)> m_describer;
    std::unordered_map<std::string, QString, BytesHash, std::equal_to<>> m_types;
    QString m_noType;
    // Set when the locale groups plain ASCII digits by threes with one
    // separator character: then sizes are formatted here without asking the
    // locale for every number.
    bool m_simpleGrouping = false;
    QChar m_groupSeparator;
    std::vector<QString> m_dates; // by the packed date half
    std::vector<QString> m_times; // by the packed time half
};

} // namespace rw
