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

    // The ticked lines, in list order.
    QStringList checkedLines() const;
    int checkedCount() const;

public slots:
    void checkAll();
    void uncheckAll();

signals:
    void checksChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setAllChecked(bool checked);

    QMenu* m_menu = nullptr;
    bool m_bulk = false; // one checksChanged() for a whole bulk change
};

} // namespace rw
