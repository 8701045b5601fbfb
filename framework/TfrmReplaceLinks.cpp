#include "framework/TfrmReplaceLinks.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Messages.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "controls/CentreOnScreen.h"
#include "controls/ReadableColours.h"

namespace rw
{

TfrmReplaceLinks::TfrmReplaceLinks(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmReplaceLinks"));
    setWindowTitle(tr("Replace marked files with links"));
    setModal(true);
    resize(622, 420);

    auto* layout = new QVBoxLayout(this);
    m_lblHeading = new QLabel(this);
    m_lblHeading->setObjectName(QStringLiteral("lblHeading"));
    m_lblHeading->setWordWrap(true);
    layout->addWidget(m_lblHeading);
    m_lblSavings = new QLabel(this);
    m_lblSavings->setObjectName(QStringLiteral("lblSavings"));
    layout->addWidget(m_lblSavings);

    m_lbFiles = new QListWidget(this);
    m_lbFiles->setObjectName(QStringLiteral("lbFiles"));
    m_lbFiles->setAccessibleName(tr("Files and the links they become"));
    layout->addWidget(m_lbFiles, 1);

    m_lblNote = new QLabel(
        tr("Every path keeps opening the same contents. A reflink is a file of its own and "
           "keeps the replaced file's permissions, owner, times and extended attributes such "
           "as ACLs. A hard link is the kept "
           "copy itself: it cannot keep the replaced file's own permissions, owner and times, "
           "it shows the kept copy's, and a change written through one name shows in all."),
        this);
    m_lblNote->setObjectName(QStringLiteral("lblNote"));
    m_lblNote->setWordWrap(true);
    m_lblNote->setStyleSheet(
        QStringLiteral("color: %1;")
            .arg(ReadableColours::readableOn(Qt::blue, palette().color(QPalette::Window)).name()));
    layout->addWidget(m_lblNote);

    auto* row = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setToolTip(tr("Progress bar"));
    m_progress->hide();
    row->addWidget(m_progress, 1);
    row->addStretch();
    m_btReplace = new QPushButton(tr("&Replace"), this);
    m_btReplace->setObjectName(QStringLiteral("btReplace"));
    m_btReplace->setToolTip(tr("Replace the files listed above by links to their kept copies."));
    m_btReplace->setDefault(true);
    row->addWidget(m_btReplace);
    m_btClose = new QPushButton(tr("Cancel"), this);
    m_btClose->setObjectName(QStringLiteral("btClose"));
    m_btClose->setToolTip(tr("Close without replacing anything"));
    row->addWidget(m_btClose);
    layout->addLayout(row);

    connect(m_btReplace, &QPushButton::clicked, this, &TfrmReplaceLinks::btReplaceClick);
    connect(m_btClose, &QPushButton::clicked, this, &TfrmReplaceLinks::reject);
    fill();
}

void TfrmReplaceLinks::setItems(QList<LinkReplaceRun::Item> items,
                                LinkReplaceRun::SameBytes sameBytes, MessageResponder* responder)
{
    m_run = std::make_unique<LinkReplaceRun>(std::move(items), std::move(sameBytes));
    m_responder = responder;
    m_plan = m_run->plan();
    fill();
}

void TfrmReplaceLinks::fill()
{
    m_lblHeading->setText(
        // Counts as "label: n", so one file reads as well as many.
        tr("Files to be replaced by links: %1 (by reflinks: %2, by hard links: %3). Files left "
           "as they are: %4.")
            .arg(FormatGrouped(m_plan.reflinks + m_plan.hardLinks), FormatGrouped(m_plan.reflinks),
                 FormatGrouped(m_plan.hardLinks), FormatGrouped(m_plan.left)));
    m_lblSavings->setText(tr("Bytes freed: %1 bytes").arg(FormatGrouped(m_plan.bytesFreed)));
    m_lbFiles->clear();
    for (const LinkReplaceRun::FileResult& r : m_plan.files) {
        if (r.reason == LinkReplaceRun::Reason::Linked)
            m_lbFiles->addItem(tr("%1  becomes a %2").arg(r.shown, LinkReplaceRun::reasonText(r)));
        else
            m_lbFiles->addItem(tr("%1  is left: %2").arg(r.shown, LinkReplaceRun::reasonText(r)));
    }
    m_btReplace->setEnabled(m_plan.reflinks + m_plan.hardLinks > 0);
}

void TfrmReplaceLinks::showEvent(QShowEvent* event)
{
    centreOnScreen(this);
    QDialog::showEvent(event);
}

void TfrmReplaceLinks::reject()
{
    // While running, Cancel stops after the file at hand; the run then
    // reports and the window closes as after a whole run.
    if (m_running) {
        m_stop = true;
        return;
    }
    QDialog::reject();
}

void TfrmReplaceLinks::btReplaceClick()
{
    if (!m_run || m_running)
        return;
    if (m_plan.reflinks + m_plan.hardLinks == 0) {
        if (m_responder)
            ShowWarningMessage(*m_responder, tr("There are no files to replace"));
        return;
    }
    // The freed bytes go into the deletion totals: said before anything is
    // replaced, as the delete window does.
    if (m_responder &&
        !goOnWithoutTotals(*m_responder,
                           tr("%1\n\nThe freed space will not be added to the deletion totals. "
                              "Replace the files anyway?")))
        return;
    m_running = true;
    m_stop = false;
    m_btReplace->setEnabled(false);
    m_btClose->setText(tr("&Stop"));
    m_progress->setRange(0, qMax(0, int(m_run->items().size()) - 1));
    m_progress->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_outcome = m_run->run([this](int i) {
        m_progress->setValue(i);
        // Stop is heard between two files; a file is never left half done.
        QApplication::processEvents();
        return !m_stop;
    });
    QApplication::restoreOverrideCursor();
    m_running = false;
    m_progress->hide();
    if (m_responder)
        LinkReplaceRun::report(m_outcome, *m_responder);
    accept();
}

bool runReplaceMarked(QWidget* owner, QList<LinkReplaceRun::Item> items,
                      LinkReplaceRun::SameBytes sameBytes, MessageResponder& responder,
                      LinkReplaceRun::Outcome* outcome)
{
    if (items.isEmpty())
        return false;
    TfrmReplaceLinks dialog(owner);
    dialog.setItems(std::move(items), std::move(sameBytes), &responder);
    const bool ran = dialog.exec() == QDialog::Accepted;
    if (ran && outcome)
        *outcome = dialog.outcome();
    return ran;
}

} // namespace rw
