#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

#include "history/core/FolderGrowth.h"

namespace rw
{

// A scan kept in the history.
struct StoredScan {
    std::int64_t id = 0;
    QString host;
    QByteArray root;        // the scanned folder as the file system's bytes
    std::int64_t taken = 0; // when, seconds since the epoch
    QString kind;           // what made it ("main", "all", "report", "import")
    bool complete = true;   // false: aborted or partly unreadable; never compared
    std::int64_t rootBytes = 0;
};

// The scan history: the folder totals of every scan, in an SQLite database
// (WAL mode, a busy timeout, each scan one transaction), so two programs
// writing at once never corrupt it and a reader never sees half a scan.
// Folder paths are stored once per root and scans refer to them, which
// keeps a scan of 50,000 folders at a few hundred kilobytes.
//
// A store is used on the thread that opened it (Qt's database connections
// belong to one thread): a window opens its own on its worker thread.
class HistoryStore
{
public:
    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // $XDG_DATA_HOME/roomwise/history.sqlite (or the platform's equivalent).
    static QString defaultLocation();

    // Opens the database file at `path`, creating it (and its folder) and
    // its tables when missing. False when it cannot be opened or is not a
    // history store; error() says why.
    bool open(const QString& path);
    bool isOpen() const;
    QString error() const { return m_error; }

    // Stores one scan of `root` on `host` with its folder rows (paths
    // relative to the root, the root's own row with an empty path). Returns
    // the scan's id, 0 when nothing was stored (error() says why).
    std::int64_t addScan(const QString& host, const QByteArray& root, std::int64_t taken,
                         const QString& kind, bool complete,
                         const std::vector<FolderTotalsRow>& rows);

    // The stored scans, newest first; of one root and host when given.
    std::vector<StoredScan> scans(const QByteArray& root = {}, const QString& host = {}) const;
    // The folder rows of a scan (empty for an unknown id).
    std::vector<FolderTotalsRow> folders(std::int64_t scanId) const;

    // Removes scans with their rows (and folder paths no scan uses any
    // more). False on a database error.
    bool removeScans(const std::vector<std::int64_t>& ids);
    // Thins every root's scans (scansToThin); returns how many went, -1 on
    // a database error.
    int thin(std::int64_t now);

private:
    bool exec(const QString& sql);
    std::int64_t rootId(const QString& host, const QByteArray& root, bool create);

    QString m_connection;
    QString m_error;
};

} // namespace rw
