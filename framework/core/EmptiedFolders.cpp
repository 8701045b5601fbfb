#include "framework/core/EmptiedFolders.h"

#include <QCoreApplication>

#include <algorithm>

#include "base/Messages.h"
#include "framework/core/ProtectedPaths.h"
#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/SafeFolder.h"

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct EmptiedFoldersTexts {
    Q_DECLARE_TR_FUNCTIONS(EmptiedFoldersTexts)
};
} // namespace

void EmptiedFolders::addGone(const DeleteTarget& file)
{
    for (const Seen& s : m_folders)
        if (s.path == file.folder && s.identity == file.folderIdentity)
            return;
    m_folders.append({file.folder, file.folderIdentity});
}

void EmptiedFolders::addGone(const QList<DeleteTarget>& files)
{
    for (const DeleteTarget& t : files)
        addGone(t);
}

QList<DeleteTarget> EmptiedFolders::emptyNow() const
{
    QList<DeleteTarget> out;
    for (const Seen& s : m_folders) {
        QByteArray path = s.path;
        while (path.size() > 1 && path.endsWith('/'))
            path.chop(1);
        const qsizetype slash = path.lastIndexOf('/');
        if (slash < 0 || path == "/" || !s.identity.isKnown())
            continue;
        // The folder the user pointed the scan at, a drive root or a system
        // folder is never offered, however empty.
        if (protectedFolderKindBytes(path) != ProtectedKind::None)
            continue;
        DeleteTarget t;
        t.folder = slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
        t.name = path.mid(slash + 1);
        t.identity = FileIdentity{s.identity.dev, s.identity.ino, FileIdentity::Type::Folder};
        t.shown = displayName(path);
        SafeFolder parent;
        FileStatus parentNow;
        if (!parent.open(t.folder) || !parent.selfStatus(&parentNow))
            continue;
        t.folderIdentity = FileIdentity{parentNow.dev, parentNow.ino, FileIdentity::Type::Folder};
        DirListing listing;
        FileStatus self;
        if (!listing.open(parent.fd(), t.name.constData(), false) || !listing.selfStatus(&self) ||
            self.dev != t.identity.dev || self.ino != t.identity.ino || !listing.readAll())
            continue;
        std::size_t cursor = 0;
        DirEntry entry;
        if (listing.next(cursor, &entry))
            continue;
        out.append(t);
    }
    std::sort(out.begin(), out.end(), [](const DeleteTarget& a, const DeleteTarget& b) {
        return a.pathBytes() < b.pathBytes();
    });
    return out;
}

QString EmptiedFolders::questionText(const QList<DeleteTarget>& folders)
{
    QStringList shown;
    for (const DeleteTarget& t : folders)
        shown.append(t.shown);
    return EmptiedFoldersTexts::tr("These folders are empty now:\n%1\nRemove them?")
        .arg(shown.join(QLatin1Char('\n')));
}

int EmptiedFolders::remove(const QList<DeleteTarget>& folders, QStringList* failed)
{
    int removed = 0;
    for (const DeleteTarget& t : folders) {
        SafeFolder parent;
        if (parent.open(t.folder, t.folderIdentity) &&
            parent.removeEmptyFolder(t.name.constData(), t.identity) == SafeFolder::Result::Done)
            ++removed;
        else if (failed)
            failed->append(t.shown);
    }
    return removed;
}

int EmptiedFolders::offer(MessageResponder& responder) const
{
    const QList<DeleteTarget> folders = emptyNow();
    if (folders.isEmpty() || !AskYesNo(responder, questionText(folders)))
        return 0;
    QStringList failed;
    const int removed = remove(folders, &failed);
    if (!failed.isEmpty())
        ShowErrorMessage(responder,
                         EmptiedFoldersTexts::tr("These folders could not be removed (not empty "
                                                 "any more, or replaced since):\n%1")
                             .arg(failed.join(QLatin1Char('\n'))));
    return removed;
}

int EmptiedFolders::offerAfter(const QList<DeleteTarget>& gone, MessageResponder& responder)
{
    EmptiedFolders folders;
    folders.addGone(gone);
    return folders.offer(responder);
}

} // namespace rw
