#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace rw
{

// The rows of a result grid: cell texts, the mark and the real path of the
// file each row names. The header row is the model's horizontal header; data
// rows are numbered from 0. Built for a million rows: a row is a few strings
// and a flag, and marking a row is O(1).
class ResultGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Extra data roles.
    enum Role {
        MarkedRole =
            Qt::UserRole + 1, // bool: the cell shows the marker (mark column of a marked row)
        PathRole              // QString: the row's real path
    };

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

    // Removes every row.
    void clear();
    // Appends one row; `cells` is padded or cut to the column count. `path`
    // may stay null when the row's path is formed from its cells. Returns the
    // new row's number.
    std::int64_t appendRow(const QStringList& cells, const QString& path = QString());
    // Appends one row given as its cells joined by tabs (no copy is made:
    // a result line whose fields are the cells can be passed as it is).
    std::int64_t appendRowText(const QString& rowText, const QString& path = QString());

    // Brackets a long run of appends: attached views hear of the rows once,
    // at the end, instead of once per row. `expectedRows` reserves room.
    void beginBulkAppend(std::int64_t expectedRows = 0);
    void endBulkAppend();

    std::int64_t rows() const { return static_cast<std::int64_t>(m_rows.size()); }
    QString cell(std::int64_t row, int column) const;
    // The cell without a copy; valid until the row changes.
    QStringView cellView(std::int64_t row, int column) const;
    void setCell(std::int64_t row, int column, const QString& text);
    // The cells of a row in column order.
    QStringList rowCells(std::int64_t row) const;
    // The path given when the row was added (null when none was given).
    QString path(std::int64_t row) const;

    bool isMarked(std::int64_t row) const;
    void setMarked(std::int64_t row, bool marked);
    // Unmarks every row; one change notice.
    void clearMarks();
    // Sets the mark of every row without a change notice per row; one notice
    // for the mark column at the end.
    void setAllMarked(const std::vector<bool>& marks);

    // Reorders the rows: row i of the result is present row order[i]. Whole
    // rows move with their marks and paths; `order` must be a permutation of
    // all rows.
    void reorder(const std::vector<std::int64_t>& order);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // A row is one text, its cells joined by tabs: one allocation per row,
    // or none when it shares the result line's text.
    struct Row {
        QString text;
        QString path;
        bool marked = false;
    };
    bool valid(std::int64_t row) const { return row >= 0 && row < rows(); }
    void markChanged(std::int64_t row);

    QStringList m_headers;
    std::vector<Row> m_rows;
    int m_markColumn = -1;
    int m_sizeColumn = -1;
    QList<int> m_rightAligned;
    bool m_bulk = false;
};

} // namespace rw
