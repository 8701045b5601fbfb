#include "controls/ResultGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/GridCellDelegate.h"

namespace rw
{

ResultGridView::ResultGridView(QWidget* parent)
    : QTableView(parent), m_delegate(new GridCellDelegate(this))
{
    setObjectName(QStringLiteral("grid"));
    setItemDelegate(m_delegate);
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    setFont(f);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setToolTip(tr("Double click to mark for deletion, right click for options"));

    QHeaderView* rowsHeader = verticalHeader();
    rowsHeader->hide();
    rowsHeader->setMinimumSectionSize(0);
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(18);

    QHeaderView* cols = horizontalHeader();
    cols->setMinimumSectionSize(0);
    cols->setDefaultSectionSize(90);
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setStretchLastSection(false);
    cols->setHighlightSections(false);
    cols->setFont(f);
    cols->setFixedHeight(19);
    cols->viewport()->installEventFilter(this);
}

int ResultGridView::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ResultGridView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex i = model()->index(row, qMax(0, currentIndex().column()));
    setCurrentIndex(i);
    scrollTo(i);
}

void ResultGridView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        emit deleteKeyReleased();
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

bool ResultGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_headerPress = static_cast<QMouseEvent*>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (at == m_headerPress) {
                const int column = horizontalHeader()->logicalIndexAt(at);
                if (column >= 0)
                    emit headerClicked(column);
            }
            m_headerPress = QPoint(-1, -1);
        }
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace rw
