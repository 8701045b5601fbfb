#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMimeData;

namespace rw
{

class CheckListBox;

// Folders as drives of a drive check list: folders dropped on the list and
// the entries its right-click menu gains ("Add folder…", "Remove folder"
// for a folder added this run, "Keep this folder" to write it to [Drives]).
// A folder added is a run-only drive (RunDrives) and is ticked; the other
// ticks stay as they were. While `busy` says so (a scan runs) drops are
// refused. Owned by the list.
class DriveListFolders : public QObject
{
    Q_OBJECT
public:
    DriveListFolders(CheckListBox* list, std::function<bool()> busy);

    // Adds each folder as a run-only drive; a folder that is no readable
    // folder gets a message box and is left out. Returns the letters of the
    // drives the folders are (new ones and those that already were drives).
    static QList<QChar> addFolders(const QList<QByteArray>& folders);
    // The local folders and files a drop carries, as the file system's
    // bytes (a name that is not UTF-8 comes through percent-encoded).
    static QList<QByteArray> droppedPaths(const QMimeData* data);

    // "Add folder…": a folder picker on the list's window.
    void addFolderChosen();
    void removeFolder(int row);
    void keepFolder(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fills the list with the drives anew, ticking what was ticked and `tick`.
    void refill(const QList<QChar>& tick);
    QChar letterOf(int row) const;

    CheckListBox* m_list;
    std::function<bool()> m_busy;
    QAction* m_add = nullptr;
    QAction* m_remove = nullptr;
    QAction* m_keep = nullptr;
    int m_menuRow = -1;
};

} // namespace rw
