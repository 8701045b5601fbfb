#pragma once

#include "base/Messages.h"
#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace rw
{

// The settings file shared by all windows, opened by bare name.
inline const char* const kSettingsFileName = "roomwse.ini";

// Whether the settings file can be written (nothing is written to find
// out); when not, `why` gets a sentence for the user.
bool settingsWritable(QString* why);
// Asked once before a run that adds to the deletion totals, so that they are
// never lost without a word: true when the settings file can be written, or
// when the user answers Yes to `question`, whose %1 is the reason it cannot.
bool goOnWithoutTotals(MessageResponder& to, const QString& question);
// The separate placement profile of the files-by-date window.
inline const char* const kModsProfileName = "roomws95";

// Cumulative deletion totals, section [Roomwise]. -1 means "not set".
struct DeletionTotals {
    std::int64_t filesDeleted = -1;  // Ndelete
    std::int64_t bytesDeleted = -1;  // SizeDelete
    std::int64_t filesRecycled = -1; // NWaste
    std::int64_t bytesRecycled = -1; // SizeWaste
    int sinceDay = -1;               // DelDate, a day serial
};

// Adds one deletion run to the totals: the counters are read and the sums
// written in one atomic write, all under the settings file's ProfileLock, so
// the runs of two instances ending at the same moment are both counted. A
// counter that is not above 0 is replaced by the amount, otherwise the amount
// is added; DelDate is set to `today` only when it was unset. Returns false
// when the settings file could not be written.
bool addDeletionTotals(std::int64_t filesDeleted, std::int64_t bytesDeleted,
                       std::int64_t filesRecycled, std::int64_t bytesRecycled,
                       const QDate& today = QDate::currentDate());
DeletionTotals readDeletionTotals();
// Writes -1 to all five keys; false when the file could not be written.
bool resetDeletionTotals();

// The most entries a list section gives. Far more patterns than anyone
// keeps, and small enough that a damaged file cannot exhaust memory.
constexpr int kListSectionLimit = 10000;

// The shared list-section layout: Number=N, File1..FileN.
// Returns the entries; an unset or negative Number gives an empty list.
// Entries past the last FileN present in the file are left out, so a
// damaged Number never yields a flood of empty entries; a list longer than
// kListSectionLimit gives its first kListSectionLimit entries and a warning
// (listSectionTooLongText) says so.
QStringList readListSection(const QString& section, MessageResponder& reporter);
// "The list [Section] in the settings file is longer than 10,000 entries;
// the first 10,000 are used."
QString listSectionTooLongText(const QString& section);
// Number of entries as stored (-1 when missing).
int readListCount(const QString& section);
bool writeListSection(const QString& section, const QStringList& entries);

// Keeps a folder as drive `letter` in [Drives] (`E=/home/ann/Photos`), so
// later runs list it too. A settings line holds text, so a folder whose name
// is not plain UTF-8 text (a tab, a line break, bytes that are no UTF-8)
// cannot be kept: false with `why` saying so. False with `why` also when the
// settings file cannot be written.
bool keepDriveFolder(QChar letter, const QByteArray& folder, QString* why);

// The scan history, section [History]. `Keep=0` turns keeping scans off
// (any other value, or none, keeps them); `Store=` names the store: empty
// for the default SQLite file, otherwise a file path or a database URL,
// handed to the store as it is written.
struct HistorySettings {
    bool keep = true;
    QString store;
};
HistorySettings readHistorySettings();

} // namespace rw
