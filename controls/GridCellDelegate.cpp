#include "controls/GridCellDelegate.h"

#include <QApplication>
#include <QPainter>

#include "controls/MarkerPicture.h"
#include "controls/ResultGridModel.h"

namespace rw
{

GridCellDelegate::GridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    const QRect r = opt.rect;

    painter->save();
    painter->setClipRect(r);
    if (selected)
        painter->fillRect(r, opt.palette.brush(QPalette::Highlight));
    else if (opt.backgroundBrush.style() != Qt::NoBrush)
        painter->fillRect(r, opt.backgroundBrush);

    // A row whose values are incomplete (a folder that could not be read)
    // is told apart by its slant; its texts stay as they are.
    if (!index.data(ResultGridModel::NoteRole).toString().isEmpty())
        opt.font.setItalic(true);
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));

    const QString text = index.data(Qt::DisplayRole).toString();
    const auto align = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    const bool marked = index.data(ResultGridModel::MarkedRole).toBool();
    const QFontMetrics fm(opt.font);
    const int baseline = r.top() + 2 + fm.ascent();

    if (marked) {
        painter->drawPixmap(r.left() + 2, r.top() + 2, MarkerPicture::tick());
        painter->drawText(r.left() + 18, baseline, text);
    } else if (align & Qt::AlignRight) {
        painter->drawText(r.right() + 1 - m_inset - fm.horizontalAdvance(text), baseline, text);
    } else {
        painter->drawText(r.left() + m_inset, baseline, text);
    }
    painter->restore();
}

} // namespace rw
