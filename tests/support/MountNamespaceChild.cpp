#include "tests/support/MountNamespaceChild.h"

#include "platform/AtomicFileWrite.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/DirListing.h"

namespace rwtest
{

namespace
{

// What the child writes first: its answer follows, or the reason it could
// not run.
constexpr char kRan = 'R';
constexpr char kRefused = 'S';

bool putProcFile(const char* file, const QByteArray& text)
{
    QFile f(QString::fromLatin1(file));
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// In the child: a mount namespace of its own, and every mount in it private
// so nothing done here reaches the parent's namespace. Empty when it
// worked, else why not.
QByteArray enterPrivateMounts()
{
    if (::unshare(CLONE_NEWNS) != 0) {
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return "no mount namespace: " + QByteArray(std::strerror(errno));
        putProcFile("/proc/self/setgroups", "deny");
        if (!putProcFile("/proc/self/uid_map",
                         QByteArray::number(uid) + " " + QByteArray::number(uid) + " 1") ||
            !putProcFile("/proc/self/gid_map",
                         QByteArray::number(gid) + " " + QByteArray::number(gid) + " 1"))
            return "no id map in the user namespace";
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return "mounts cannot be made private: " + QByteArray(std::strerror(errno));
    return QByteArray();
}

} // namespace

MountNamespaceChild::MountNamespaceChild(const std::vector<Bind>& binds,
                                         const std::function<QByteArray()>& work)
{
    int fds[2];
    if (::pipe(fds) != 0) {
        m_skipReason =
            QStringLiteral("no pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    rw::FileDescriptor readEnd(fds[0]);
    rw::FileDescriptor writeEnd(fds[1]);
    const pid_t pid = ::fork();
    if (pid < 0) {
        m_skipReason =
            QStringLiteral("no fork: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (pid == 0) {
        readEnd.reset();
        QByteArray refused = enterPrivateMounts();
        for (const Bind& b : binds) {
            if (!refused.isEmpty())
                break;
            if (::mount(b.from.constData(), b.to.constData(), nullptr, MS_BIND, nullptr) != 0)
                refused = "bind mount refused: " + QByteArray(std::strerror(errno));
        }
        const QByteArray out = refused.isEmpty() ? kRan + work() : kRefused + refused;
        ::_exit(rw::AtomicFileWrite::writeAll(writeEnd.get(), out) ? 0 : 1);
    }
    writeEnd.reset();
    QByteArray result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(readEnd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.append(buffer, n);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (result.startsWith(kRan)) {
        m_ran = true;
        m_answer = result.mid(1);
    } else if (result.startsWith(kRefused)) {
        m_skipReason = QString::fromLocal8Bit(result.mid(1));
    } else {
        // A child that died is a failure of the test, not a refusal: the
        // answer says so and matches nothing a test expects.
        m_ran = true;
        m_answer = "the child ended without an answer, status " + QByteArray::number(status);
    }
}

} // namespace rwtest
