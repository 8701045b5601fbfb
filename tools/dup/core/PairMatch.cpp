#include "tools/dup/core/PairMatch.h"

#include <QCoreApplication>

namespace rw
{

void DupGridCopy::copyFrom(const DupGridRows& source)
{
    const int rows = qMax(0, source.rowCount());
    QVector<QStringList> copy;
    copy.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        cells.reserve(dcCopiedColumnCount);
        for (int c = 0; c < dcCopiedColumnCount; ++c)
            cells.append(source.cell(c, r));
        copy.append(std::move(cells));
    }
    m_rows = std::move(copy);
}

QString DupGridCopy::cell(int col, int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    const QStringList& cells = m_rows[row];
    return col >= 0 && col < cells.size() ? cells[col] : QString();
}

QVector<int> pairMatchColumns(int matchMode)
{
    switch (matchMode) {
    case 0:
        return {dcFilename};
    case 1:
        return {dcFilename, dcSize};
    case 2:
        return {dcFilename, dcSize, dcModified, dcTime};
    case 3:
        return {dcSize};
    case 4:
        return {dcSize, dcModified, dcTime};
    case 5:
        return {dcSize, dcType};
    case 6:
        return {dcType, dcModified, dcTime};
    default:
        return {};
    }
}

bool qPairMatches(const DupGridRows& grid, int matchMode, int row)
{
    if (row < 1 || row + 1 >= grid.rowCount())
        return false;
    if (matchMode == kContentsMatchMode) {
        const QString group = grid.cell(dcGroup, row);
        return !group.isEmpty() && group == grid.cell(dcGroup, row + 1) &&
               grid.cell(dcFile, row) != grid.cell(dcFile, row + 1);
    }
    for (int col : pairMatchColumns(matchMode)) {
        const QString a = grid.cell(col, row);
        const QString b = grid.cell(col, row + 1);
        const bool equal = col == dcFilename ? a.toUpper() == b.toUpper() : a == b;
        if (!equal)
            return false;
    }
    return true;
}

int GetNextDupRow(const DupGridRows& grid, int matchMode, int current)
{
    int r = current;
    const int last = grid.rowCount() - 1;
    while (r < last) {
        ++r;
        if (qPairMatches(grid, matchMode, r))
            break;
    }
    return r;
}

int GetPrevDupRow(const DupGridRows& grid, int matchMode, int current)
{
    int r = current;
    while (r > 1) {
        --r;
        if (qPairMatches(grid, matchMode, r))
            break;
    }
    return r;
}

int nextPairRow(const DupGridRows& grid, int matchMode, int current)
{
    if (current >= grid.rowCount() - 2)
        return -1;
    const int r = GetNextDupRow(grid, matchMode, current);
    return qPairMatches(grid, matchMode, r) ? r : -1;
}

int previousPairRow(const DupGridRows& grid, int matchMode, int current)
{
    if (current < 2)
        return -1;
    return GetPrevDupRow(grid, matchMode, current);
}

QString crcLabelText(std::uint32_t crc)
{
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char(' ')).toUpper();
}

QString crcVerdict(std::uint32_t left, std::uint32_t right)
{
    return left == right ? QCoreApplication::translate("PairMatch", " file contents are identical")
                         : QCoreApplication::translate("PairMatch", " file contents differ");
}

bool versionLineDiffers(const QStringList& left, const QStringList& right, int line)
{
    if (left.size() < 2 || right.size() < 2 || line < 0)
        return false;
    return left.value(line) != right.value(line);
}

} // namespace rw
