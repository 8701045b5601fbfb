#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "framework/core/FileTextFormatter.h"
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
    kMatchModeCount = 7,
};

// The seven choice texts, indexed by match mode.
const QStringList& dupMatchChoices();

// Which field (counted from 1) of a duplicate result line fills each of the
// grid columns "Filename", "Size", "Modified", "Time", "Access", "Folder",
// "Type" under `matchMode`. A mode outside 0..6 counts as 0.
QList<int> dupFieldOrder(int matchMode);

// The fields (counted from 1) that make up the key of a duplicate line.
QList<int> dupKeyFields(int matchMode);

// The key of a duplicate result line: its key fields, each trimmed, upper-
// cased and joined by a tab (a tab cannot occur inside a field, so two
// different field sets never give the same key).
QString dupKey(const QString& line, int matchMode);

// Sorts a collection list as the finder's sorted list keeps it: by the whole
// line, case-insensitively; lines that differ only in case keep a fixed
// order (case-sensitive).
void sortCollection(QStringList& lines);

// The file-hog grid lines from a sorted collection: last line first.
QStringList reSort(const QStringList& sorted);

// The duplicate grid lines from a sorted collection: every set of two or more
// lines with equal keys (case-insensitive), each set in the order of its lines
// and the sets in the order of their first lines. Lines whose key no other
// line shares are left out. Equal keys form one set even where the sorted
// order puts other lines between them (rules whose key is not a prefix of the
// line, such as "Size and type").
QStringList addDups(const QStringList& sorted, int matchMode);

// The walk strategy of the duplicate and file-hog finder: the size test and
// one result line per passing file, kept in the collection list.
//
// File-hog line: size, modify date, modify time, access date, full path, type.
// Duplicate line: name, size, modify date, modify time, access date, folder,
// type, with the first fields reordered by the match mode (dupFieldOrder).
// Paths and names keep the letter case the file system reports.
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

    // The collection list (lbList): in walk order until sortLines() ran.
    const QStringList& lines() const { return m_lines; }
    void sortLines() { sortCollection(m_lines); }
    // The lines for the grid: addDups for duplicates, reSort for file hogs.
    // Sorts the collection first when it is not sorted yet.
    QStringList resultLines();

    // The duplicate line of one file under `matchMode` (fields already
    // formed as texts).
    static QString dupLine(int matchMode, const QString& name, const QString& size,
                           const QString& mdate, const QString& mtime, const QString& adate,
                           const QString& folder, const QString& type);

private:
    bool m_duplicates;
    int m_matchMode;
    SizeFilter m_filter;
    QString m_pattern;
    FileTextFormatter m_texts;
    QStringList m_lines;
    bool m_sorted = false;
};

} // namespace rw
