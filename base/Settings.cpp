#include "base/Settings.h"
#include "platform/FolderWritable.h"
#include "platform/Folders.h"

#include "base/Messages.h"
#include "base/SharedRoutines.h"
#include "platform/DisplayName.h"
#include "platform/DosDateTime.h"
#include "platform/ProfileFile.h"
#include "platform/ProfileLock.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <limits>

namespace rw
{

namespace
{
const QString kTotals = QStringLiteral("Roomwise");
const char* const kCounterKeys[4] = {"Ndelete", "SizeDelete", "NWaste", "SizeWaste"};
// The messages about the settings file, translated as one context.
struct SettingsTexts {
    Q_DECLARE_TR_FUNCTIONS(SettingsTexts)
};
} // namespace

bool settingsWritable(QString* why)
{
    const QString path = resolveProfilePath(QString::fromLatin1(kSettingsFileName));
    if (path.isEmpty()) {
        if (why)
            *why = SettingsTexts::tr("There is no absolute home folder (HOME or XDG_CONFIG_HOME) "
                                     "to keep the settings in.");
        return false;
    }
    return canWriteFolderOf(path, why);
}

bool goOnWithoutTotals(MessageResponder& to, const QString& question)
{
    QString why;
    return settingsWritable(&why) || AskYesNo(to, question.arg(why));
}

bool addDeletionTotals(std::int64_t filesDeleted, std::int64_t bytesDeleted,
                       std::int64_t filesRecycled, std::int64_t bytesRecycled, const QDate& today)
{
    ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    // The counters are read and their sums written under the file's lock:
    // another instance adding its run at the same moment waits, then adds
    // to our sums instead of overwriting them with its own. (When the lock
    // cannot be had, the write below fails and says why.)
    const ProfileLock lock(ini.path());
    const std::int64_t amounts[4] = {filesDeleted, bytesDeleted, filesRecycled, bytesRecycled};
    // All five keys go to the file in one atomic write, so a failure never
    // leaves the counts of one run half added.
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::fromLatin1(kCounterKeys[i]);
        const long long stored = ini.readInt(kTotals, key, -1);
        // A total at the top of the range stays there instead of wrapping
        // round to a negative count.
        const long long add = std::max<long long>(amounts[i], 0);
        const long long sum = stored <= 0 ? add
                              : stored > std::numeric_limits<long long>::max() - add
                                  ? std::numeric_limits<long long>::max()
                                  : stored + add;
        values.append({key, QString::number(sum)});
    }
    if (ini.readInt(kTotals, QStringLiteral("DelDate"), -1) == -1)
        values.append({QStringLiteral("DelDate"), QString::number(daySerial(today))});
    return ini.writeValues(kTotals, values);
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
    QList<QPair<QString, QString>> values;
    for (const char* key : kCounterKeys)
        values.append({QString::fromLatin1(key), QStringLiteral("-1")});
    values.append({QStringLiteral("DelDate"), QStringLiteral("-1")});
    return ProfileFile(QString::fromLatin1(kSettingsFileName)).writeValues(kTotals, values);
}

int readListCount(const QString& section)
{
    const long long n = ProfileFile(QString::fromLatin1(kSettingsFileName))
                            .readInt(section, QStringLiteral("Number"), -1);
    return int(std::clamp<long long>(n, -1, std::numeric_limits<int>::max()));
}

QStringList readListSection(const QString& section, MessageResponder& reporter)
{
    // One read of the file for the whole list. Entries past the last FileN
    // that exists are left out: a damaged Number (say 2000000000) must not
    // produce millions of empty patterns.
    const auto pairs = ProfileFile(QString::fromLatin1(kSettingsFileName)).readSection(section);
    long long number = -1;
    bool numberSeen = false;
    QHash<long long, QString> files;
    long long highest = 0;
    const QString numberKey = QStringLiteral("Number");
    const QString filePrefix = QStringLiteral("File");
    for (const auto& [key, value] : pairs) {
        if (key.compare(numberKey, Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const long long n = value.toLongLong(&ok);
            if (!numberSeen)
                number = ok ? n : -1;
            numberSeen = true;
        } else if (key.startsWith(filePrefix, Qt::CaseInsensitive)) {
            bool ok = false;
            const long long i = key.mid(filePrefix.size()).toLongLong(&ok);
            // "File01" is not "File1": only the exact key names count.
            if (ok && i >= 1 && key.size() == filePrefix.size() + QString::number(i).size() &&
                !files.contains(i)) {
                files.insert(i, value);
                highest = std::max(highest, i);
            }
        }
    }
    QStringList out;
    long long n = std::min(number, highest);
    if (n > kListSectionLimit) {
        ShowWarningMessage(reporter, listSectionTooLongText(section));
        n = kListSectionLimit;
    }
    out.reserve(qsizetype(std::max(n, 0LL)));
    for (long long i = 1; i <= n; ++i)
        out << files.value(i);
    return out;
}

QString listSectionTooLongText(const QString& section)
{
    const QString limit = FormatGrouped(kListSectionLimit);
    return SettingsTexts::tr("The list [%1] in the settings file is longer than %2 entries; the "
                             "first %2 are used.")
        .arg(section, limit);
}

bool writeListSection(const QString& section, const QStringList& entries)
{
    QList<QPair<QString, QString>> kv;
    kv.append({QStringLiteral("Number"), QString::number(entries.size())});
    for (int i = 0; i < entries.size(); ++i)
        kv.append({QStringLiteral("File") + QString::number(i + 1), entries[i]});
    return ProfileFile(QString::fromLatin1(kSettingsFileName)).writeSection(section, kv);
}

bool keepDriveFolder(QChar letter, const QByteArray& folder, QString* why)
{
    // The file is read back as UTF-8 lines with surrounding blanks trimmed,
    // so only a name that survives that names the same folder next time.
    const QString text = QString::fromUtf8(folder);
    if (!isPlainName(folder) || text.trimmed() != text) {
        if (why)
            *why = SettingsTexts::tr("The folder %1 cannot be kept: its name cannot be written to "
                                     "the settings file as it is.")
                       .arg(displayName(folder));
        return false;
    }
    if (!settingsWritable(why))
        return false;
    ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    if (!ini.writeString(QStringLiteral("Drives"), QString(letter.toUpper()), text)) {
        if (why)
            *why = SettingsTexts::tr("The settings file could not be written.");
        return false;
    }
    return true;
}

HistorySettings readHistorySettings()
{
    const ProfileFile ini(QString::fromLatin1(kSettingsFileName));
    const QString section = QStringLiteral("History");
    HistorySettings h;
    h.keep = ini.readInt(section, QStringLiteral("Keep"), 1) != 0;
    h.store = ini.readString(section, QStringLiteral("Store"), QString()).trimmed();
    return h;
}

} // namespace rw
