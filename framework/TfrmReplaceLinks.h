#pragma once

#include <QDialog>

#include "framework/core/LinkReplaceRun.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace rw
{

class MessageResponder;

// The confirmation of "replace marked with links": says how many files
// become reflinks and how many hard links, which are left and why, and the
// bytes freed, and that a hard link cannot keep a file's own permissions,
// owner and times; then runs the replacement with a progress bar and a
// Stop button and reports what came of it. Accepted after a run, rejected
// when closed without one.
class TfrmReplaceLinks : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmReplaceLinks(QWidget* owner = nullptr);

    // The files to replace and the byte compare (see LinkReplaceRun); the
    // plan is formed at once. The responder (not owned) hears the report
    // after the run and must outlive the window.
    void setItems(QList<LinkReplaceRun::Item> items, LinkReplaceRun::SameBytes sameBytes,
                  MessageResponder* responder);
    const LinkReplaceRun::Plan& plan() const { return m_plan; }
    // What the last run did.
    const LinkReplaceRun::Outcome& outcome() const { return m_outcome; }

    // "&Replace": runs it (nothing to replace: says so and stays).
    void btReplaceClick();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void fill();

    QLabel* m_lblHeading;
    QLabel* m_lblSavings;
    QLabel* m_lblNote;
    QListWidget* m_lbFiles;
    QPushButton* m_btReplace;
    QPushButton* m_btClose;
    QProgressBar* m_progress;
    std::unique_ptr<LinkReplaceRun> m_run;
    LinkReplaceRun::Plan m_plan;
    LinkReplaceRun::Outcome m_outcome;
    MessageResponder* m_responder = nullptr;
    bool m_running = false;
    bool m_stop = false;
};

// Opens the confirmation on `items` modally over `owner`. True when a run
// took place (its outcome in `outcome`, may be null); false when the user
// closed the window without one or there was nothing to replace.
bool runReplaceMarked(QWidget* owner, QList<LinkReplaceRun::Item> items,
                      LinkReplaceRun::SameBytes sameBytes, MessageResponder& responder,
                      LinkReplaceRun::Outcome* outcome = nullptr);

} // namespace rw
