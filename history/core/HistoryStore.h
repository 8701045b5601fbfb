#pragma once

#include <QByteArray>
#include <QHash>
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
    bool complete = true;   // false: the walk was cut short; never compared
    std::int64_t rootBytes = 0;
};

// The scan history: the folder totals of every scan, in an SQLite database
// file (WAL mode, a busy timeout) or on a PostgreSQL server that many
// machines write to, with the same tables on both. Each scan is written in
// one transaction, writers one after another, and each read sees one state
// of the store, so two programs writing at once never corrupt it and a
// reader never sees half a scan.
//
// A folder's path is stored once per root, as its name under its parent
// folder's row; a scan refers to the folders by id and keeps its totals
// packed in its own row (ScanTotalsBlob). A scan of 50,000 folders takes
// about half a megabyte, less than 40 bytes a folder.
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

    // Opens the store at `location`: a PostgreSQL server when it is a URL
    // postgresql://[user[:password]@]host[:port]/database[?option=value&...]
    // (options as libpq takes them, e.g. sslmode=require), else the SQLite
    // database file at that path, creating the file and its folder. The
    // tables are created when missing. False when it cannot be opened or
    // is not a history store of this layout; error() says why.
    bool open(const QString& location);
    bool isOpen() const;
    // True when the store is a PostgreSQL server.
    bool isServer() const { return m_server; }
    QString error() const { return m_error; }

    // Stores one scan of `root` on `host` with its folder rows (paths
    // relative to the root, the root's own row with an empty path). Returns
    // the scan's id, 0 when nothing was stored (error() says why).
    std::int64_t addScan(const QString& host, const QByteArray& root, std::int64_t taken,
                         const QString& kind, bool complete,
                         const std::vector<FolderTotalsRow>& rows);

    // The stored scans, newest first; of one root and host when given.
    std::vector<StoredScan> scans(const QByteArray& root = {}, const QString& host = {}) const;
    // One stored scan by id; false when there is none.
    bool scan(std::int64_t id, StoredScan* out) const;
    // The folder rows of a scan (empty for an unknown id).
    std::vector<FolderTotalsRow> folders(std::int64_t scanId) const;
    // compareScans of two stored scans, reading each root's paths once.
    // False when either scan is unknown or cannot be read.
    bool compare(std::int64_t before, std::int64_t after, std::vector<FolderGrowthRow>* rows) const;

    // Removes scans with their rows (and folder paths no scan uses any
    // more). False on a database error.
    bool removeScans(const std::vector<std::int64_t>& ids);
    // Thins every root's scans (scansToThin); returns how many went, -1 on
    // a database error.
    int thin(std::int64_t now);

private:
    bool openSqlite(const QString& path);
    bool openServer(const QString& url);
    bool createTables();
    bool exec(const QString& sql) const;
    bool beginWrite();
    bool beginRead() const;
    void endRead() const;
    std::int64_t nextId(const char* table);
    std::int64_t rootId(const QString& host, const QByteArray& root, bool create);
    bool readScan(std::int64_t id, std::int64_t* rootId, std::vector<FolderTotalsRow>* rows,
                  const QHash<std::int64_t, QByteArray>* paths) const;
    QHash<std::int64_t, QByteArray> folderPaths(std::int64_t rootId) const;
    bool removeUnusedFolders(std::int64_t rootId);

    QString m_connection;
    mutable QString m_error;
    bool m_server = false;
};

} // namespace rw
