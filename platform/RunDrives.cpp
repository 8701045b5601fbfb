#include "platform/RunDrives.h"

#include "platform/DisplayName.h"
#include "platform/Drives.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace rw
{

namespace
{
// The messages of this file, translated as one context.
struct RunDrivesTexts {
    Q_DECLARE_TR_FUNCTIONS(RunDrivesTexts)
};
} // namespace

namespace
{

QMutex g_mutex;
QList<RunDrives::Entry> g_entries;

QByteArray workingFolder()
{
    QByteArray buffer(4096, '\0');
    while (!::getcwd(buffer.data(), size_t(buffer.size()))) {
        if (errno != ERANGE)
            return QByteArrayLiteral("/");
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.constData());
}

// Absolute and cleaned, on the bytes alone: Latin-1 maps every byte to one
// character and back, and '/' and '.' are the same byte either way.
QByteArray absoluteFolder(const QByteArray& folder)
{
    const QByteArray full = folder.startsWith('/') ? folder : workingFolder() + '/' + folder;
    QString clean = QDir::cleanPath(QString::fromLatin1(full));
    if (clean.isEmpty())
        clean = QStringLiteral("/");
    return clean.toLatin1();
}

RunDrives::Outcome checkFolder(const QByteArray& path)
{
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return errno == EACCES ? RunDrives::Outcome::NotReadable : RunDrives::Outcome::Missing;
    if (!S_ISDIR(st.st_mode))
        return RunDrives::Outcome::NotAFolder;
    // Listing needs both: reading the entries and reaching them.
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return RunDrives::Outcome::NotReadable;
    ::close(fd);
    if (::access(path.constData(), X_OK) != 0)
        return RunDrives::Outcome::NotReadable;
    return RunDrives::Outcome::Added;
}

} // namespace

RunDrives::Outcome RunDrives::add(const QByteArray& folder, QChar* letter)
{
    const QByteArray path = absoluteFolder(folder);
    const Outcome check = checkFolder(path);
    if (check != Outcome::Added)
        return check;
    // The drive table is read outside the lock: it reads the settings file.
    const QList<DriveInfo> drives = driveList();
    for (const DriveInfo& d : drives) {
        // The root of the whole system is drive C: already; a folder mounted
        // or mapped is its own drive.
        if (d.rootPath() == path) {
            if (letter)
                *letter = d.letter;
            return Outcome::AlreadyThere;
        }
    }
    QSet<QChar> used;
    for (const DriveInfo& d : drives)
        used.insert(d.letter);
    QMutexLocker lock(&g_mutex);
    for (const Entry& e : std::as_const(g_entries)) {
        used.insert(e.letter);
        if (e.folder == path) {
            if (letter)
                *letter = e.letter;
            return Outcome::AlreadyThere;
        }
    }
    // A and B were the floppy letters; a folder takes a hard-disk letter.
    for (char c = 'C'; c <= 'Z'; ++c) {
        if (!used.contains(QChar(c))) {
            g_entries.append({QChar(c), path, false});
            if (letter)
                *letter = QChar(c);
            return Outcome::Added;
        }
    }
    return Outcome::NoFreeLetter;
}

bool RunDrives::remove(QChar letter)
{
    QMutexLocker lock(&g_mutex);
    const QChar up = letter.toUpper();
    for (qsizetype i = 0; i < g_entries.size(); ++i) {
        if (g_entries[i].letter == up && !g_entries[i].kept) {
            g_entries.removeAt(i);
            return true;
        }
    }
    return false;
}

void RunDrives::markKept(QChar letter)
{
    QMutexLocker lock(&g_mutex);
    for (Entry& e : g_entries)
        if (e.letter == letter.toUpper())
            e.kept = true;
}

QList<RunDrives::Entry> RunDrives::entries()
{
    QMutexLocker lock(&g_mutex);
    return g_entries;
}

bool RunDrives::isRunOnly(QChar letter)
{
    QMutexLocker lock(&g_mutex);
    for (const Entry& e : std::as_const(g_entries))
        if (e.letter == letter.toUpper())
            return !e.kept;
    return false;
}

void RunDrives::clear()
{
    QMutexLocker lock(&g_mutex);
    g_entries.clear();
}

QString RunDrives::refusalText(Outcome outcome, const QByteArray& folder)
{
    const QString name = displayName(folder);
    switch (outcome) {
    case Outcome::Added:
    case Outcome::AlreadyThere:
        return QString();
    case Outcome::Missing:
        return RunDrivesTexts::tr("%1 does not exist.").arg(name);
    case Outcome::NotAFolder:
        return RunDrivesTexts::tr("%1 is not a folder.").arg(name);
    case Outcome::NotReadable:
        return RunDrivesTexts::tr("The folder %1 cannot be read.").arg(name);
    case Outcome::NoFreeLetter:
        return RunDrivesTexts::tr("No drive letter is free for %1.").arg(name);
    }
    return QString();
}

} // namespace rw
