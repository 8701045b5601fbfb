#include "framework/TfrmReallyDelete.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

#include "base/ProgramMessages.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "controls/CentreOnScreen.h"
#include "controls/ReadableColours.h"
#include "framework/core/DeleteRun.h"
#include "framework/core/PathTarget.h"

#include <QFile>

namespace rw
{

int wrappedLineCount(const QFont& font, const QString& text, int width)
{
    const QFontMetrics fm(font);
    const QRect r = fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text);
    return qMax(1, (r.height() + fm.leading()) / fm.lineSpacing());
}

QFont fontFittingLines(const QFont& font, const QString& text, int width, int lines)
{
    // The narrower faces first (the wording was set for a narrow dialog
    // font), then smaller sizes of the narrowest, down to 9 pixels.
    QList<QFont> candidates{font};
    QFont condensed = font;
    condensed.setStretch(QFont::Condensed);
    candidates.append(condensed);
    QFont arial = font;
    arial.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("Arimo"), QStringLiteral("Helvetica")});
    candidates.append(arial);
    const int size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    for (int px = size - 1; px >= 9; --px) {
        QFont smaller = condensed;
        smaller.setPixelSize(px);
        candidates.append(smaller);
    }
    for (const QFont& f : candidates)
        if (wrappedLineCount(f, text, width) <= lines)
            return f;
    return candidates.last();
}

