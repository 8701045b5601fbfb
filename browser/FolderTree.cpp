#include "browser/FolderTree.h"

#include <QFile>
#include <QSet>
#include <QStyle>

#include <string_view>

#include "framework/core/PathBytes.h"
#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/FileAttributes.h"

namespace rw
{

namespace
{
constexpr int kFilledRole = Qt::UserRole + 1;

QByteArray pathOf(const QTreeWidgetItem* item)
{
    return item->data(0, FolderTree::kPathRole).toByteArray();
}

// The sub-folders of `path` that the tree offers: no hidden ones, no links.
QList<QByteArray> subFolders(const QByteArray& path)
{
    QList<QByteArray> names;
    DirListing dir;
    if (!dir.open(path, true))
        return names;
    dir.readAll(); // a folder read only in part still offers what was read
    std::size_t cursor = 0;
    DirEntry entry;
    while (dir.next(cursor, &entry)) {
        if (entry.isHidden() || entry.type == EntryType::File || entry.type == EntryType::SymLink ||
            entry.type == EntryType::Special)
            continue;
        FileStatus status;
        // The directory's word is taken only where it gives one; the status
        // (links not followed) decides the rest.
        if (entry.type == EntryType::Unknown &&
            (!dir.status(entry.name.data(), &status) || !(status.attributes & faDirectory) ||
             (status.attributes & faSymLink)))
            continue;
        names.append(QByteArray(entry.name.data(), qsizetype(entry.name.size())));
    }
    return names;
}

} // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(true);
    // Opening a branch reads it anew, so folders made since it was last read
    // show (showFolder reads the branches it opens itself).
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (!m_showing)
            readChildren(item);
    });
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit folderChosen(pathOf(item)); });
}

QTreeWidgetItem* FolderTree::addFolderItem(QTreeWidgetItem* parent, const QString& text,
                                           const QByteArray& path)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, kPathRole, path);
    item->setData(0, kFilledRole, false);
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    // The expander stays until the branch is read and turns out empty.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderTree::fillChildren(QTreeWidgetItem* item)
{
    if (item && !item->data(0, kFilledRole).toBool())
        readChildren(item);
}

void FolderTree::readChildren(QTreeWidgetItem* item)
{
    if (!item)
        return;
    item->setData(0, kFilledRole, true);
    const QByteArray path = pathOf(item);
    QSet<QByteArray> listed;
    for (const QByteArray& name : subFolders(path)) {
        const QByteArray child = joinPathBytes(path, name);
        listed.insert(child);
        if (!childAt(item, child))
            addFolderItem(item, displayName(name), child);
    }
    // A folder gone since the last read goes too. Items the listing does not
    // offer but that still exist (a hidden folder put in on the way to the
    // folder shown) stay.
    for (int i = item->childCount() - 1; i >= 0; --i) {
        const QByteArray child = pathOf(item->child(i));
        if (!listed.contains(child) && !isFolderPath(child))
            delete item->takeChild(i);
    }
    item->sortChildren(0, Qt::AscendingOrder);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* FolderTree::childAt(QTreeWidgetItem* item, const QByteArray& path)
{
    // By the bytes: "Bad\xff" and its look-alike "Bad\uFFFD" are two folders.
    for (int i = 0; i < item->childCount(); ++i)
        if (pathOf(item->child(i)) == path)
            return item->child(i);
    return nullptr;
}

void FolderTree::showFolder(const QString& driveRoot, const QByteArray& folder, bool reread)
{
    if (reread || driveRoot != m_root || topLevelItemCount() == 0) {
        clear();
        m_root = driveRoot;
        // A drive root is a text of the settings; its encoding is its bytes.
        addFolderItem(nullptr, driveRoot, cleanAbsolutePath(QFile::encodeName(driveRoot)));
    }
    m_showing = true;
    QTreeWidgetItem* item = topLevelItem(0);
    fillChildren(item);
    item->setExpanded(true);
    const QByteArray root = pathOf(item);
    const QByteArray rest = folder.startsWith(root) ? folder.mid(root.size()) : QByteArray();
    for (const QByteArray& name : rest.split('/')) {
        if (name.isEmpty())
            continue;
        fillChildren(item);
        const QByteArray path = joinPathBytes(pathOf(item), name);
        QTreeWidgetItem* child = childAt(item, path);
        if (!child)
            child = addFolderItem(item, displayName(name), path);
        item->setExpanded(true);
        item = child;
    }
    // The folder shown lists its own sub-folders, one level down, as they
    // are now.
    readChildren(item);
    item->setExpanded(true);
    m_showing = false;
    setCurrentItem(item);
    scrollToItem(item);
}

QByteArray FolderTree::selectedFolder() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? pathOf(item) : QByteArray();
}

} // namespace rw
