#include "tests/support/ReflinkFileSystem.h"

#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace rwtest
{

namespace
{

QString findFormatter(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(
                                 name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                           : found;
}

bool runFormatter(const QString& program, const QStringList& args, QString* why)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *why = QStringLiteral("%1 failed: %2")
                   .arg(program, QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

} // namespace

ReflinkFileSystem::ReflinkFileSystem(const QByteArray& image) : m_image(image)
{
    const int fd = ::open(image.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::ftruncate(fd, 320ll << 20) != 0) {
        m_skipReason = QStringLiteral("cannot make an image file: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (fd >= 0)
            ::close(fd);
        return;
    }
    ::close(fd);
    const QString path = QString::fromLocal8Bit(image);
    QString why;
    const QString btrfs = findFormatter(QStringLiteral("mkfs.btrfs"));
    if (!btrfs.isEmpty() &&
        runFormatter(btrfs, {QStringLiteral("-q"), QStringLiteral("-f"), path}, &why)) {
        m_type = "btrfs";
        m_made = true;
        return;
    }
    const QString xfs = findFormatter(QStringLiteral("mkfs.xfs"));
    if (!xfs.isEmpty() && runFormatter(xfs,
                                       {QStringLiteral("-q"), QStringLiteral("-f"),
                                        QStringLiteral("-m"), QStringLiteral("reflink=1"), path},
                                       &why)) {
        m_type = "xfs";
        m_made = true;
        return;
    }
    m_skipReason = why.isEmpty() ? QStringLiteral("neither mkfs.btrfs (btrfs-progs) nor mkfs.xfs "
                                                  "(xfsprogs) is installed")
                                 : why;
}

QByteArray ReflinkFileSystem::mountAt(const QByteArray& where) const
{
    if (!m_made)
        return "no image";
    const int control = ::open("/dev/loop-control", O_RDWR | O_CLOEXEC);
    if (control < 0)
        return "no loop devices: " + QByteArray(std::strerror(errno));
    const int number = ::ioctl(control, LOOP_CTL_GET_FREE);
    ::close(control);
    if (number < 0)
        return "no free loop device: " + QByteArray(std::strerror(errno));
    const QByteArray device = "/dev/loop" + QByteArray::number(number);
    const int loop = ::open(device.constData(), O_RDWR | O_CLOEXEC);
    const int backing = ::open(m_image.constData(), O_RDWR | O_CLOEXEC);
    if (loop < 0 || backing < 0) {
        const QByteArray why = "cannot open " + device + ": " + std::strerror(errno);
        if (loop >= 0)
            ::close(loop);
        if (backing >= 0)
            ::close(backing);
        return why;
    }
    struct loop_config config;
    std::memset(&config, 0, sizeof config);
    config.fd = unsigned(backing);
    config.info.lo_flags = LO_FLAGS_AUTOCLEAR;
    const bool attached = ::ioctl(loop, LOOP_CONFIGURE, &config) == 0;
    const int attachError = errno;
    ::close(backing);
    if (!attached) {
        ::close(loop);
        return "loop device refused: " + QByteArray(std::strerror(attachError));
    }
    const bool mounted =
        ::mount(device.constData(), where.constData(), m_type.constData(), 0, nullptr) == 0;
    const int mountError = errno;
    // Closed only now: with autoclear the device lets go of the image when
    // the last user (the mount) goes.
    ::close(loop);
    if (!mounted)
        return "mounting " + m_type + " refused: " + QByteArray(std::strerror(mountError));
    return QByteArray();
}

} // namespace rwtest
