#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/ResultLines.h"
#include "framework/core/SizeFilter.h"
#include "framework/core/WalkStrategy.h"

namespace rw
{

// The matching rules of the duplicate finder, in the order of its
// "Duplicates matching on : " choice box.
enum MatchModes {
    mmFilename = 0,         // "Filename only"
    mmFilenameSize = 1,     // "Filename and size"
    mmFilenameSizeDate = 2, // "Filename, size and modify date/time"
    mmSize = 3,             // "Size only"
    mmSizeDate = 4,         // "Size and modify date/time"
    mmSizeType = 5,         // "Size and type"
    mmTypeDate = 6,         // "Type and modify date/time"
    mmContents = 7,         // "Size and contents": identical bytes (ContentDupFinder)
    mmFolders = 8,          // "Folders with the same contents": whole trees (FolderDupFinder)
    kMatchModeCount = 9,
};

// The nine choice texts, indexed by match mode.
QStringList dupMatchChoices();

// Which field (counted from 1) of a duplicate result line fills each of the
// grid columns "Filename", "Size", "Modified", "Time", "Access", "Folder",
// "Type" under `matchMode`. A mode outside 0..8 counts as 0. "Size and
// contents" and "Folders with the same contents" lay their lines out as
// "Size only" does.
QList<int> dupFieldOrder(int matchMode);

// The fields (counted from 1) that make up the key of a duplicate line.
QList<int> dupKeyFields(int matchMode);

// The line layout of a result: the file-hog line (size, modify date, modify
// time, access date, full path, type) or the duplicate line of `matchMode`.
QList<ResultField> dupLineLayout(bool duplicates, int matchMode);

// The key of a record's duplicate line: its key fields, each upper-cased and
// joined by a tab (a tab never occurs inside a field text, so two different
// field sets never give the same key).
QString dupKey(const ResultLines& lines, std::uint32_t record, int matchMode);

// The records of a collection in the order the finder's sorted list keeps
// them: by the whole line, case-insensitively; lines that differ only in
// case keep a fixed order (case-sensitive).
void sortCollection(const ResultLines& lines, std::vector<std::uint32_t>& records);

// The duplicate rows from a sorted collection: every set of two or more
// records with equal keys (case-insensitive), each set in the order of its
// records and the sets in the order of their first records. Records whose
// key no other shares are left out. Equal keys form one set even where the
// sorted order puts other lines between them (rules whose key is not a
// prefix of the line, such as "Size and type").
std::vector<std::uint32_t> addDups(const ResultLines& lines,
                                   const std::vector<std::uint32_t>& sorted, int matchMode);

class DupScan : public WalkStrategy
{
public:
    // `duplicates` chooses the line layout; `matchMode` matters only for
    // duplicates. `pattern` is the wildcard the files must match.
    DupScan(bool duplicates, int matchMode, const SizeFilter& filter, const QString& pattern);

    // How a type text is made from an extension (".txt", or "" for none).
    // Defaults to FileTypeDescription.
    void setTypeDescriber(std::function<QString(const QString& extension)> describer);

    QString filePattern(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;

    // The records found and their lines (shared with the grid).
    const std::shared_ptr<ResultLines>& lines() const { return m_lines; }
    // The collection (lbList): every record, in walk order until sorted.
    const std::vector<std::uint32_t>& collection() const { return m_collection; }
    void sortLines();
    // The rows for the grid: addDups for duplicates, the sorted collection
    // last first for file hogs. Sorts the collection first when needed.
    std::vector<std::uint32_t> resultRecords();
    // File hogs: the rows in the order the grid shows them after a run,
    // largest first, equal sizes in the order of resultRecords(). The same
    // order a size sort of resultRecords() gives, without sorting all lines
    // as text first (only equal sizes compare their lines).
    std::vector<std::uint32_t> hogGridOrder() const;

private:
    bool m_duplicates;
    int m_matchMode;
    SizeFilter m_filter;
    QString m_pattern;
    std::shared_ptr<ResultSet> m_set;
    std::shared_ptr<ResultLines> m_lines;
    std::vector<std::uint32_t> m_collection;
    bool m_sorted = false;
};

} // namespace rw
