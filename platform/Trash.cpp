#include "platform/Trash.h"

#include "platform/AtomicFileWrite.h"

#include "platform/TrashInfo.h"
#include "platform/TrashLocation.h"

#include <QCoreApplication>
#include <QList>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

namespace
{
// The messages of this file, translated as one context.
struct TrashTexts {
    Q_DECLARE_TR_FUNCTIONS(TrashTexts)
};
} // namespace

namespace
{

using Result = SafeFolder::Result;

constexpr qsizetype kNameMax = 255;
constexpr int kMaxNameAttempts = 10000;
constexpr int kMaxSizeDepth = 512;
constexpr qsizetype kMaxInfoBytes = 64 * 1024;
constexpr qsizetype kMaxSizesBytes = 16 * 1024 * 1024;
const QByteArray kInfoSuffix = QByteArrayLiteral(".trashinfo");

QString shown(const QByteArray& path)
{
    return QString::fromLocal8Bit(path);
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray childPath(const QByteArray& folder, const char* name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// "name" for the first attempt, then "name.2", "name.3"…; a long name is
// cut (at a UTF-8 character boundary) so that the info file name still fits.
QByteArray candidateName(const char* name, int attempt)
{
    QByteArray base(name);
    const QByteArray suffix = attempt == 1 ? QByteArray() : '.' + QByteArray::number(attempt);
    const qsizetype room = kNameMax - suffix.size() - kInfoSuffix.size();
    if (base.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80)
            --cut;
        base.truncate(cut);
    }
    return base + suffix;
}

// At most `limit` bytes of the file `name` of `folderFd` (link not
// followed); empty when it cannot be read.
QByteArray readSmall(int folderFd, const char* name, qsizetype limit)
{
    FileDescriptor fd(::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    QByteArray out;
    if (!fd.isValid())
        return out;
    char chunk[8192];
    while (out.size() < limit) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        out.append(chunk, n);
    }
    return out;
}

// The total size of the regular files below the folder `name` of
// `parentFd`, read through descriptors that never follow a link.
std::int64_t folderSize(int parentFd, const char* name, int depth)
{
    DirListing list;
    if (depth > kMaxSizeDepth || !list.open(parentFd, name, false) || !list.readAll())
        return 0;
    std::int64_t total = 0;
    std::size_t cursor = 0;
    DirEntry entry;
    while (list.next(cursor, &entry)) {
        FileStatus st;
        if (!list.status(entry.name.data(), &st))
            continue;
        if (S_ISREG(st.mode))
            total += st.size;
        else if (S_ISDIR(st.mode))
            total += folderSize(list.fd(), entry.name.data(), depth + 1);
    }
    return total;
}

// Adds the folder `name` (now in files/) to the trash's directorysizes
// cache. The file is replaced whole (temporary file + rename inside the
// trash folder) so a reader never sees half a line; lines of folders no
// longer in the trash are dropped on the way. A failure here loses only a
// cache line, so it is not reported.
void recordFolderSize(const TrashLocation& where, const QByteArray& name, std::int64_t infoMtime)
{
    static std::atomic<unsigned> counter{0};
    const int trashFd = where.trash().fd();
    const std::int64_t size = folderSize(where.files().fd(), name.constData(), 0);
    QByteArray out;
    for (const QByteArray& line :
         readSmall(trashFd, "directorysizes", kMaxSizesBytes).split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        QByteArray entry;
        FileStatus st;
        if (fields.size() != 3 || !TrashInfo::decodePath(fields[2], &entry) || entry == name ||
            !SafeFolder::isEntryName(entry.constData()) ||
            !where.files().status(entry.constData(), &st))
            continue;
        out += line + '\n';
    }
    out += QByteArray::number(size) + ' ' + QByteArray::number(infoMtime) + ' ' +
           TrashInfo::encodePath(name) + '\n';
    const QByteArray temp = ".directorysizes." + QByteArray::number(::getpid()) + '.' +
                            QByteArray::number(counter.fetch_add(1));
    FileDescriptor fd(::openat(trashFd, temp.constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.isValid())
        return;
    const bool written = AtomicFileWrite::writeAll(fd.get(), out);
    fd.reset();
    if (!written || ::renameat(trashFd, temp.constData(), trashFd, "directorysizes") != 0)
        ::unlinkat(trashFd, temp.constData(), 0);
}

bool sameObject(const FileStatus& a, const FileStatus& b)
{
    return a.dev == b.dev && a.ino == b.ino &&
           FileIdentity::typeOfMode(a.mode) == FileIdentity::typeOfMode(b.mode);
}

} // namespace

QByteArray Trash::homeTrashPath()
{
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (!data.startsWith('/')) {
        // A relative XDG_DATA_HOME is invalid and ignored (XDG base folders).
        const QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/'))
            return QByteArray();
        data = home + "/.local/share";
    }
    while (data.size() > 1 && data.endsWith('/'))
        data.chop(1);
    return data == "/" ? QByteArrayLiteral("/Trash") : data + "/Trash";
}

SafeFolder::Result Trash::moveToTrash(const SafeFolder& folder, const char* name,
                                      const FileIdentity& expected, QString* errorText)
{
    const auto fail = [errorText](Result result, const QString& text) {
        if (errorText)
            *errorText = text;
        return result;
    };
    if (!folder.isOpen() || !SafeFolder::isEntryName(name))
        return fail(Result::Failed, TrashTexts::tr("Nothing was moved to the trash: \"%1\" is not "
                                                   "an entry of an open folder.")
                                        .arg(shown(name ? QByteArray(name) : QByteArray())));
    const QByteArray original = childPath(folder.path(), name);
    FileStatus before;
    switch (folder.check(name, expected, &before)) {
    case Result::Done:
        break;
    case Result::Missing:
        return fail(
            Result::Missing,
            TrashTexts::tr("%1 is gone; nothing was moved to the trash.").arg(shown(original)));
    case Result::Replaced:
        return fail(Result::Replaced,
                    TrashTexts::tr("%1 is no longer the file that was scanned; it was left where "
                                   "it is.")
                        .arg(shown(original)));
    case Result::Failed:
        return fail(
            Result::Failed,
            TrashTexts::tr("%1 cannot be read: %2.").arg(shown(original), reason(folder.error())));
    }
    FileStatus folderStatus;
    if (folder.selfStatus(&folderStatus) && folderStatus.dev != before.dev)
        return fail(Result::Failed, TrashTexts::tr("%1 is the mount point of another file system; "
                                                   "it was not moved to the trash.")
                                        .arg(shown(original)));

    TrashLocation where;
    QString why;
    if (!where.openFor(folder, before, &why))
        return fail(Result::Failed, why);
    const QByteArray content = TrashInfo::format(TrashInfo::encodePath(where.infoPathOf(original)),
                                                 TrashInfo::deletionDate(std::time(nullptr)));

    for (int attempt = 1; attempt <= kMaxNameAttempts; ++attempt) {
        const QByteArray unique = candidateName(name, attempt);
        const QByteArray infoName = unique + kInfoSuffix;
        // An entry of files/ without info (left by someone else) keeps its
        // name too.
        FileStatus taken;
        if (where.files().status(unique.constData(), &taken))
            continue;
        FileDescriptor info(::openat(where.info().fd(), infoName.constData(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!info.isValid()) {
            if (errno == EEXIST)
                continue;
            return fail(Result::Failed,
                        TrashTexts::tr("The trash information file cannot be made in %1: %2.")
                            .arg(shown(where.info().path()), reason(errno)));
        }
        struct stat infoStatus;
        if (!AtomicFileWrite::writeAll(info.get(), content) ||
            ::fstat(info.get(), &infoStatus) != 0) {
            const int error = errno;
            ::unlinkat(where.info().fd(), infoName.constData(), 0);
            return fail(Result::Failed,
                        TrashTexts::tr("The trash information file cannot be written in %1: %2.")
                            .arg(shown(where.info().path()), reason(error)));
        }
        info.reset();

        if (!SafeFolder::renameNoReplace(folder.fd(), name, where.files().fd(),
                                         unique.constData())) {
            const int error = errno;
            ::unlinkat(where.info().fd(), infoName.constData(), 0);
            if (error == EEXIST)
                continue;
            if (error == ENOENT)
                return fail(Result::Missing,
                            TrashTexts::tr("%1 is gone; nothing was moved to the trash.")
                                .arg(shown(original)));
            if (error == EXDEV)
                return fail(Result::Failed,
                            TrashTexts::tr("%1 is on another file system than its trash %2; it "
                                           "was not moved (a trash never copies).")
                                .arg(shown(original), shown(where.trash().path())));
            return fail(Result::Failed, TrashTexts::tr("%1 cannot be moved to the trash: %2.")
                                            .arg(shown(original), reason(error)));
        }

        // The name may have been given to another object between the check
        // and the move; then that object goes back where it came from.
        FileStatus moved;
        if (!where.files().status(unique.constData(), &moved) || !sameObject(moved, before)) {
            if (SafeFolder::renameNoReplace(where.files().fd(), unique.constData(), folder.fd(),
                                            name)) {
                ::unlinkat(where.info().fd(), infoName.constData(), 0);
                return fail(Result::Replaced,
                            TrashTexts::tr("%1 was swapped for another file while it was moved "
                                           "to the trash; that file was put back.")
                                .arg(shown(original)));
            }
            return fail(Result::Replaced,
                        TrashTexts::tr("%1 was swapped for another file while it was moved to "
                                       "the trash; that file is in the trash as %2 and can be "
                                       "restored from there.")
                            .arg(shown(original),
                                 shown(childPath(where.files().path(), unique.constData()))));
        }
        if (S_ISDIR(moved.mode))
            recordFolderSize(where, unique, infoStatus.st_mtim.tv_sec);
        if (errorText)
            errorText->clear();
        return Result::Done;
    }
    return fail(Result::Failed, TrashTexts::tr("No free name for %1 is left in the trash %2.")
                                    .arg(shown(original), shown(where.trash().path())));
}

bool Trash::readInfo(const QByteArray& infoPath, QByteArray* originalPath, QString* deletionDate)
{
    FileDescriptor fd(::open(infoPath.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.isValid())
        return false;
    QByteArray text;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || text.size() > kMaxInfoBytes)
            return false;
        if (n == 0)
            break;
        text.append(chunk, n);
    }
    QByteArray encoded, date, path;
    if (!TrashInfo::parse(text, &encoded, &date) || !TrashInfo::decodePath(encoded, &path))
        return false;
    if (!path.startsWith('/')) {
        // infoPath is <trash>/info/<name>.trashinfo.
        const qsizetype infoSlash = infoPath.lastIndexOf('/');
        const qsizetype trashSlash = infoSlash > 0 ? infoPath.lastIndexOf('/', infoSlash - 1) : -1;
        if (trashSlash < 0 || infoPath.mid(trashSlash + 1, infoSlash - trashSlash - 1) != "info")
            return false;
        const QByteArray top = TrashLocation::topDirOfTrash(infoPath.left(trashSlash));
        if (top.isEmpty())
            return false;
        path = childPath(top, path.constData());
    }
    if (originalPath)
        *originalPath = path;
    if (deletionDate)
        *deletionDate = QString::fromLatin1(date);
    return true;
}

bool Trash::restore(const QByteArray& trashFolder, const QByteArray& trashedName)
{
    if (!SafeFolder::isEntryName(trashedName.constData()))
        return false;
    // The home trash may lie behind a link of the user's own configuration
    // (as when it is chosen); any other trash is opened as named.
    TrashLocation where;
    const bool home = trashFolder == homeTrashPath();
    if (!where.openExisting(home ? TrashLocation::resolvedHomeTrash() : trashFolder))
        return false;
    const QByteArray infoName = trashedName + kInfoSuffix;
    QByteArray original;
    if (!readInfo(childPath(where.info().path(), infoName.constData()), &original, nullptr))
        return false;
    const qsizetype slash = original.lastIndexOf('/');
    const QByteArray base = original.mid(slash + 1);
    SafeFolder target;
    if (!SafeFolder::isEntryName(base.constData()) ||
        !target.open(slash == 0 ? QByteArrayLiteral("/") : original.left(slash)))
        return false;
    if (!SafeFolder::renameNoReplace(where.files().fd(), trashedName.constData(), target.fd(),
                                     base.constData()))
        return false;
    ::unlinkat(where.info().fd(), infoName.constData(), 0);
    return true;
}

} // namespace rw
