#include "controls/CheckListBox.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace rw
{

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent), m_menu(new QMenu(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    QAction* all = m_menu->addAction(tr("Select All"), this, &CheckListBox::checkAll);
    all->setObjectName(QStringLiteral("SelectAll1"));
    QAction* none = m_menu->addAction(tr("Deselect All"), this, &CheckListBox::uncheckAll);
    none->setObjectName(QStringLiteral("DeselectAll1"));
    connect(this, &QListWidget::itemChanged, this, [this] {
        if (!m_bulk)
            emit checksChanged();
    });
}

void CheckListBox::setLines(const QStringList& lines)
{
    m_bulk = true;
    clear();
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_bulk = false;
    emit checksChanged();
}

QStringList CheckListBox::lines() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

bool CheckListBox::isChecked(int row) const
{
    const QListWidgetItem* it = item(row);
    return it && it->checkState() == Qt::Checked;
}

void CheckListBox::setChecked(int row, bool checked)
{
    if (QListWidgetItem* it = item(row))
        it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool CheckListBox::checkLine(const QString& line)
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == line) {
            setChecked(i, true);
            return true;
        }
    }
    return false;
}

QStringList CheckListBox::checkedLines() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i) {
        if (isChecked(i))
            out << item(i)->text();
    }
    return out;
}

int CheckListBox::checkedCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += isChecked(i) ? 1 : 0;
    return n;
}

void CheckListBox::checkAll()
{
    setAllChecked(true);
}

void CheckListBox::uncheckAll()
{
    setAllChecked(false);
}

void CheckListBox::setAllChecked(bool checked)
{
    m_bulk = true;
    for (int i = 0; i < count(); ++i)
        setChecked(i, checked);
    m_bulk = false;
    emit checksChanged();
}

void CheckListBox::contextMenuEvent(QContextMenuEvent* event)
{
    if (!isEnabled())
        return;
    // The event comes from the viewport, in its coordinates.
    emit menuOpening(indexAt(event->pos()).row());
    m_menu->exec(event->globalPos());
}

} // namespace rw
