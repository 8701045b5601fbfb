#pragma once

#include <QByteArray>

#include <cstdint>
#include <string_view>
#include <vector>

namespace rw
{

class ResultSet;

// The pieces a machine-readable report row is made of, appended to a byte
// buffer without forming a QString per row: a million rows are written at
// walking speed. One object per writing thread (it caches the folders'
// texts).
class ReportRowText
{
public:
    explicit ReportRowText(const ResultSet& set);

    // A decimal integer.
    static void appendNumber(QByteArray& out, std::int64_t value);
    // Local date and time as ISO 8601 with the zone's offset
    // ("2024-07-01T14:00:00+02:00"); nothing for 0 (not recorded).
    static void appendLocalTime(QByteArray& out, std::int64_t epochSeconds);
    // UTC date and time as ISO 8601 ("2024-07-01T12:00:00Z").
    static void appendUtcTime(QByteArray& out, std::int64_t epochSeconds);
    // Bytes as the windows show them (displayName): printable ASCII as it
    // is, the rest through the escaping of names.
    static void appendShown(QByteArray& out, std::string_view bytes);
    // Text bytes as the inside of a JSON string.
    static void appendJsonEscaped(QByteArray& out, std::string_view utf8);
    // True when the bytes are valid UTF-8 that a JSON text carries exactly.
    static bool keepsBytes(std::string_view bytes);

    // The row's full path as shown: its folder's text (formed once per
    // folder) and its name. A row without a name is its folder.
    void appendPath(QByteArray& out, std::uint32_t record);

private:
    const ResultSet& m_set;
    std::vector<QByteArray> m_folderText; // shown text per folder, formed on first use
    std::vector<bool> m_folderMade;
};

} // namespace rw
