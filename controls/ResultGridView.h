#pragma once

#include <QPoint>
#include <QTableView>

namespace rw
{

class GridCellDelegate;

// The result grid of every tool window: a table view with grid lines,
// whole-row selection, 90-pixel columns and 18-pixel rows in an 11-pixel
// sans font, drawn by GridCellDelegate. It reports the two gestures the
// windows act on: the Delete key released, and a header click (the mouse
// released at the very pixel where it was pressed).
class ResultGridView : public QTableView
{
    Q_OBJECT
public:
    explicit ResultGridView(QWidget* parent = nullptr);

    GridCellDelegate* cellDelegate() const { return m_delegate; }
    // The selected data row, -1 when none.
    int currentRow() const;
    // Selects a data row (and scrolls to it).
    void selectRow(int row);

signals:
    void deleteKeyReleased();
    void headerClicked(int column);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridCellDelegate* m_delegate;
    QPoint m_headerPress{-1, -1};
};

} // namespace rw
