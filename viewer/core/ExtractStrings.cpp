#include "viewer/core/ExtractStrings.h"

#include "base/Messages.h"
#include "platform/DisplayName.h"
#include "platform/ReadOnlyOpen.h"

#include <QFile>

#include <algorithm>

namespace rw
{

namespace
{

bool isReadable(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
}

} // namespace

bool stringsOfBlock(const char* block, std::int64_t size, int minLen, int maxLen, QByteArray& last,
                    const std::function<bool(const QByteArray& line)>& keep)
{
    bool ok = true;
    QByteArray run; // each block starts a run of its own
    run.reserve(qsizetype(std::max(maxLen, 0)) + 2);
    for (std::int64_t i = 0; i < size; ++i) {
        const char c = block[i];
        if (isReadable(c)) {
            if (run.size() <= maxLen)
                run.append(c);
            continue;
        }
        if (run.size() > minLen && run != last) {
            ok = keep(run) && ok;
            last = run;
        }
        run.clear();
    }
    return ok;
}

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
    bool ok = true;
    const auto write = [&out](const QByteArray& line) {
        return out.write(line) == line.size() && out.write("\r\n", 2) == 2;
    };
    for (;;) {
        const qint64 got = in.read(block, kBlock);
        if (got <= 0)
            break;
        ok = stringsOfBlock(block, got, minLen, maxLen, last, write) && ok;
    }
    ok = ok && out.flush();
    if (!ok)
        ShowErrorMessage(reporter, QStringLiteral("Could not write file ") + target);
    return ok;
}

} // namespace rw