TfrmReallyDelete::TfrmReallyDelete(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmReallyDelete"));
    setWindowTitle(tr("Delete/rename the following files:"));
    setFixedSize(622, 400);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(0, 0, 622, 321);

    m_lblDelete = new QLabel(panel);
    m_lblDelete->setObjectName(QStringLiteral("lblDelete"));
    m_lblDelete->setGeometry(8, 10, 300, 16);
    auto* savingsText = new QLabel(tr("Potential savings of "), panel);
    savingsText->setObjectName(QStringLiteral("Label1"));
    savingsText->setGeometry(320, 10, 130, 16);
    m_lblSavings = new QLabel(panel);
    m_lblSavings->setObjectName(QStringLiteral("lblSavings"));
    m_lblSavings->setGeometry(450, 10, 164, 16);

    m_lb1 = new QListWidget(panel);
    m_lb1->setObjectName(QStringLiteral("lb1"));
    m_lb1->setGeometry(8, 34, 606, 241);
    m_lb1->setFocusPolicy(Qt::NoFocus);
    QPalette grey = m_lb1->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    grey.setColor(QPalette::Text, ReadableColours::textOn(QColor(192, 192, 192)));
    m_lb1->setPalette(grey);

    m_btDelete = new QPushButton(tr("&Delete all files"), panel);
    m_btDelete->setObjectName(QStringLiteral("btDelete"));
    m_btDelete->setGeometry(100, 283, 195, 30);
    m_btDelete->setToolTip(tr("Delete the files shown above permanently.  Cannot be undeleted."));
    m_btRecycle = new QPushButton(tr("&Send to recycle bin"), panel);
    m_btRecycle->setObjectName(QStringLiteral("btRecycle"));
    m_btRecycle->setGeometry(327, 283, 195, 30);
    m_btRecycle->setToolTip(tr("Send to recycle bin.  Recycle bin can be emptied later."));

    auto* warning =
        new QLabel(tr("WARNING: The file(s) that you selected to delete may belong to working "
                      "applications.  Roomwise cannot determine if they are needed for proper "
                      "operation of other applications.  If in doubt do not delete these "
                      "files. "),
                   this);
    warning->setObjectName(QStringLiteral("lblWarning"));
    warning->setWordWrap(true);
    warning->setGeometry(8, 323, 606, 42);
    QFont bold = warning->font();
    bold.setBold(true);
    bold.setPixelSize(11);
    // Two lines, as it was laid out, also in a font wider than the one it
    // was worded for.
    warning->setFont(fontFittingLines(bold, warning->text(), warning->width(), 2));
    // Blue as designed; lightened where the window's face is dark.
    warning->setStyleSheet(
        QStringLiteral("color: %1;")
            .arg(ReadableColours::readableOn(Qt::blue, palette().color(QPalette::Window)).name()));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setGeometry(8, 370, 433, 20);
    m_progress->setToolTip(tr("Progress bar"));
    m_progress->hide();

    m_btClose = new QPushButton(tr("Cancel"), this);
    m_btClose->setObjectName(QStringLiteral("btClose"));
    m_btClose->setGeometry(527, 366, 87, 27);
    m_btClose->setToolTip(tr("Cancel and close.  Do not rename or delete "));

    connect(m_btDelete, &QPushButton::clicked, this, &TfrmReallyDelete::btDeleteAllClick);
    connect(m_btRecycle, &QPushButton::clicked, this, &TfrmReallyDelete::btRecycleClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmReallyDelete::setFiles(const QList<DeleteTarget>& targets)
{
    m_targets = targets;
    DeleteRun::sortTargets(m_targets);
    m_lb1->clear();
    for (const DeleteTarget& t : m_targets)
        m_lb1->addItem(t.shown);
}

void TfrmReallyDelete::setFiles(const QStringList& paths)
{
    QList<DeleteTarget> targets;
    for (const QString& path : paths)
        targets.append(targetForPath(QFile::encodeName(path)));
    setFiles(targets);
}

QStringList TfrmReallyDelete::files() const
{
    QStringList out;
    for (int i = 0; i < m_lb1->count(); ++i)
        out.append(m_lb1->item(i)->text());
    return out;
}

void TfrmReallyDelete::UpdateHeaders()
{
    m_lblDelete->setText(tr("The following %1 files will be deleted.").arg(m_lb1->count()));
}

void TfrmReallyDelete::fillSavings()
{
    m_lblSavings->setText(
        tr("%1 bytes").arg(FormatGrouped(static_cast<std::int64_t>(std::llround(m_savings)))));
}

void TfrmReallyDelete::showEvent(QShowEvent* event)
{
    centreOnScreen(this);
    fillSavings();
    UpdateHeaders();
    QDialog::showEvent(event);
}

void TfrmReallyDelete::finishRun()
{
    m_progress->hide();
    m_lb1->clear();
    m_targets.clear();
    UpdateHeaders();
    accept();
}

void TfrmReallyDelete::btDeleteAllClick()
{
    if (m_lb1->count() == 0) {
        ShowWarningMessage(tr("There are no files to delete"));
        return;
    }
    if (!AskYesNo(tr("Really delete?"))) {
        ShowInfoMessage(tr("Files not deleted"));
        return;
    }
    if (!settingsMayGoUnwritten()) {
        ShowInfoMessage(tr("Files not deleted"));
        return;
    }
    runWithProgress(&DeleteRun::deleteAll);
}

void TfrmReallyDelete::btRecycleClick()
{
    const QString note =
        tr("Note that the recycle bin may be full or that you may have the "
           "\"Immediately Remove Files On Delete\" option turned on in the recycle "
           "bin. If either is true, then you will not be able to recover the "
           "deleted files from the recycle bin. \n\nSend to the recycle bin anyway?");
    if (!AskYesNo(note) || !settingsMayGoUnwritten()) {
        ShowInfoMessage(tr("Files not deleted"));
        return;
    }
    runWithProgress(&DeleteRun::recycleAll);
}

bool TfrmReallyDelete::settingsMayGoUnwritten()
{
    // Said once, before anything goes: afterwards the totals could only be
    // lost without a word.
    return goOnWithoutTotals(
        *messageResponder(),
        tr("%1\n\nThe deletion totals will not be recorded. Delete the files anyway?"));
}

void TfrmReallyDelete::runWithProgress(
    DeleteRun::Outcome (DeleteRun::*step)(const DeleteRun::Progress&))
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_progress->setRange(0, qMax(0, m_lb1->count() - 1));
    m_progress->show();
    DeleteRun run(m_targets, *messageResponder());
    if (m_guard)
        run.setGuard(m_guard, m_keptNotice);
    m_lastOutcome = (run.*step)([this](int i) { m_progress->setValue(i); });
    QApplication::restoreOverrideCursor();
    finishRun();
}

bool runDeleteMarked(QWidget* toolWindow, const QList<DeleteTarget>& lbDeleted,
                     std::int64_t markedBytes, DeleteRun::Guard guard, const QString& keptNotice,
                     DeleteRun::Outcome* outcome)
{
    if (lbDeleted.isEmpty())
        return true;
    TfrmReallyDelete dialog(toolWindow);
    dialog.setFiles(lbDeleted);
    dialog.setSavings(static_cast<double>(markedBytes));
    if (guard)
        dialog.setGuard(std::move(guard), keptNotice);
    const bool ran = dialog.exec() != QDialog::Rejected;
    if (outcome)
        *outcome = dialog.lastOutcome();
    return ran;
}

} // namespace rw
