#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/FileTextFormatter.h"
#include "framework/core/ResultSet.h"

namespace rw
{

class FolderOrder;

// "12.34": the bytes as a percentage of the capacity with two decimals, or
// "???" when the capacity is not greater than the bytes.
QString percentUsedText(std::int64_t bytes, std::int64_t capacity);

// What one field of a result line shows of its record.
enum class ResultField : std::uint8_t {
    Size,           // grouped bytes
    ModifiedDate,   // short date of the last write
    ModifiedTime,   // long time of the last write
    AccessDate,     // short date of the last access
    CreatedDate,    // short date of the birth time (empty when not recorded)
    Name,           // the name alone
    Folder,         // the folder as the walk reports it
    FullPath,       // folder and name (with the search-path tag when tagged)
    Type,           // FileTypeDescription of the extension
    PercentUsed,    // folder hogs: size of the capacity (extra 2 where kept), "12.34" or "???"
    FileCount,      // folder hogs: extra 0
    SubFolderCount, // folder hogs: extra 1
    LatestAccess,   // folder hogs: date of the latest access (empty when none)
    // What grew: a folder's change between two scans (growthChangeText of
    // extra 1), its bytes in the earlier scan (extra 0, grouped), the
    // difference to its size (signed, grouped) and that difference as a
    // percentage of the whole root's (extra 2; empty when the root did not
    // change).
    GrowthChange,
    SizeBefore,
    SizeDifference,
    ChangeShare,
};

// The text of a folder's change between two scans, by the value kept as
// extra 1 (FolderGrowthRow::Change: 0 grown, 1 shrunk, 2 same, 3 new,
// 4 gone).
QString growthChangeText(std::int64_t change);

// The result lines of one scan, formed from its records when they are
// needed: a tool names its line layout (the fields in line order), and the
// grid, the clipboard, printing and the sorted orders ask here for the
// texts. Every text is exactly what the tool's line held when lines were
// kept as text; dates, times and type descriptions are formatted once each
// and remembered. Not thread-safe (the caches).
class ResultLines
{
public:
    ResultLines(std::shared_ptr<ResultSet> set, QList<ResultField> layout);
    ~ResultLines();

    // Another ResultLines over the same set and layout, with the same
    // settings and caches of its own, for forming texts on a second thread
    // while this one forms others. Meanwhile the set must not change, and
    // its folder texts must all be made (ResultSet::makeFolderTexts). The
    // type describer is shared, so it must be safe to call from several
    // threads (FileTypeDescription is).
    std::unique_ptr<ResultLines> copyForThread() const;

    ResultSet& set() const { return *m_set; }
    const std::shared_ptr<ResultSet>& sharedSet() const { return m_set; }
    const QList<ResultField>& layout() const { return m_layout; }
    int fieldCount() const { return int(m_layout.size()); }

    // Type texts from an extension (".txt", "" for none); FileTypeDescription
    // by default. Big sorts call it from a helper thread too.
    void setTypeDescriber(std::function<QString(const QString& extension)> describer);
    // Dates outside what the packed form holds (before 1980, after 2107)
    // shown as their real date (files by date) instead of the packed one.
    void setExactDates(bool exact) { m_exactDates = exact; }
    // The capacity "% Used" is taken of (folder hogs), for records that keep
    // none of their own as extra 2 (a scan of several drives keeps each
    // line's own drive there).
    void setCapacity(std::int64_t capacity) { m_capacity = capacity; }
    // The text a tagged path carries after it.
    void setPathTag(const QString& tag) { m_tag = tag; }

    // Values as wide as the widest a field of this kind usually shows,
    // formed the way fields are (none for free text: names, paths, types);
    // columns are sized to fit the widest of them. Times give a morning and
    // an afternoon one: which of "AM" and "PM" is wider depends on the font.
    static QStringList sampleTexts(ResultField field);

    // Field `n` (from 0) of record `rec`'s line; empty past the layout.
    QString field(std::uint32_t rec, int n) const;
    QString fieldText(std::uint32_t rec, ResultField f) const;
    // The whole line: the fields joined by tabs.
    QString line(std::uint32_t rec) const { return lineFrom(rec, 0); }
    // The line from field `firstField` on.
    QString lineFrom(std::uint32_t rec, int firstField) const;
    // Appends the whole line to `out` (for writing many lines through one
    // buffer without a string per line).
    void appendLine(QString& out, std::uint32_t rec) const;

    // The order of whole lines without regard to case, ties decided by the
    // case-sensitive order: negative, 0 or positive as a is before, equal to
    // or after b.
    int compareLines(std::uint32_t a, std::uint32_t b) const { return compareLinesFrom(a, b, 0); }
    // The same for lines known to agree in their first `firstField` fields.
    int compareLinesFrom(std::uint32_t a, std::uint32_t b, int firstField) const;
    // Sorts record indices by their lines (compareLines), ascending or
    // descending; equal lines keep their present order. Where the leading
    // fields take few values (sizes, dates, times, counts) their ranks decide
    // (LineRankKeys), otherwise a cheap prefix key of the first characters;
    // lines are formed only where those do not decide.
    void sortByLines(std::vector<std::uint32_t>& records, bool descending) const;

    // For the fields whose texts come from a number (sizes, dates, times,
    // counts): sets `value` to a number that two records share exactly when
    // their texts of field `f` are the same value's, and returns true. False
    // for the fields of free text (names, paths, types, percentages).
    bool fieldValue(std::uint32_t rec, ResultField f, std::uint64_t* value) const;

private:
    QString dateOf(std::int64_t epochSeconds) const;
    // compareLinesFrom's step for a FullPath field: the folded order of the
    // two path texts where the folders alone (or the names in one folder)
    // decide it, with the case order in `caseOrder` when still 0. False when
    // the texts must be formed and compared as they are.
    bool comparePathsQuickly(std::uint32_t a, std::uint32_t b, int* folded, int* caseOrder) const;
    // True when the two records' values of `f` are known to give one text.
    bool sameFieldValue(std::uint32_t a, std::uint32_t b, ResultField f) const;
    // The set's folders in the order of their texts (made again when the
    // set has more folders than when it was made).
    const FolderOrder& folderOrder() const;
    // Up to `count` leading characters of the line, case-folded, as a key.
    void prefixKey(std::uint32_t rec, std::uint64_t key[2]) const;

    std::shared_ptr<ResultSet> m_set;
    QList<ResultField> m_layout;
    mutable FileTextFormatter m_texts;
    std::function<QString(const QString& extension)> m_describer;
    bool m_exactDates = false;
    std::int64_t m_capacity = 0;
    QString m_tag;
    mutable std::unique_ptr<FolderOrder> m_folderOrder;
};

} // namespace rw
