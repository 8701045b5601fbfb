#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace rwtest
{

// Runs a piece of a test in a forked child that has a mount namespace of
// its own (made with root's right, or else in an unprivileged user
// namespace): the bind mounts it makes vanish with it, and the machine's
// mounts (and the test process) stay as they were. The child mounts each
// `from` folder again at its `to` folder, runs `work` and hands back the
// bytes it returns. Where the machine refuses a namespace or a bind mount,
// ran() is false and skipReason() says why, for GTEST_SKIP. The child ends
// with _exit, so `work` must hand back all it found in its answer; a child
// that dies without one gives an answer that says so.
class MountNamespaceChild
{
public:
    struct Bind {
        QByteArray from;
        QByteArray to;
    };

    MountNamespaceChild(const std::vector<Bind>& binds, const std::function<QByteArray()>& work);

    bool ran() const { return m_ran; }
    const QByteArray& answer() const { return m_answer; }
    const QString& skipReason() const { return m_skipReason; }

private:
    bool m_ran = false;
    QByteArray m_answer;
    QString m_skipReason;
};

} // namespace rwtest
