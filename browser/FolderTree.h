#pragma once

#include <QString>
#include <QTreeWidget>

namespace rw
{

// The folder tree of one drive: the drive's root at the top and, below it,
// the folders down to the folder shown. Sub-folders are read when a branch
// is first opened, so a large drive costs nothing until the user looks.
// Hidden folders (a name beginning with '.') and symbolic links to folders
// are not offered, but a hidden folder on the path of the folder shown is.
// Double click (or Enter) on a folder asks to make it the current folder.
class FolderTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // Shows `folder` (absolute, cleaned) under the root of `driveRoot`,
    // opening the branches down to it and selecting it. The tree is rebuilt
    // when the drive changes or `reread` is set (after folders were removed).
    void showFolder(const QString& driveRoot, const QString& folder, bool reread = false);
    // The folder of the selected item ("" when none).
    QString selectedFolder() const;

signals:
    // The user chose a folder (double click or Enter).
    void folderChosen(const QString& folder);

private:
    void fillChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* childNamed(QTreeWidgetItem* item, const QString& name);
    QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& name,
                                   const QString& path);

    QString m_root;
};

} // namespace rw
