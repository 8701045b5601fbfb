#include "framework/DriveListFolders.h"

#include "base/ProgramMessages.h"
#include "base/Settings.h"
#include "controls/CheckListBox.h"
#include "framework/DriveCheckList.h"
#include "platform/Drives.h"
#include "platform/RunDrives.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QSet>
#include <QUrl>

namespace rw
{

DriveListFolders::DriveListFolders(CheckListBox* list, std::function<bool()> busy)
    : QObject(list), m_list(list), m_busy(std::move(busy))
{
    QMenu* menu = list->contextMenu();
    menu->addSeparator();
    m_add = menu->addAction(tr("Add folder…"), this, &DriveListFolders::addFolderChosen);
    m_add->setObjectName(QStringLiteral("AddFolder1"));
    m_remove = menu->addAction(tr("Remove folder"), this, [this] { removeFolder(m_menuRow); });
    m_remove->setObjectName(QStringLiteral("RemoveFolder1"));
    m_keep = menu->addAction(tr("Keep this folder"), this, [this] { keepFolder(m_menuRow); });
    m_keep->setObjectName(QStringLiteral("KeepFolder1"));
    connect(list, &CheckListBox::menuOpening, this, [this](int row) {
        m_menuRow = row;
        // Only a folder added this run can be taken away or kept.
        const bool runOnly = RunDrives::isRunOnly(letterOf(row));
        m_remove->setEnabled(runOnly);
        m_keep->setEnabled(runOnly);
    });
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

QList<QChar> DriveListFolders::addFolders(const QList<QByteArray>& folders)
{
    QList<QChar> letters;
    for (const QByteArray& folder : folders) {
        QChar letter;
        const RunDrives::Outcome outcome = RunDrives::add(folder, &letter);
        if (outcome == RunDrives::Outcome::Added || outcome == RunDrives::Outcome::AlreadyThere)
            letters << letter;
        else
            ShowErrorMessage(RunDrives::refusalText(outcome, folder));
    }
    return letters;
}

QList<QByteArray> DriveListFolders::droppedPaths(const QMimeData* data)
{
    QList<QByteArray> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // The encoded path decoded to bytes: toLocalFile() would turn bytes
        // that are not UTF-8 into replacement characters.
        paths << QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    }
    return paths;
}

void DriveListFolders::addFolderChosen()
{
    QFileDialog dialog(m_list->window(), tr("Add folder"));
    dialog.setObjectName(QStringLiteral("AddFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Qt's own dialog: the same on every desktop, and driven like any window.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    refill(addFolders({QFile::encodeName(dialog.selectedFiles().first())}));
}

void DriveListFolders::removeFolder(int row)
{
    if (RunDrives::remove(letterOf(row)))
        refill({});
}

void DriveListFolders::keepFolder(int row)
{
    const QChar letter = letterOf(row);
    if (!RunDrives::isRunOnly(letter))
        return;
    DriveInfo drive;
    if (!findDrive(letter, &drive))
        return;
    QString why;
    if (!keepDriveFolder(letter, drive.rootPath(), &why)) {
        ShowErrorMessage(why);
        return;
    }
    RunDrives::markKept(letter);
    refill({});
}

bool DriveListFolders::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!m_busy() && m_list->isEnabled() && !droppedPaths(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QByteArray> paths = droppedPaths(drop->mimeData());
        // A scan walks the drives ticked when it started: the list stays as it is.
        if (m_busy() || !m_list->isEnabled() || paths.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        refill(addFolders(paths));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void DriveListFolders::refill(const QList<QChar>& tick)
{
    QSet<QChar> ticked(tick.begin(), tick.end());
    for (const QString& line : m_list->checkedLines())
        ticked.insert(line.at(0).toUpper());
    const QStringList entries = DriveEntryTexts();
    m_list->setLines(entries);
    for (int i = 0; i < entries.size(); ++i)
        if (ticked.contains(entries[i].at(0).toUpper()))
            m_list->setChecked(i, true);
}

QChar DriveListFolders::letterOf(int row) const
{
    const QListWidgetItem* item = row >= 0 ? m_list->item(row) : nullptr;
    return item && !item->text().isEmpty() ? item->text().at(0).toUpper() : QChar();
}

} // namespace rw
