#include "tools/dup/core/KeepOneFolderCopy.h"

#include <QCoreApplication>

#include <algorithm>
#include <string>
#include <utility>

#include "framework/core/ResultSet.h"
#include "platform/DirListing.h"
#include "platform/ReadOnlyOpen.h"
#include "platform/SafeFolder.h"
#include "tools/dup/core/ContentDupFinder.h"
#include "tools/dup/core/KeepOneCopy.h"

namespace rw
{

namespace
{

// The names of an open folder, sorted by their bytes; false when it cannot
// be read whole.
bool sortedNames(int folderFd, std::vector<std::string>* names)
{
    DirListing listing;
    if (!listing.open(folderFd, ".") || !listing.readAll())
        return false;
    std::size_t cursor = 0;
    DirEntry e;
    while (listing.next(cursor, &e))
        names->emplace_back(e.name);
    std::sort(names->begin(), names->end());
    return true;
}

bool sameTreeBelow(int a, int b, const MountIdentity& mountA, const MountIdentity& mountB,
                   int depthLeft)
{
    std::vector<std::string> namesA;
    std::vector<std::string> namesB;
    if (!sortedNames(a, &namesA) || !sortedNames(b, &namesB) || namesA != namesB)
        return false;
    for (const std::string& name : namesA) {
        FileStatus sa;
        FileStatus sb;
        if (!entryStatus(a, name.c_str(), &sa) || !entryStatus(b, name.c_str(), &sb))
            return false;
        // Links and special files hold nothing the comparison can vouch for.
        constexpr std::uint32_t kinds = faDirectory | faSymLink | faSysFile;
        if ((sa.attributes & kinds) != (sb.attributes & kinds) ||
            (sa.attributes & (faSymLink | faSysFile)))
            return false;
        if (sa.attributes & faDirectory) {
            if (depthLeft <= 0)
                return false;
            FileDescriptor subA = openFolderChecked(a, name.c_str(), sa.dev, sa.ino);
            FileDescriptor subB = openFolderChecked(b, name.c_str(), sb.dev, sb.ino);
            FileStatus ma;
            FileStatus mb;
            // Another file system or a bind mount inside a tree is not part
            // of it: a folder delete leaves it, so it is no copy either.
            if (!subA.isValid() || !subB.isValid() || !folderMountStatus(subA.get(), &ma) ||
                !folderMountStatus(subB.get(), &mb) || !MountIdentity::of(ma).sameMount(mountA) ||
                !MountIdentity::of(mb).sameMount(mountB))
                return false;
            if (!sameTreeBelow(subA.get(), subB.get(), mountA, mountB, depthLeft - 1))
                return false;
            continue;
        }
        if (sa.size != sb.size)
            return false;
        if (sa.dev == sb.dev && sa.ino == sb.ino)
            continue; // one file under both names: the same bytes
        FileDescriptor fileA = openRegularFileAt(a, name.c_str());
        FileDescriptor fileB = openRegularFileAt(b, name.c_str());
        FileStatus oa;
        FileStatus ob;
        if (!fileA.isValid() || !fileB.isValid() || !entryStatus(fileA.get(), "", &oa) ||
            !entryStatus(fileB.get(), "", &ob) || oa.ino != sa.ino || ob.ino != sb.ino ||
            !KeepOneCopy::sameContents(fileA.get(), fileB.get()))
            return false;
    }
    return true;
}

} // namespace

KeepOneFolderCopy KeepOneFolderCopy::fromGroups(const ResultSet& set, const ContentGroups& groups)
{
    KeepOneFolderCopy out;
    for (std::vector<Member>& members : groupMembers(set, groups))
        out.addGroup(std::move(members));
    return out;
}

void KeepOneFolderCopy::addGroup(std::vector<Member> members)
{
    const int g = int(m_groups.size());
    for (const Member& m : members)
        m_groupOfPath.insert(m.target.pathBytes(), g);
    m_groups.push_back(std::move(members));
}

QString KeepOneFolderCopy::keptNotice()
{
    return QCoreApplication::translate(
        "KeepOneFolderCopy", "These folders were left alone: no other folder with the same "
                             "contents stays, so deleting them would lose the contents:");
}

bool KeepOneFolderCopy::sameTree(int folderFdA, int folderFdB, int maxDepth)
{
    FileStatus a;
    FileStatus b;
    if (!folderMountStatus(folderFdA, &a) || !folderMountStatus(folderFdB, &b))
        return false;
    return sameTreeBelow(folderFdA, folderFdB, MountIdentity::of(a), MountIdentity::of(b),
                         maxDepth);
}

bool KeepOneFolderCopy::mayGo(const DeleteTarget& target) const
{
    const QByteArray path = target.pathBytes();
    const auto it = m_groupOfPath.constFind(path);
    if (it == m_groupOfPath.constEnd())
        return false;
    SafeFolder parent;
    SafeFolder self;
    FileStatus here;
    if (!parent.open(target.folder, target.folderIdentity) ||
        !self.openChild(parent, target.name.constData(), target.identity) ||
        !self.selfStatus(&here))
        return false;
    for (const Member& m : m_groups[std::size_t(*it)]) {
        if (m.leaving || m.target.pathBytes() == path)
            continue;
        SafeFolder otherParent;
        SafeFolder other;
        FileStatus there;
        if (!otherParent.open(m.target.folder, m.target.folderIdentity) ||
            !other.openChild(otherParent, m.target.name.constData(), m.target.identity) ||
            !other.selfStatus(&there))
            continue;
        // The folder itself under another path (a bind mount) is no copy.
        if (there.dev == here.dev && there.ino == here.ino)
            continue;
        if (sameTree(self.fd(), other.fd()))
            return true;
    }
    return false;
}

} // namespace rw
