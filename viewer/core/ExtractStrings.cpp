#include "viewer/core/ExtractStrings.h"

#include "base/Messages.h"
#include "platform/DataExtents.h"
#include "platform/DisplayName.h"
#include "platform/ReadOnlyOpen.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <memory>

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct ExtractStringsTexts {
    Q_DECLARE_TR_FUNCTIONS(ExtractStringsTexts)
};
} // namespace

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
                    MessageResponder& reporter, const ReadProgress& progress)
{
    // Opened by its bytes: a name that is not valid UTF-8 would not survive
    // a trip through QString. Only a regular file is read: a FIFO would hang
    // the window or end at once, a device (an endless stream of zeros or
    // random bytes) would never end, and a link put in the file's place
    // would lead elsewhere.
    FileDescriptor fd = openRegularFileForReading(source);
    FileStatus st;
    if (!fd.isValid() || !entryStatus(fd.get(), "", &st)) {
        ShowErrorMessage(
            reporter, ExtractStringsTexts::tr("Could not open file %1").arg(displayName(source)));
        return false;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowErrorMessage(reporter, ExtractStringsTexts::tr("Could not write file %1").arg(target));
        return false;
    }

    // The blocks lie at multiples of kBlock from the start. A block of
    // zeros holds no string and leaves the last line as it was, so the
    // blocks wholly inside a hole are skipped unread; the rest are read a
    // chunk at a time.
    constexpr std::int64_t kBlock = 2048;
    constexpr std::int64_t kChunk = std::int64_t(1) << 20;
    const std::int64_t size = st.size;
    std::unique_ptr<char[]> chunk(new char[kChunk]);
    DataExtents extents(fd.get(), size);
    QByteArray last; // the line written last
    bool ok = true;
    const auto write = [&out](const QByteArray& line) {
        return out.write(line) == line.size() && out.write("\r\n", 2) == 2;
    };
    std::int64_t pos = 0;
    while (pos < size) {
        if (progress && !progress(pos, size))
            return false; // stopped: the listing is not wanted any more
        std::int64_t dataStart = 0;
        std::int64_t dataEnd = 0;
        if (!extents.next(pos, &dataStart, &dataEnd))
            break; // only zeros left
        pos = std::max(pos, dataStart - dataStart % kBlock);
        const std::int64_t until = std::min(size, (dataEnd + kBlock - 1) / kBlock * kBlock);
        const std::int64_t n = std::min(kChunk, until - pos);
        std::size_t got = 0;
        if (!readFullyAt(fd.get(), chunk.get(), std::size_t(n), pos, &got))
            break; // an unreadable file lists what was read before
        for (std::int64_t b = 0; b < std::int64_t(got); b += kBlock)
            ok = stringsOfBlock(chunk.get() + b,
                                std::min<std::int64_t>(kBlock, std::int64_t(got) - b), minLen,
                                maxLen, last, write) &&
                 ok;
        if (std::int64_t(got) < n)
            break; // cut short meanwhile
        pos += n;
    }
    if (progress)
        progress(size, size);
    ok = ok && out.flush();
    if (!ok)
        ShowErrorMessage(reporter, ExtractStringsTexts::tr("Could not write file %1").arg(target));
    return ok;
}

} // namespace rw
