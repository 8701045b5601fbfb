#pragma once

#include <QListWidget>
#include <QStringList>

class QMenu;

namespace rw
{

// A list of text lines with a tick box each (the drive check list). The user
// ticks lines with the mouse or the space bar; the right-click menu offers
// "Select All" and "Deselect All", which tick or untick every line.
// checksChanged() is emitted once for every change of the ticks, whichever
// way it came about, so a window can keep its buttons' enabled state.
class CheckListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit CheckListBox(QWidget* parent = nullptr);

    // Replaces the lines; every new line is unticked.
    void setLines(const QStringList& lines);
    QStringList lines() const;

    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Ticks the first line equal to `line`; false when there is none.
    bool checkLine(const QString& line);

    // The right-click menu, for a window to add entries of its own.
    QMenu* contextMenu() const { return m_menu; }

    // The ticked lines, in list order.
    QStringList checkedLines() const;
    int checkedCount() const;

public slots:
    void checkAll();
    void uncheckAll();

signals:
    void checksChanged();
    // The right-click menu is about to open on `row` (-1: below the lines),
    // so entries that depend on the line can be set.
    void menuOpening(int row);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setAllChecked(bool checked);

    QMenu* m_menu = nullptr;
    bool m_bulk = false; // one checksChanged() for a whole bulk change
};

} // namespace rw
