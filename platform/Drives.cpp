#include "platform/Drives.h"

#include "platform/DisplayName.h"
#include "platform/ProfileFile.h"
#include "platform/RunDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <mntent.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>

namespace rw
{

namespace
{

// File systems that hold no user files: never offered as drives.
bool isPseudoFileSystem(const QString& type)
{
    static const QSet<QString> pseudo = {
        "proc",        "sysfs",      "tmpfs",           "devtmpfs",    "devpts",     "cgroup",
        "cgroup2",     "squashfs",   "autofs",          "mqueue",      "hugetlbfs",  "debugfs",
        "tracefs",     "securityfs", "pstore",          "bpf",         "configfs",   "fusectl",
        "binfmt_misc", "nsfs",       "ramfs",           "efivarfs",    "rpc_pipefs", "nfsd",
        "selinuxfs",   "overlay",    "fuse.gvfsd-fuse", "fuse.portal", "none"};
    return pseudo.contains(type);
}

QString normalizedRoot(QString root)
{
    root = QDir::cleanPath(root);
    return root.isEmpty() ? QStringLiteral("/") : root;
}

QList<QString> mountedRoots()
{
    QList<QString> roots;
    FILE* f = setmntent("/proc/self/mounts", "r");
    if (!f)
        return roots;
    mntent entry;
    char buffer[4096];
    QSet<QString> seen;
    while (getmntent_r(f, &entry, buffer, sizeof buffer)) {
        const QString dir = QFile::decodeName(entry.mnt_dir);
        if (dir == QLatin1String("/") || isPseudoFileSystem(QString::fromLatin1(entry.mnt_type)))
            continue;
        // Containers bind single files (/etc/hosts); only folders are drives.
        if (seen.contains(dir) || !QFileInfo(dir).isDir())
            continue;
        seen.insert(dir);
        roots << dir;
    }
    endmntent(f);
    std::sort(roots.begin(), roots.end());
    return roots;
}

} // namespace

QString DriveInfo::entryText() const
{
    return QString(letter.toLower()) + QStringLiteral(": [") + root + ']';
}

QByteArray DriveInfo::rootPath() const
{
    return rootBytes.isEmpty() ? QFile::encodeName(root) : rootBytes;
}

QList<DriveInfo> driveList()
{
    QList<DriveInfo> drives;
    drives.append({QChar('C'), QStringLiteral("/")});
    char next = 'D';
    for (const QString& root : mountedRoots()) {
        if (next > 'Z')
            break;
        drives.append({QChar(next++), root});
    }
    // The [Drives] section adds or replaces letters, like a substituted drive.
    ProfileFile ini(QStringLiteral("roomwse.ini"));
    QSet<QChar> mapped;
    for (const auto& [key, folder] : ini.readSection(QStringLiteral("Drives"))) {
        if (key.size() != 1 || !key[0].isLetter() || key[0].unicode() > 127)
            continue;
        // Only absolute folders: a relative one would move with the current
        // folder and make every path test on the drive meaningless.
        if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
            continue;
        const QChar letter = key[0].toUpper();
        // A key given twice: the first one counts, as for every profile read.
        if (mapped.contains(letter))
            continue;
        mapped.insert(letter);
        DriveInfo d{letter, normalizedRoot(folder)};
        auto it = std::find_if(drives.begin(), drives.end(),
                               [&](const DriveInfo& x) { return x.letter == letter; });
        if (it != drives.end())
            *it = d;
        else
            drives.append(d);
    }
    // Folders of this run: their letter was free when they came; should the
    // settings have mapped it since, the folder chosen for this run wins.
    for (const RunDrives::Entry& e : RunDrives::entries()) {
        if (e.kept)
            continue;
        DriveInfo d{e.letter, displayName(e.folder), e.folder};
        auto it = std::find_if(drives.begin(), drives.end(),
                               [&](const DriveInfo& x) { return x.letter == e.letter; });
        if (it != drives.end())
            *it = d;
        else
            drives.append(d);
    }
    std::sort(drives.begin(), drives.end(),
              [](const DriveInfo& a, const DriveInfo& b) { return a.letter < b.letter; });
    return drives;
}

bool findDrive(QChar letter, DriveInfo* out)
{
    const QChar up = letter.toUpper();
    for (const DriveInfo& d : driveList()) {
        if (d.letter == up) {
            if (out)
                *out = d;
            return true;
        }
    }
    return false;
}

bool driveOfPath(const QString& path, DriveInfo* out)
{
    const QString p = QDir::cleanPath(path);
    int bestLen = -1;
    DriveInfo best;
    for (const DriveInfo& d : driveList()) {
        const bool under =
            d.root == QLatin1String("/") || p == d.root || p.startsWith(d.root + '/');
        if (under && d.root.size() > bestLen) {
            bestLen = int(d.root.size());
            best = d;
        }
    }
    if (bestLen < 0)
        return false;
    if (out)
        *out = best;
    return true;
}

DriveInfo currentDrive()
{
    DriveInfo d{QChar('C'), QStringLiteral("/")};
    driveOfPath(QDir::currentPath(), &d);
    return d;
}

bool pathGeometry(const QString& path, DriveGeometry* out)
{
    return pathGeometryBytes(QFile::encodeName(path), out);
}

bool pathGeometryBytes(const QByteArray& path, DriveGeometry* out)
{
    struct statvfs s;
    if (::statvfs(path.constData(), &s) != 0)
        return false;
    if (out) {
        out->clusterSize = std::int64_t(s.f_frsize ? s.f_frsize : s.f_bsize);
        out->totalClusters = std::int64_t(s.f_blocks);
        out->freeClusters = std::int64_t(s.f_bavail);
    }
    return true;
}

bool driveGeometry(QChar letter, DriveGeometry* out)
{
    DriveInfo d;
    if (!findDrive(letter, &d))
        return false;
    return pathGeometryBytes(d.rootPath(), out);
}

bool DriveValid(QChar letter)
{
    const QChar up = letter.toUpper();
    if (up < QChar('A') || up > QChar('Z'))
        throw std::invalid_argument("Not a valid drive ID");
    DriveInfo d;
    if (!findDrive(up, &d))
        return false;
    // A letter mapped to a plain file answers statvfs too, but holds no folders.
    const QByteArray root = d.rootPath();
    struct stat st;
    return pathGeometryBytes(root, nullptr) && ::stat(root.constData(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

} // namespace rw
