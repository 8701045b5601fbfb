#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

namespace rw
{

// Columns of the duplicate list, the same in every match mode.
enum DupColumn {
    dcFilename = 0,
    dcSize = 1,
    dcModified = 2,
    dcTime = 3,
    dcAccess = 4,
    dcFolder = 5,
    dcType = 6,
    dcColumnCount = 7,
    // Not shown: the group number and the file number of a row of a
    // content comparison (empty in the other modes). Names of one inode
    // share the file number.
    dcGroup = 7,
    dcFile = 8,
    dcCopiedColumnCount = 9,
};

// The match mode whose pairs are files of identical contents.
constexpr int kContentsMatchMode = 7;

// Read access to a duplicate list laid out as a grid: row 0 is the heading
// row, data rows start at 1.
class DupGridRows
{
public:
    virtual ~DupGridRows() = default;
    // Number of rows, the heading row included.
    virtual int rowCount() const = 0;
    // Text of column `col` (a DupColumn) in `row`; empty outside the grid.
    virtual QString cell(int col, int row) const = 0;
};

// A private copy of a duplicate list, so stepping through pairs does not
// depend on the list it was taken from changing meanwhile.
class DupGridCopy : public DupGridRows
{
public:
    // Replaces the content with every cell of `source`.
    void copyFrom(const DupGridRows& source);
    // Replaces the content with the given rows (heading row first).
    void setRows(QVector<QStringList> rows) { m_rows = std::move(rows); }

    int rowCount() const override { return int(m_rows.size()); }
    QString cell(int col, int row) const override;

private:
    QVector<QStringList> m_rows;
};

// The columns two rows must agree on under a match mode (0 "Filename only"
// ... 6 "Type and modify date/time"), in the order they are compared. Empty
// for a mode outside 0..6, where every pair matches (except "Size and
// contents", see qPairMatches).
QVector<int> pairMatchColumns(int matchMode);

// True when rows `row` and `row + 1` of `grid` form a pair under
// `matchMode`: file names compared without regard to letter case, every
// other column as exact text. Under "Size and contents" the two rows must
// lie in one group and be two files, not two names of one file. False when
// either row lies outside the data rows (a row past the end is no partner).
bool qPairMatches(const DupGridRows& grid, int matchMode, int row);

// The next row after `current` whose pair matches; the last row when no
// later pair matches (the caller checks with qPairMatches).
int GetNextDupRow(const DupGridRows& grid, int matchMode, int current);
// The previous row before `current` whose pair matches; row 1 when no
// earlier pair matches.
int GetPrevDupRow(const DupGridRows& grid, int matchMode, int current);

// Where stepping to the next pair from `current` leads, or -1 when the view
// stays where it is: when `current` is at or past the second-to-last row, or
// when no later pair matches (rather than showing a pair that is none, with
// its right-hand file past the end of the list).
int nextPairRow(const DupGridRows& grid, int matchMode, int current);
// Where stepping to the previous pair from `current` leads, or -1 when
// `current` is row 1 or above. With no matching earlier pair it is row 1, so
// the first two rows are shown.
int previousPairRow(const DupGridRows& grid, int matchMode, int current);

// A CRC-32 as upper-case hexadecimal right-aligned in eight characters with
// leading blanks ("  3F1A0C" for 0x3F1A0C).
QString crcLabelText(std::uint32_t crc);
// " file contents are identical" when the two values are equal, else
// " file contents differ".
QString crcVerdict(std::uint32_t left, std::uint32_t right);

// Whether version line `line` is marked as different: only when both files
// have real version lines (at least two each) and the texts differ.
bool versionLineDiffers(const QStringList& left, const QStringList& right, int line);

} // namespace rw
