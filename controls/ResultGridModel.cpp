#include "controls/ResultGridModel.h"

namespace rw
{

ResultGridModel::ResultGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultGridModel::setHeaders(const QStringList& headers)
{
    beginResetModel();
    m_headers = headers;
    for (Row& r : m_rows) {
        while (r.cells.size() < m_headers.size())
            r.cells.append(QString());
        if (r.cells.size() > m_headers.size())
            r.cells.resize(m_headers.size());
    }
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
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), at, at);
    Row r{cells, path, false};
    r.cells.resize(m_headers.size());
    m_rows.push_back(std::move(r));
    endInsertRows();
    return at;
}

void ResultGridModel::appendRows(std::vector<QStringList> cells, std::vector<QString> paths)
{
    beginResetModel();
    m_rows.reserve(m_rows.size() + cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        Row r{std::move(cells[i]), i < paths.size() ? std::move(paths[i]) : QString(), false};
        r.cells.resize(m_headers.size());
        m_rows.push_back(std::move(r));
    }
    endResetModel();
}

QString ResultGridModel::cell(std::int64_t row, int column) const
{
    if (!valid(row) || column < 0 || column >= m_rows[row].cells.size())
        return QString();
    return m_rows[row].cells[column];
}

void ResultGridModel::setCell(std::int64_t row, int column, const QString& text)
{
    if (!valid(row) || column < 0 || column >= m_rows[row].cells.size())
        return;
    m_rows[row].cells[column] = text;
    const QModelIndex i = index(static_cast<int>(row), column);
    emit dataChanged(i, i);
}

QStringList ResultGridModel::rowCells(std::int64_t row) const
{
    return valid(row) ? m_rows[row].cells : QStringList();
}

QString ResultGridModel::path(std::int64_t row) const
{
    return valid(row) ? m_rows[row].path : QString();
}

bool ResultGridModel::isMarked(std::int64_t row) const
{
    return valid(row) && m_rows[row].marked;
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
    if (!valid(row) || m_rows[row].marked == marked)
        return;
    m_rows[row].marked = marked;
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
        return index.column() < r.cells.size() ? r.cells[index.column()] : QString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (index.column() == m_sizeColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop));
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
                (section == m_sizeColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QVariant();
}

} // namespace rw
