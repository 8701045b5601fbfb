#include "controls/ResultGridModel.h"

namespace rw
{

ResultGridModel::ResultGridModel(QObject* parent) : QAbstractTableModel(parent) {}

namespace
{

QString joinCells(const QStringList& cells, qsizetype columns)
{
    QString text;
    for (qsizetype c = 0; c < columns; ++c) {
        if (c > 0)
            text += QLatin1Char('\t');
        if (c < cells.size())
            text += cells[c];
    }
    return text;
}

// Cell `column` of a row text: the text between the column-th tab and the next.
QStringView rowTextCell(QStringView rowText, int column)
{
    qsizetype start = 0;
    for (int c = 0; c < column; ++c) {
        const qsizetype tab = rowText.indexOf(QLatin1Char('\t'), start);
        if (tab < 0)
            return QStringView();
        start = tab + 1;
    }
    qsizetype end = rowText.indexOf(QLatin1Char('\t'), start);
    if (end < 0)
        end = rowText.size();
    return rowText.mid(start, end - start);
}

} // namespace

void ResultGridModel::setHeaders(const QStringList& headers)
{
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

void ResultGridModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    endResetModel();
}

std::int64_t ResultGridModel::appendRow(const QStringList& cells, const QString& path)
{
    return appendRowText(joinCells(cells, m_headers.size()), path);
}

std::int64_t ResultGridModel::appendRowText(const QString& rowText, const QString& path)
{
    const int at = static_cast<int>(m_rows.size());
    if (m_bulk) {
        m_rows.push_back(Row{rowText, path, false});
        return at;
    }
    beginInsertRows(QModelIndex(), at, at);
    m_rows.push_back(Row{rowText, path, false});
    endInsertRows();
    return at;
}

void ResultGridModel::beginBulkAppend(std::int64_t expectedRows)
{
    if (m_bulk)
        return;
    beginResetModel();
    m_bulk = true;
    if (expectedRows > 0)
        m_rows.reserve(m_rows.size() + static_cast<std::size_t>(expectedRows));
}

void ResultGridModel::endBulkAppend()
{
    if (!m_bulk)
        return;
    m_bulk = false;
    endResetModel();
}

QStringView ResultGridModel::cellView(std::int64_t row, int column) const
{
    if (!valid(row) || column < 0 || column >= m_headers.size())
        return QStringView();
    return rowTextCell(m_rows[static_cast<std::size_t>(row)].text, column);
}

QString ResultGridModel::cell(std::int64_t row, int column) const
{
    return cellView(row, column).toString();
}

void ResultGridModel::setCell(std::int64_t row, int column, const QString& text)
{
    if (!valid(row) || column < 0 || column >= m_headers.size())
        return;
    QStringList cells = rowCells(row);
    cells[column] = text;
    m_rows[static_cast<std::size_t>(row)].text = joinCells(cells, m_headers.size());
    const QModelIndex i = index(static_cast<int>(row), column);
    emit dataChanged(i, i);
}

QStringList ResultGridModel::rowCells(std::int64_t row) const
{
    QStringList cells;
    if (!valid(row))
        return cells;
    for (int c = 0; c < m_headers.size(); ++c)
        cells.append(cell(row, c));
    return cells;
}

QString ResultGridModel::path(std::int64_t row) const
{
    return valid(row) ? m_rows[static_cast<std::size_t>(row)].path : QString();
}

bool ResultGridModel::isMarked(std::int64_t row) const
{
    return valid(row) && m_rows[static_cast<std::size_t>(row)].marked;
}

void ResultGridModel::markChanged(std::int64_t row)
{
    if (m_markColumn < 0 || m_markColumn >= columnCount())
        return;
    const QModelIndex i = index(static_cast<int>(row), m_markColumn);
    emit dataChanged(i, i, {MarkedRole});
}

void ResultGridModel::setMarked(std::int64_t row, bool marked)
{
    if (!valid(row) || m_rows[static_cast<std::size_t>(row)].marked == marked)
        return;
    m_rows[static_cast<std::size_t>(row)].marked = marked;
    markChanged(row);
}

void ResultGridModel::clearMarks()
{
    for (Row& r : m_rows)
        r.marked = false;
    if (!m_rows.empty() && m_markColumn >= 0 && m_markColumn < columnCount())
        emit dataChanged(index(0, m_markColumn), index(rowCount() - 1, m_markColumn), {MarkedRole});
}

void ResultGridModel::setAllMarked(const std::vector<bool>& marks)
{
    for (std::size_t i = 0; i < m_rows.size() && i < marks.size(); ++i)
        m_rows[i].marked = marks[i];
    if (!m_rows.empty() && m_markColumn >= 0 && m_markColumn < columnCount())
        emit dataChanged(index(0, m_markColumn), index(rowCount() - 1, m_markColumn), {MarkedRole});
}

void ResultGridModel::reorder(const std::vector<std::int64_t>& order)
{
    if (order.size() != m_rows.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (std::int64_t from : order)
        sorted.push_back(std::move(m_rows[static_cast<std::size_t>(from)]));
    m_rows = std::move(sorted);

    // Keep the current row and selection on the same files.
    const QModelIndexList before = persistentIndexList();
    if (!before.isEmpty()) {
        std::vector<int> newRowOf(order.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            newRowOf[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& i : before)
            after.append(i.isValid()
                             ? index(newRowOf[static_cast<std::size_t>(i.row())], i.column())
                             : QModelIndex());
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ResultGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ResultGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !valid(index.row()))
        return QVariant();
    const Row& r = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return rowTextCell(r.text, index.column()).toString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (isRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop));
    case MarkedRole:
        return r.marked && index.column() == m_markColumn;
    case PathRole:
        return r.path;
    default:
        return QVariant();
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < m_headers.size()) {
        if (role == Qt::DisplayRole)
            return m_headers[section];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(
                (isRightAligned(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QVariant();
}

} // namespace rw
