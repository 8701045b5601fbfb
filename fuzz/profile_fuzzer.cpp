// Feeds arbitrary bytes to the settings reader as a profile file, then
// writes one key. Whatever the file holds, reading must not crash or hang,
// the key written must read back, and a value read from another section
// before the write must read the same after it (a write keeps every other
// line as it was). The file lives in the fuzzer's temporary folder.
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace
{

QString fuzzFile()
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/rw-profile-fuzz-%1.ini").arg(::getpid());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzzFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    rw::ProfileFile ini(path);
    // The first section and key of the file, whatever they are called.
    const QStringList none;
    QString otherSection;
    QString otherKey;
    QString otherValue;
    for (const QByteArray& line :
         QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n')) {
        const QByteArray t = line.trimmed();
        if (t.startsWith('[') && t.indexOf(']') > 1) {
            otherSection = QString::fromUtf8(t.mid(1, t.indexOf(']') - 1)).trimmed();
            break;
        }
    }
    if (!otherSection.isEmpty() &&
        otherSection.compare(QLatin1String("FuzzWrite"), Qt::CaseInsensitive) != 0) {
        const auto pairs = ini.readSection(otherSection);
        if (!pairs.isEmpty()) {
            otherKey = pairs.first().first;
            otherValue = ini.readString(otherSection, otherKey, QStringLiteral("\x01missing"));
        }
    }
    (void)ini.keys(QStringLiteral("FuzzWrite"));
    (void)ini.readInt(QStringLiteral("ROOMWISE"), QStringLiteral("SizeDelete"), 0);

    if (ini.writeString(QStringLiteral("FuzzWrite"), QStringLiteral("key"),
                        QStringLiteral("value"))) {
        if (ini.readString(QStringLiteral("FuzzWrite"), QStringLiteral("key")) !=
            QLatin1String("value"))
            std::abort();
        if (!otherKey.isEmpty() &&
            ini.readString(otherSection, otherKey, QStringLiteral("\x01missing")) != otherValue)
            std::abort();
    }
    return 0;
}
