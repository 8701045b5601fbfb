#include "app/core/Settings.h"

#include "platform/DosDateTime.h"
#include "platform/ProfileFile.h"

namespace rw {

namespace {
const QString kTotals = QStringLiteral("Roomwise");
const char* const kCounterKeys[4] = {"Ndelete", "SizeDelete", "NWaste", "SizeWaste"};
} // namespace

bool addDeletionTotals(std::int64_t filesDeleted, std::int64_t bytesDeleted,
                       std::int64_t filesRecycled, std::int64_t bytesRecycled, const QDate& today)
{
    ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    const std::int64_t amounts[4] = {filesDeleted, bytesDeleted, filesRecycled, bytesRecycled};
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::fromLatin1(kCounterKeys[i]);
        const long long stored = ini.readInt(kTotals, key, -1);
        ok = ini.writeInt(kTotals, key, stored <= 0 ? amounts[i] : stored + amounts[i]) && ok;
    }
    if (ini.readInt(kTotals, QStringLiteral("DelDate"), -1) == -1)
        ok = ini.writeInt(kTotals, QStringLiteral("DelDate"), daySerial(today)) && ok;
    return ok;
}

DeletionTotals readDeletionTotals()
{
    ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    DeletionTotals t;
    t.filesDeleted = ini.readInt(kTotals, QStringLiteral("Ndelete"), -1);
    t.bytesDeleted = ini.readInt(kTotals, QStringLiteral("SizeDelete"), -1);
    t.filesRecycled = ini.readInt(kTotals, QStringLiteral("NWaste"), -1);
    t.bytesRecycled = ini.readInt(kTotals, QStringLiteral("SizeWaste"), -1);
    t.sinceDay = int(ini.readInt(kTotals, QStringLiteral("DelDate"), -1));
    return t;
}

bool resetDeletionTotals()
{
    ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    bool ok = true;
    for (const char* key : kCounterKeys)
        ok = ini.writeInt(kTotals, QString::fromLatin1(key), -1) && ok;
    return ini.writeInt(kTotals, QStringLiteral("DelDate"), -1) && ok;
}

int readListCount(const QString& section)
{
    return int(ProfileFile(QString::fromLatin1(kSettingsFileName))
                   .readInt(section, QStringLiteral("Number"), -1));
}

QStringList readListSection(const QString& section)
{
    ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    const long long n = ini.readInt(section, QStringLiteral("Number"), -1);
    QStringList out;
    for (long long i = 1; i <= n; ++i)
        out << ini.readString(section, QStringLiteral("File") + QString::number(i));
    return out;
}

bool writeListSection(const QString& section, const QStringList& entries)
{
    QList<QPair<QString, QString>> kv;
    kv.append({QStringLiteral("Number"), QString::number(entries.size())});
    for (int i = 0; i < entries.size(); ++i)
        kv.append({QStringLiteral("File") + QString::number(i + 1), entries[i]});
    return ProfileFile(QString::fromLatin1(kSettingsFileName)).writeSection(section, kv);
}

} // namespace rw
