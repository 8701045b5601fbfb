#include "viewer/core/ExtractStrings.h"

#include "app/core/Messages.h"

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

bool ExtractStrings(const QString& source, const QString& target, int minLen, int maxLen)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        ShowErrorMessage(QStringLiteral("Could not open file ") + source);
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
