#include "controls/ResultGridModel.h"

#include "controls/ReadableColours.h"

#include <QGuiApplication>
#include <QPalette>

#include <QBrush>
#include <QColor>

namespace rw
{

namespace
{

quint64 overrideKey(std::uint32_t record, int column)
{
    return (quint64(record) << 16) | quint64(std::uint16_t(column));
}

} // namespace

ResultGridModel::ResultGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultGridModel::setHeaders(const QStringList& headers)
{
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

void ResultGridModel::clear()
{
    beginResetModel();
    m_order.clear();
    m_order.shrink_to_fit();
    m_shownRows = 0;
    m_overrides.clear();
    m_lines.reset();
    endResetModel();
}

void ResultGridModel::setLines(std::shared_ptr<ResultLines> lines)
{
    if (lines == m_lines)
        return;
    beginResetModel();
    m_order.clear();
    m_shownRows = 0;
    m_overrides.clear();
    m_lines = std::move(lines);
    endResetModel();
}

std::int64_t ResultGridModel::appendRecord(std::uint32_t record)
{
    const int at = static_cast<int>(m_order.size());
    if (m_bulk || m_batched) {
        m_order.push_back(record);
        return at;
    }
    beginInsertRows(QModelIndex(), at, at);
    m_order.push_back(record);
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
        m_order.reserve(m_order.size() + static_cast<std::size_t>(expectedRows));
}

void ResultGridModel::endBulkAppend()
{
    if (!m_bulk)
        return;
    m_bulk = false;
    endResetModel();
}

void ResultGridModel::beginShownAppend()
{
    if (m_bulk || m_batched)
        return;
    m_batched = true;
    m_shownRows = m_order.size();
}

void ResultGridModel::showPending()
{
    if (!m_batched || m_shownRows >= m_order.size())
        return;
    // The views learn of the new rows as if they were inserted now; until
    // then rowCount() hid them.
    const std::size_t total = m_order.size();
    beginInsertRows(QModelIndex(), static_cast<int>(m_shownRows), static_cast<int>(total - 1));
    m_shownRows = total;
    endInsertRows();
}

void ResultGridModel::endShownAppend()
{
    if (!m_batched)
        return;
    showPending();
    m_batched = false;
}

QString ResultGridModel::cell(std::int64_t row, int column) const
{
    const std::uint32_t rec = record(row);
    if (rec == kNoRecord || !m_lines || column < 0 || column >= m_headers.size())
        return QString();
    if (!m_overrides.isEmpty()) {
        auto it = m_overrides.constFind(overrideKey(rec, column));
        if (it != m_overrides.constEnd())
            return *it;
    }
    return m_lines->field(rec, fieldOf(column));
}

bool ResultGridModel::columnShowsSize(int column) const
{
    const int field = fieldOf(column);
    return m_lines && field >= 0 && field < m_lines->fieldCount() &&
           m_lines->layout()[field] == ResultField::Size;
}

bool ResultGridModel::sizeKey(std::int64_t row, int column, std::int64_t* size) const
{
    const std::uint32_t rec = record(row);
    if (rec == kNoRecord || !columnShowsSize(column) ||
        (!m_overrides.isEmpty() && m_overrides.contains(overrideKey(rec, column))))
        return false;
    *size = m_lines->set().record(rec).size;
    return true;
}

void ResultGridModel::setCell(std::int64_t row, int column, const QString& text)
{
    const std::uint32_t rec = record(row);
    if (rec == kNoRecord || column < 0 || column >= m_headers.size())
        return;
    m_overrides.insert(overrideKey(rec, column), text);
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
    const std::uint32_t rec = record(row);
    return rec == kNoRecord || !m_lines ? QString() : m_lines->set().pathText(rec);
}

bool ResultGridModel::isMarked(std::int64_t row) const
{
    const std::uint32_t rec = record(row);
    return rec != kNoRecord && m_lines && m_lines->set().record(rec).has(ResultRecord::Marked);
}

void ResultGridModel::markChanged(std::int64_t row)
{
    if (m_markColumn < 0 || m_markColumn >= columnCount() || row >= rowCount())
        return;
    const QModelIndex i = index(static_cast<int>(row), m_markColumn);
    emit dataChanged(i, i, {MarkedRole});
}

void ResultGridModel::markColumnChanged()
{
    if (rowCount() > 0 && m_markColumn >= 0 && m_markColumn < columnCount())
        emit dataChanged(index(0, m_markColumn), index(rowCount() - 1, m_markColumn), {MarkedRole});
}

void ResultGridModel::setMarked(std::int64_t row, bool marked)
{
    const std::uint32_t rec = record(row);
    if (rec == kNoRecord || !m_lines)
        return;
    ResultRecord& r = m_lines->set().record(rec);
    if (r.has(ResultRecord::Marked) == marked)
        return;
    r.set(ResultRecord::Marked, marked);
    markChanged(row);
}

void ResultGridModel::clearMarks()
{
    if (!m_lines)
        return;
    for (std::uint32_t rec : m_order)
        if (rec != kNoRecord)
            m_lines->set().record(rec).set(ResultRecord::Marked, false);
    markColumnChanged();
}

void ResultGridModel::markAll()
{
    if (!m_lines)
        return;
    for (std::uint32_t rec : m_order)
        if (rec != kNoRecord)
            m_lines->set().record(rec).set(ResultRecord::Marked, true);
    markColumnChanged();
}

void ResultGridModel::reorder(const std::vector<std::int64_t>& order)
{
    if (order.size() != m_order.size())
        return;
    // Every row moves, so the views must know of every row first.
    showPending();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::uint32_t> sorted;
    sorted.reserve(m_order.size());
    for (std::int64_t from : order)
        sorted.push_back(m_order[static_cast<std::size_t>(from)]);
    m_order = std::move(sorted);

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
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_batched ? m_shownRows : m_order.size());
}

int ResultGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !valid(index.row()))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (isRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop));
    case MarkedRole:
        return index.column() == m_markColumn && isMarked(index.row());
    case PathRole:
        return path(index.row());
    case NoteRole:
    case Qt::ToolTipRole: {
        const std::uint32_t rec = record(index.row());
        if (!m_rowNote || rec == kNoRecord)
            return QVariant();
        const QString note = m_rowNote(rec);
        return note.isEmpty() ? QVariant() : QVariant(note);
    }
    case Qt::BackgroundRole: {
        // Groups of a grouped list alternate between the base colour and
        // this one, so where one group ends and the next begins is visible.
        const std::uint32_t rec = record(index.row());
        if (m_lines && rec != kNoRecord && m_lines->set().record(rec).has(ResultRecord::Shaded))
            return QBrush(ReadableColours::groupShade(QGuiApplication::palette()));
        return QVariant();
    }
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
