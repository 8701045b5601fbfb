#include "viewer/core/ExtractStrings.h"

#include "app/core/Messages.h"
#include "platform/DisplayName.h"
#include "platform/ReadOnlyOpen.h"

#include <QFile>

namespace rw
{

namespace
{

bool isReadable(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
}

} // namespace

bool ExtractStrings(const QByteArray& source, const QString& target, int minLen, int maxLen,
                    MessageResponder& reporter)
{
    // Opened by its bytes: a name that is not valid UTF-8 would not survive
    // a trip through QString. Only a regular file is read: a FIFO would hang
    // the window or end at once, a device (an endless stream of zeros or
    // random bytes) would never end, and a link put in the file's place
    // would lead elsewhere.
    FileDescriptor fd = openRegularFileForReading(source);
    QFile in;
    if (!fd.isValid() || !in.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ShowErrorMessage(reporter, QStringLiteral("Could not open file ") + displayName(source));
        return false;
    }
    fd.release(); // the QFile owns it now
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowErrorMessage(reporter, QStringLiteral("Could not write file ") + target);
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
        ShowErrorMessage(reporter, QStringLiteral("Could not write file ") + target);
    return ok;
}

} // namespace rw
