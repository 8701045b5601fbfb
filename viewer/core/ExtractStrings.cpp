#include "viewer/core/ExtractStrings.h"

#include "app/core/Messages.h"
#include "platform/DisplayName.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace rw
{

namespace
{

bool isReadable(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
}

} // namespace

bool ExtractStrings(const QByteArray& source, const QString& target, int minLen, int maxLen)
{
    // Opened by its bytes: a name that is not valid UTF-8 would not survive
    // a trip through QString. Non-blocking, so a FIFO cannot hang the window.
    const int fd = ::open(source.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    QFile in;
    if (fd < 0 || !in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        ShowErrorMessage(QStringLiteral("Could not open file ") + displayName(source));
        return false;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowErrorMessage(QStringLiteral("Could not write file ") + target);
        return false;
    }

    constexpr qint64 kBlock = 2048;
    char block[kBlock];
    QByteArray last; // the line written last
    QByteArray run;
    run.reserve(maxLen + 2);
    bool ok = true;
    for (;;) {
        const qint64 got = in.read(block, kBlock);
        if (got <= 0)
            break;
        run.clear(); // each block starts a run of its own
        for (qint64 i = 0; i < got; ++i) {
            const char c = block[i];
            if (isReadable(c)) {
                if (run.size() <= maxLen)
                    run.append(c);
                continue;
            }
            if (run.size() > minLen && run != last) {
                ok = ok && out.write(run) == run.size() && out.write("\r\n", 2) == 2;
                last = run;
            }
            run.clear();
        }
    }
    ok = ok && out.flush();
    if (!ok)
        ShowErrorMessage(QStringLiteral("Could not write file ") + target);
    return ok;
}

} // namespace rw
