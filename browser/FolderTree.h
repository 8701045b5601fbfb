#pragma once

#include <QByteArray>
#include <QString>
#include <QTreeWidget>

namespace rw
{

// The folder tree of one drive: the drive's root at the top and, below it,
// the folders down to the folder shown. Sub-folders are read when a branch
// is opened (each time, so a folder made since shows, and one removed goes)
// and when its folder is shown, so a large drive costs nothing until the
// user looks.
// Hidden folders (a name beginning with '.') and symbolic links to folders
// are not offered, but a hidden folder on the path of the folder shown is.
// Double click (or Enter) on a folder asks to make it the current folder.
// Each item keeps its folder's path as the file system's bytes (kPathRole, a
// QByteArray); its text is the name as displayName shows it.
class FolderTree : public QTreeWidget
{
    Q_OBJECT
public:
    // The data role of an item's folder path (QByteArray).
    static constexpr int kPathRole = Qt::UserRole;

    explicit FolderTree(QWidget* parent = nullptr);

    // Shows `folder` (absolute, cleaned, the file system's bytes) under the
    // root of `driveRoot`, opening the branches down to it and selecting it.
    // The tree is rebuilt when the drive changes or `reread` is set (after
    // folders were removed).
    void showFolder(const QString& driveRoot, const QByteArray& folder, bool reread = false);
    // The folder of the selected item (empty when none).
    QByteArray selectedFolder() const;

signals:
    // The user chose a folder (double click or Enter).
    void folderChosen(const QByteArray& folder);

private:
    // Reads the sub-folders of a branch not read yet.
    void fillChildren(QTreeWidgetItem* item);
    // Reads them anew: adds new folders, drops those gone.
    void readChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* childAt(QTreeWidgetItem* item, const QByteArray& path);
    QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& text,
                                   const QByteArray& path);

    QString m_root;
    bool m_showing = false; // showFolder is opening branches itself
};

} // namespace rw
