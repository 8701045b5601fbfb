#pragma once

// A file system mounted for the length of one test, inside the test's own
// temporary folder: a fresh tmpfs, or a bind mount of a folder. The tests
// run as root in a container that may or may not allow mounting; ok() says
// whether it worked and reason() why not, for GTEST_SKIP.

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

namespace rwtest
{

class TestMount
{
public:
    // A tmpfs at `where` (an existing folder); `flags` e.g. MS_RDONLY.
    static TestMount tmpfs(const QByteArray& where, unsigned long flags = 0)
    {
        return TestMount("tmpfs", where, "tmpfs", flags, "size=16m,mode=0755");
    }
    // The folder `from` mounted again at `where`.
    static TestMount bind(const QByteArray& from, const QByteArray& where)
    {
        return TestMount(from, where, nullptr, MS_BIND, nullptr);
    }

    TestMount(TestMount&& other) noexcept
        : m_where(other.m_where), m_ok(other.m_ok), m_reason(other.m_reason)
    {
        other.m_ok = false;
    }
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;
    ~TestMount()
    {
        if (m_ok)
            ::umount2(m_where.constData(), MNT_DETACH);
    }

    bool ok() const { return m_ok; }
    const QString& reason() const { return m_reason; }

private:
    TestMount(const QByteArray& source, const QByteArray& where, const char* type,
              unsigned long flags, const char* options)
        : m_where(where)
    {
        m_ok = ::mount(source.constData(), where.constData(), type, flags, options) == 0;
        if (m_ok && (flags & MS_BIND) && (flags & MS_RDONLY))
            m_ok = ::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                           nullptr) == 0;
        if (!m_ok)
            m_reason = QStringLiteral("cannot mount a test file system at %1: %2")
                           .arg(QString::fromLocal8Bit(where),
                                QString::fromLocal8Bit(std::strerror(errno)));
    }

    QByteArray m_where;
    bool m_ok = false;
    QString m_reason;
};

} // namespace rwtest
