#include "tools/dup/core/KeepOneCopy.h"

#include "tools/dup/core/ContentDupFinder.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/ResultSet.h"
#include "platform/DirListing.h"
#include "platform/SafeFolder.h"

namespace rw
{

namespace
{

constexpr std::size_t kBlock = 1 << 20;

// Opens `name` of the folder descriptor for reading: never a link, never a
// FIFO that would block, and only the object `expected` names. -1 otherwise.
int openExpected(int folderFd, const QByteArray& name, const FileIdentity& expected,
                 struct stat* st)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::openat(folderFd, name.constData(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM)
        fd = ::openat(folderFd, name.constData(), flags);
    if (fd < 0)
        return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode) ||
        (expected.isKnown() && (std::uint64_t(st->st_dev) != expected.dev ||
                                std::uint64_t(st->st_ino) != expected.ino))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool readFull(int fd, char* into, std::size_t n, off_t offset, std::size_t* got)
{
    *got = 0;
    while (*got < n) {
        const ssize_t r = ::pread(fd, into + *got, n - *got, offset + off_t(*got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return false;
        if (r == 0)
            break;
        *got += std::size_t(r);
    }
    return true;
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
    for (off_t offset = 0;; offset += off_t(kBlock)) {
        std::size_t gotA = 0;
        std::size_t gotB = 0;
        if (!readFull(fdA, a.get(), kBlock, offset, &gotA) ||
            !readFull(fdB, b.get(), kBlock, offset, &gotB))
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
    struct stat st {
    };
    FileDescriptor self(openExpected(folder.fd(), target.name, target.identity, &st));
    if (!self.isValid())
        return false;
    for (const Member& m : m_groups[std::size_t(*it)]) {
        if (m.leaving || m.target.pathBytes() == path)
            continue;
        SafeFolder other;
        if (!other.open(m.target.folder, m.target.folderIdentity))
            continue;
        if (other.check(m.target.name.constData(), m.target.identity) != SafeFolder::Result::Done)
            continue;
        struct stat ost {
        };
        FileDescriptor copy(openExpected(other.fd(), m.target.name, m.target.identity, &ost));
        if (!copy.isValid())
            continue;
        // Another name of the same inode: the contents stay through it.
        if (ost.st_dev == st.st_dev && ost.st_ino == st.st_ino)
            return true;
        if (ost.st_size == st.st_size && sameContents(self.get(), copy.get()))
            return true;
    }
    return false;
}

} // namespace rw
