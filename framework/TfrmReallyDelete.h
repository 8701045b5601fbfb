#pragma once

#include <QDialog>
#include <QStringList>

#include <cstdint>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace rw
{

// The one window through which marked files are deleted: lists them in
// sorted order with the bytes they take, warns, and deletes them for good or
// sends them to the recycle bin. Accepted after a run, rejected when closed
// without one.
class TfrmReallyDelete : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmReallyDelete(QWidget* owner = nullptr);

    // The files to delete (any order; shown sorted case-insensitively).
    void setFiles(const QStringList& paths);
    QStringList files() const;
    // The bytes the files take, shown as the potential savings.
    void setSavings(double bytes) { m_savings = bytes; }
    double savings() const { return m_savings; }

    // "The following N files will be deleted."
    void UpdateHeaders();
    void btDeleteAllClick();
    void btRecycleClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillSavings();
    void finishRun();

    QLabel* m_lblDelete;
    QLabel* m_lblSavings;
    QListWidget* m_lb1;
    QPushButton* m_btDelete;
    QPushButton* m_btRecycle;
    QPushButton* m_btClose;
    QProgressBar* m_progress;
    double m_savings = 0;
};

// The tool windows' Delete button: with marked files, opens the confirmation
// window owned by `toolWindow` on them. True when the tool window should
// close: after a run, and when nothing was marked; false when the user
// cancelled the confirmation window.
bool runDeleteMarked(QWidget* toolWindow, const QStringList& lbDeleted, std::int64_t markedBytes);

} // namespace rw
