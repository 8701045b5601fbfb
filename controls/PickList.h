#pragma once

#include <QListWidget>
#include <QStringList>

class QMenu;

namespace rw
{

// A multi-select list of text lines (drag the mouse or ctrl-click to select
// several). A line holding a tab is shown in two columns: the text after the
// tab starts at the tab stop. The right-click menu offers "Select All" and
// "Deselect All". A sorted list keeps its lines in text order without regard
// to case. selectedLinesChanged() follows every change of the selection.
class PickList : public QListWidget
{
    Q_OBJECT
public:
    explicit PickList(QWidget* parent = nullptr);

    void setSorted(bool sorted);
    bool isSorted() const { return m_sorted; }

    // Tab stop in pixels from the left of the text.
    void setTabStop(int pixels);
    int tabStop() const { return m_tabStop; }

    // Replaces the lines (sorted when the list is); the selection is cleared.
    void setLines(const QStringList& lines);
    QStringList lines() const;
    // Adds a line, at its sorted place when the list is sorted.
    void addLine(const QString& line);
    // True when a line equal to `line` (ignoring case when asked) is listed.
    bool containsLine(const QString& line, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;

    // The selected lines, in list order.
    QStringList selectedLines() const;
    int selectedCount() const;
    // Removes every selected line; returns how many went.
    int removeSelected();

public slots:
    void deselectAll() { clearSelection(); }

signals:
    void selectedLinesChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QMenu* m_menu = nullptr;
    bool m_sorted = false;
    int m_tabStop = 0;
};

} // namespace rw
