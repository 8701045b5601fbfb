#include "tools/dup/core/KeepOneCopy.h"

#include "tools/dup/core/ContentDupFinder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include "base/ZeroBytes.h"
#include "framework/core/ResultSet.h"
#include "platform/DataExtents.h"
#include "platform/DirListing.h"
#include "platform/ReadOnlyOpen.h"
#include "platform/SafeFolder.h"

#include <QCoreApplication>

namespace rw
{

namespace
{

constexpr std::size_t kBlock = 1 << 20;

// Opens `name` of the folder descriptor for reading: never a link, never a
// FIFO that would block, and only the object `expected` names. An invalid
// descriptor otherwise.
FileDescriptor openExpected(int folderFd, const QByteArray& name, const FileIdentity& expected,
                            FileStatus* st)
{
    FileDescriptor fd = openRegularFileAt(folderFd, name.constData());
    if (!fd.isValid() || !entryStatus(fd.get(), "", st) ||
        (expected.isKnown() && (st->dev != expected.dev || st->ino != expected.ino)))
        return FileDescriptor();
    return fd;
}

} // namespace

KeepOneCopy KeepOneCopy::fromGroups(const ResultSet& set, const ContentGroups& groups)
{
    KeepOneCopy out;
    for (std::vector<Member>& members : groupMembers(set, groups))
        out.addGroup(std::move(members));
    return out;
}

void KeepOneCopy::addGroup(std::vector<Member> members)
{
    const int g = int(m_groups.size());
    for (const Member& m : members)
        m_groupOfPath.insert(m.target.pathBytes(), g);
    m_groups.push_back(std::move(members));
}

QString KeepOneCopy::keptNotice()
{
    return QCoreApplication::translate(
        "KeepOneCopy", "These files were left alone: no other copy with the same contents "
                       "stays, so deleting them would lose the contents:");
}

bool KeepOneCopy::sameContents(int fdA, int fdB)
{
    FileStatus a;
    FileStatus b;
    if (!entryStatus(fdA, "", &a) || !entryStatus(fdB, "", &b) || a.size != b.size)
        return false;
    const std::int64_t size = a.size;
    DataExtents dataA(fdA, size);
    DataExtents dataB(fdB, size);
    std::unique_ptr<char[]> bufA(new char[kBlock]);
    std::unique_ptr<char[]> bufB(new char[kBlock]);
    // Reads [pos, pos + n) of one file; false when it came short.
    const auto read = [](int fd, char* into, std::int64_t n, std::int64_t pos) {
        std::size_t got = 0;
        return readFullyAt(fd, into, std::size_t(n), pos, &got) && got == std::size_t(n);
    };
    std::int64_t pos = 0;
    while (pos < size) {
        // Where each file next holds data; a hole in both is skipped unread.
        std::int64_t startA = size;
        std::int64_t endA = size;
        std::int64_t startB = size;
        std::int64_t endB = size;
        dataA.next(pos, &startA, &endA);
        dataB.next(pos, &startB, &endB);
        pos = std::min(startA, startB);
        if (pos >= size)
            break;
        // A range where each file is all data or all hole.
        const bool inA = startA == pos;
        const bool inB = startB == pos;
        const std::int64_t until = std::min(inA ? endA : startA, inB ? endB : startB);
        while (pos < until) {
            const std::int64_t n = std::min<std::int64_t>(std::int64_t(kBlock), until - pos);
            if ((inA && !read(fdA, bufA.get(), n, pos)) || (inB && !read(fdB, bufB.get(), n, pos)))
                return false;
            // Data against a hole is equal only when the data is zeros.
            const bool same = inA && inB ? std::memcmp(bufA.get(), bufB.get(), std::size_t(n)) == 0
                              : inA      ? allZeroBytes(bufA.get(), std::size_t(n))
                                         : allZeroBytes(bufB.get(), std::size_t(n));
            if (!same)
                return false;
            pos += n;
        }
    }
    // A file that changed size while compared is not the copy it was.
    return entryStatus(fdA, "", &a) && entryStatus(fdB, "", &b) && a.size == size && b.size == size;
}

bool KeepOneCopy::mayGo(const SafeFolder& folder, const DeleteTarget& target) const
{
    const QByteArray path = target.pathBytes();
    const auto it = m_groupOfPath.constFind(path);
    if (it == m_groupOfPath.constEnd())
        return false;
    FileStatus st;
    FileDescriptor self = openExpected(folder.fd(), target.name, target.identity, &st);
    FileStatus here;
    if (!self.isValid() || !folder.selfStatus(&here))
        return false;
    for (const Member& m : m_groups[std::size_t(*it)]) {
        if (m.leaving || m.target.pathBytes() == path)
            continue;
        SafeFolder other;
        if (!other.open(m.target.folder, m.target.folderIdentity))
            continue;
        if (other.check(m.target.name.constData(), m.target.identity) != SafeFolder::Result::Done)
            continue;
        // The same directory entry reached through another path (the same
        // folder, by device and inode, under another path text or a bind
        // mount) is the file itself, not a copy.
        FileStatus there;
        if (!other.selfStatus(&there) ||
            (there.dev == here.dev && there.ino == here.ino && m.target.name == target.name))
            continue;
        FileStatus ost;
        FileDescriptor copy = openExpected(other.fd(), m.target.name, m.target.identity, &ost);
        if (!copy.isValid())
            continue;
        if (ost.dev == st.dev && ost.ino == st.ino) {
            // Another entry of the same inode keeps the contents, but only a
            // file with another name has one: with a link count of 1 it is
            // the same entry seen again.
            if (st.nlink > 1)
                return true;
            continue;
        }
        if (ost.size == st.size && sameContents(self.get(), copy.get()))
            return true;
    }
    return false;
}

} // namespace rw
