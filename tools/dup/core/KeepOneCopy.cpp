#include "tools/dup/core/KeepOneCopy.h"

#include "tools/dup/core/ContentDupFinder.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include "framework/core/ResultSet.h"
#include "platform/DirListing.h"
#include "platform/ReadOnlyOpen.h"
#include "platform/SafeFolder.h"

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
    std::vector<Member> members;
    for (std::size_t i = 0; i < groups.rows.size(); ++i) {
        const std::uint32_t rec = groups.rows[i];
        const ResultRecord& r = set.record(rec);
        const ResultSet::Folder& folder = set.folder(r.folder);
        const std::string_view name = set.name(rec);
        Member m;
        m.target.folder = folder.path;
        m.target.folderIdentity = folder.identity;
        m.target.name = QByteArray(name.data(), qsizetype(name.size()));
        m.target.identity = set.identity(rec);
        m.target.shown = set.pathText(rec);
        m.leaving = r.has(ResultRecord::Marked);
        members.push_back(std::move(m));
        if (i + 1 == groups.rows.size() || groups.rowGroup[i + 1] != groups.rowGroup[i])
            out.addGroup(std::exchange(members, {}));
    }
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
    return QStringLiteral("These files were left alone: no other copy with the same contents "
                          "stays, so deleting them would lose the contents:");
}

bool KeepOneCopy::sameContents(int fdA, int fdB)
{
    std::unique_ptr<char[]> a(new char[kBlock]);
    std::unique_ptr<char[]> b(new char[kBlock]);
    for (std::int64_t offset = 0;; offset += std::int64_t(kBlock)) {
        std::size_t gotA = 0;
        std::size_t gotB = 0;
        if (!readFullyAt(fdA, a.get(), kBlock, offset, &gotA) ||
            !readFullyAt(fdB, b.get(), kBlock, offset, &gotB))
            return false;
        if (gotA != gotB || std::memcmp(a.get(), b.get(), gotA) != 0)
            return false;
        if (gotA < kBlock)
            return true;
    }
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
