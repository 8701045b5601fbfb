#include "browser/FolderTree.h"

#include <QDir>
#include <QStyle>

namespace rw
{

namespace
{
constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
} // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::fillChildren);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit folderChosen(item->data(0, kPathRole).toString());
    });
}

QTreeWidgetItem* FolderTree::addFolderItem(QTreeWidgetItem* parent, const QString& name,
                                           const QString& path)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setData(0, kPathRole, path);
    item->setData(0, kFilledRole, false);
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    // The expander stays until the branch is read and turns out empty.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderTree::fillChildren(QTreeWidgetItem* item)
{
    if (!item || item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    const QString path = item->data(0, kPathRole).toString();
    const QStringList names = QDir(path).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    // Items put in before the branch was read (a hidden folder on the way to
    // the folder shown) stay; the rest are added in name order.
    for (const QString& name : names)
        if (!childNamed(item, name))
            addFolderItem(item, name, QDir(path).filePath(name));
    item->sortChildren(0, Qt::AscendingOrder);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* FolderTree::childNamed(QTreeWidgetItem* item, const QString& name)
{
    for (int i = 0; i < item->childCount(); ++i)
        if (item->child(i)->text(0) == name)
            return item->child(i);
    return nullptr;
}

void FolderTree::showFolder(const QString& driveRoot, const QString& folder, bool reread)
{
    if (reread || driveRoot != m_root || topLevelItemCount() == 0) {
        clear();
        m_root = driveRoot;
        addFolderItem(nullptr, driveRoot, driveRoot);
    }
    QTreeWidgetItem* item = topLevelItem(0);
    fillChildren(item);
    item->setExpanded(true);
    const QString rest = folder.mid(driveRoot.size());
    for (const QString& name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        fillChildren(item);
        QTreeWidgetItem* child = childNamed(item, name);
        if (!child)
            child =
                addFolderItem(item, name, QDir(item->data(0, kPathRole).toString()).filePath(name));
        item->setExpanded(true);
        item = child;
    }
    // The folder shown lists its own sub-folders, one level down.
    fillChildren(item);
    item->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
}

QString FolderTree::selectedFolder() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, kPathRole).toString() : QString();
}

} // namespace rw
