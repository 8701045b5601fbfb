#pragma once

#include "framework/core/DeleteRun.h"

#include <QDialog>
#include <QStringList>

#include <cstdint>

class QFont;
class QLabel;
class QString;
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
    void setFiles(const QList<DeleteTarget>& targets);
    // The same for files named by path alone (dropped files, tests): each
    // must still be of the type it has now when the run reaches it.
    void setFiles(const QStringList& paths);
    QStringList files() const;
    // The bytes the files take, shown as the potential savings.
    void setSavings(double bytes) { m_savings = bytes; }
    // Every file is checked by `guard` before it goes (see DeleteRun::setGuard).
    void setGuard(DeleteRun::Guard guard, QString keptNotice)
    {
        m_guard = std::move(guard);
        m_keptNotice = std::move(keptNotice);
    }
    double savings() const { return m_savings; }
    // What the last run did (empty before one).
    const DeleteRun::Outcome& lastOutcome() const { return m_lastOutcome; }

    // "The following N files will be deleted."
    void UpdateHeaders();
    void btDeleteAllClick();
    void btRecycleClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillSavings();
    // True when the settings file can be written, or the user chose to go on
    // without recording the totals.
    bool settingsMayGoUnwritten();
    void finishRun();
    // Runs one pass of the deletion engine under the hourglass and the progress bar.
    void runWithProgress(DeleteRun::Outcome (DeleteRun::*step)(const DeleteRun::Progress&));

    QLabel* m_lblDelete;
    QLabel* m_lblSavings;
    QListWidget* m_lb1;
    QPushButton* m_btDelete;
    QPushButton* m_btRecycle;
    QPushButton* m_btClose;
    QProgressBar* m_progress;
    double m_savings = 0;
    QList<DeleteTarget> m_targets;
    DeleteRun::Guard m_guard;
    QString m_keptNotice;
    DeleteRun::Outcome m_lastOutcome;
};

// Lines `text` takes in `font` when wrapped at words to `width` pixels.
int wrappedLineCount(const QFont& font, const QString& text, int width);
// `font`, or the first narrower face or smaller size of it in which `text`
// wrapped to `width` takes at most `lines` lines (the smallest tried when
// none does).
QFont fontFittingLines(const QFont& font, const QString& text, int width, int lines);

// The tool windows' Delete button: with marked files, opens the confirmation
// window owned by `toolWindow` on them. True when the tool window should
// close: after a run, and when nothing was marked; false when the user
// cancelled the confirmation window. A `guard` checks every file before it
// goes (DeleteRun::setGuard). `outcome` (may be null) gets what the run did.
bool runDeleteMarked(QWidget* toolWindow, const QList<DeleteTarget>& lbDeleted,
                     std::int64_t markedBytes, DeleteRun::Guard guard = {},
                     const QString& keptNotice = {}, DeleteRun::Outcome* outcome = nullptr);

} // namespace rw
