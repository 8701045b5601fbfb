#pragma once

#include <QStyledItemDelegate>

namespace rw
{

// Draws one result grid cell the way every tool's grid looks: the size
// column right-aligned with its right edge `inset` pixels inside the cell,
// every other column left-aligned `inset` pixels inside, text 2 pixels below
// the top; a marked cell of the mark column shows the 16 x 16 marker at 2,2
// and its text from 18 pixels. Alignment and mark come from the model's
// TextAlignmentRole and ResultGridModel::MarkedRole.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridCellDelegate(QObject* parent = nullptr);

    void setInset(int pixels) { m_inset = pixels; }
    int inset() const { return m_inset; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_inset = 2;
};

} // namespace rw
