#include "controls/PickList.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace rw
{

namespace
{

bool lessNoCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// Paints a line with its tabs expanded to the list's tab stop.
class TabStopDelegate : public QStyledItemDelegate
{
public:
    explicit TabStopDelegate(PickList* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        const QPalette::ColorGroup group =
            (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setPen(opt.palette.color(group, (opt.state & QStyle::State_Selected)
                                                     ? QPalette::HighlightedText
                                                     : QPalette::Text));
        QTextOption to(Qt::AlignLeft | Qt::AlignVCenter);
        to.setWrapMode(QTextOption::NoWrap);
        to.setTabStopDistance(m_list->tabStop());
        painter->setFont(opt.font);
        painter->drawText(QRectF(textRect).adjusted(2, 0, 0, 0), text, to);
        painter->restore();
    }

    // The width of the line as painted, with its tabs expanded.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString text = index.data(Qt::DisplayRole).toString();
        const qsizetype tab = text.lastIndexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            const QFontMetrics fm(option.font);
            const int before = fm.horizontalAdvance(text.left(tab));
            const int stops = m_list->tabStop() > 0 ? before / m_list->tabStop() + 1 : 1;
            size.setWidth(stops * m_list->tabStop() + fm.horizontalAdvance(text.mid(tab + 1)) +
                          2 * fm.averageCharWidth());
        }
        return size;
    }

private:
    PickList* m_list;
};

} // namespace

PickList::PickList(QWidget* parent) : QListWidget(parent), m_menu(new QMenu(this))
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new TabStopDelegate(this));
    m_tabStop = fontMetrics().horizontalAdvance(QStringLiteral("*.wwww  "));
    QAction* all = m_menu->addAction(tr("Select All"), this, &QListWidget::selectAll);
    all->setObjectName(QStringLiteral("SelectAll1"));
    QAction* none = m_menu->addAction(tr("Deselect All"), this, &PickList::deselectAll);
    none->setObjectName(QStringLiteral("DeselectAll1"));
    connect(this, &QListWidget::itemSelectionChanged, this, &PickList::selectedLinesChanged);
}

void PickList::setSorted(bool sorted)
{
    m_sorted = sorted;
    if (sorted)
        setLines(lines());
}

void PickList::setTabStop(int pixels)
{
    m_tabStop = pixels;
    viewport()->update();
}

void PickList::setLines(const QStringList& lines)
{
    QStringList sorted = lines;
    if (m_sorted)
        std::stable_sort(sorted.begin(), sorted.end(), lessNoCase);
    clear();
    addItems(sorted);
}

QStringList PickList::lines() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

void PickList::addLine(const QString& line)
{
    if (!m_sorted) {
        addItem(line);
        return;
    }
    const QStringList now = lines();
    const auto at = std::upper_bound(now.begin(), now.end(), line, lessNoCase);
    insertItem(int(at - now.begin()), line);
}

bool PickList::containsLine(const QString& line, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < count(); ++i) {
        if (QString::compare(item(i)->text(), line, cs) == 0)
            return true;
    }
    return false;
}

QStringList PickList::selectedLines() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            out << item(i)->text();
    }
    return out;
}

int PickList::selectedCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += item(i)->isSelected() ? 1 : 0;
    return n;
}

int PickList::removeSelected()
{
    int removed = 0;
    for (int i = count() - 1; i >= 0; --i) {
        if (item(i)->isSelected()) {
            delete takeItem(i);
            ++removed;
        }
    }
    return removed;
}

void PickList::contextMenuEvent(QContextMenuEvent* event)
{
    if (isEnabled())
        m_menu->exec(event->globalPos());
}

} // namespace rw
