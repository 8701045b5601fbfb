#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/ResultLines.h"

namespace rw
{

// The rows of a result grid. A row is a record of the scan's ResultSet (by
// index); cell texts are formed from the record when they are drawn, through
// the ResultLines the grid was given, so no display text is stored. The mark
// lives in the record. The header row is the model's horizontal header; data
// rows are numbered from 0. Built for a million rows: a row costs the
// record plus four bytes of order, and marking a row is O(1).
class ResultGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Extra data roles.
    enum Role {
        MarkedRole =
            Qt::UserRole + 1, // bool: the cell shows the marker (mark column of a marked row)
        PathRole,             // QString: the row's full path as shown
        NoteRole              // QString: why the row's values are incomplete (empty: they are not)
    };
    // The record index of a row that names no file (an empty row).
    static constexpr std::uint32_t kNoRecord = 0xFFFFFFFFu;

    explicit ResultGridModel(QObject* parent = nullptr);

    // Column headers; the column count follows them. Keeps the rows.
    void setHeaders(const QStringList& headers);
    const QStringList& headers() const { return m_headers; }

    // The column that carries the mark (-1: none) and the one drawn right-aligned.
    void setMarkColumn(int column) { m_markColumn = column; }
    int markColumn() const { return m_markColumn; }
    void setSizeColumn(int column) { m_sizeColumn = column; }
    int sizeColumn() const { return m_sizeColumn; }
    // Further columns drawn right-aligned (besides the size column).
    void setRightAlignedColumns(const QList<int>& columns) { m_rightAligned = columns; }
    bool isRightAligned(int column) const
    {
        return column == m_sizeColumn || m_rightAligned.contains(column);
    }
    // Column c shows field fieldOrder[c] (counted from 1) of a record's
    // line; empty means field c + 1.
    void setFieldOrder(const QList<int>& fieldOrder) { m_fieldOrder = fieldOrder; }

    // Tells, for a record, why its row's values are incomplete (empty when
    // they are not): the row's tool tip and NoteRole, and the view draws
    // such a row in italics. No cell text changes.
    void setRowNote(std::function<QString(std::uint32_t record)> note)
    {
        m_rowNote = std::move(note);
    }

    // Removes every row and forgets the lines.
    void clear();
    // The lines the rows come from (shared with the tool that scanned).
    // Removes the rows when it changes.
    void setLines(std::shared_ptr<ResultLines> lines);
    const std::shared_ptr<ResultLines>& lines() const { return m_lines; }
    // Appends the record `record` of the lines' set as a row (kNoRecord for
    // an empty row). Returns the new row's number.
    std::int64_t appendRecord(std::uint32_t record);

    // Brackets a long run of appends: attached views hear of the rows once,
    // at the end, instead of once per row. `expectedRows` reserves room.
    void beginBulkAppend(std::int64_t expectedRows = 0);
    void endBulkAppend();

    // Brackets appends that views should see while they go on, in batches:
    // rows appended meanwhile reach the views at each showPending() (a
    // caller calls it on a timer) and at endShownAppend(). Until then they
    // are rows of the model (rows(), cell()) but not of its views
    // (rowCount()).
    void beginShownAppend();
    void showPending();
    void endShownAppend();

    std::int64_t rows() const { return static_cast<std::int64_t>(m_order.size()); }
    // The record a row shows (kNoRecord for an empty row or a bad row).
    std::uint32_t record(std::int64_t row) const
    {
        return valid(row) ? m_order[std::size_t(row)] : kNoRecord;
    }
    QString cell(std::int64_t row, int column) const;
    // True when the column shows the record's size as a grouped number and
    // the cell has no text of its own: then the number is the cell's sort
    // key without forming and reading its text back.
    bool sizeKey(std::int64_t row, int column, std::int64_t* size) const;
    bool columnShowsSize(int column) const;
    // Puts a text of its own in a cell (such as "DELETED" over a size).
    void setCell(std::int64_t row, int column, const QString& text);
    // The cells of a row in column order.
    QStringList rowCells(std::int64_t row) const;
    // The row's full path as shown (empty for an empty row).
    QString path(std::int64_t row) const;

    bool isMarked(std::int64_t row) const;
    void setMarked(std::int64_t row, bool marked);
    // Unmarks every row; one change notice.
    void clearMarks();
    // Marks every row that names a file; one change notice.
    void markAll();

    // Reorders the rows: row i of the result is present row order[i]. Whole
    // rows move with their marks; `order` must be a permutation of all rows.
    void reorder(const std::vector<std::int64_t>& order);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    bool valid(std::int64_t row) const { return row >= 0 && row < rows(); }
    void markChanged(std::int64_t row);
    void markColumnChanged();
    int fieldOf(int column) const
    {
        return column < m_fieldOrder.size() ? m_fieldOrder[column] - 1 : column;
    }

    QStringList m_headers;
    std::shared_ptr<ResultLines> m_lines;
    std::vector<std::uint32_t> m_order;
    QList<int> m_fieldOrder;
    // Cells given a text of their own, by record and column.
    QHash<quint64, QString> m_overrides;
    int m_markColumn = -1;
    int m_sizeColumn = -1;
    QList<int> m_rightAligned;
    std::function<QString(std::uint32_t)> m_rowNote;
    bool m_bulk = false;
    bool m_batched = false;      // between beginShownAppend and endShownAppend
    std::size_t m_shownRows = 0; // rows the views know of while batched
};

} // namespace rw
