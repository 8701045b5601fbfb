#include "history/core/HistoryStore.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <functional>
#include <map>

#include "history/core/ScanThinning.h"

namespace rw
{

namespace
{

QString nextConnectionName()
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("rw_history_%1").arg(counter.fetchAndAddRelaxed(1));
}

// The tables. Scans refer to folder paths stored once per root.
const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS rw_roots (id INTEGER PRIMARY KEY, host TEXT NOT NULL, "
    "path BLOB NOT NULL, UNIQUE (host, path))",
    "CREATE TABLE IF NOT EXISTS rw_folders (id INTEGER PRIMARY KEY, root_id INTEGER NOT NULL, "
    "rel BLOB NOT NULL, UNIQUE (root_id, rel))",
    "CREATE TABLE IF NOT EXISTS rw_scans (id INTEGER PRIMARY KEY, root_id INTEGER NOT NULL, "
    "taken INTEGER NOT NULL, kind TEXT NOT NULL, complete INTEGER NOT NULL, "
    "root_bytes INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS rw_totals (scan_id INTEGER NOT NULL, folder_id INTEGER NOT NULL, "
    "bytes INTEGER NOT NULL, disk INTEGER NOT NULL, files INTEGER NOT NULL, "
    "subfolders INTEGER NOT NULL, latest INTEGER NOT NULL, PRIMARY KEY (scan_id, folder_id)) "
    "WITHOUT ROWID",
};

} // namespace

HistoryStore::HistoryStore() : m_connection(nextConnectionName()) {}

HistoryStore::~HistoryStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

QString HistoryStore::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/roomwise/history.sqlite");
}

bool HistoryStore::isOpen() const
{
    return QSqlDatabase::database(m_connection, false).isOpen();
}

bool HistoryStore::exec(const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (q.exec(sql))
        return true;
    m_error = q.lastError().text();
    return false;
}

bool HistoryStore::open(const QString& path)
{
    m_error.clear();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_error = QStringLiteral("the SQLite driver of Qt SQL is not installed");
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_error = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // Another program writing waits up to 5 s instead of failing at once.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        m_error = db.lastError().text();
        return false;
    }
    // Write-ahead logging: readers never block the writer nor see half a
    // transaction; NORMAL sync is safe with WAL (a crash loses at most the
    // last scan, never the file).
    if (!exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return false;
    for (const char* statement : kSchema)
        if (!exec(QString::fromLatin1(statement)))
            return false;
    return true;
}

std::int64_t HistoryStore::rootId(const QString& host, const QByteArray& root, bool create)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT id FROM rw_roots WHERE host = ? AND path = ?"));
    q.addBindValue(host);
    q.addBindValue(root);
    if (q.exec() && q.next())
        return q.value(0).toLongLong();
    if (!create)
        return 0;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO rw_roots (host, path) VALUES (?, ?)"));
    insert.addBindValue(host);
    insert.addBindValue(root);
    if (!insert.exec()) {
        m_error = insert.lastError().text();
        return 0;
    }
    return insert.lastInsertId().toLongLong();
}

std::int64_t HistoryStore::addScan(const QString& host, const QByteArray& root, std::int64_t taken,
                                   const QString& kind, bool complete,
                                   const std::vector<FolderTotalsRow>& rows)
{
    m_error.clear();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen()) {
        m_error = QStringLiteral("the history store is not open");
        return 0;
    }
    // IMMEDIATE takes the write lock at once (waiting out another writer):
    // a transaction that reads first and writes later could not wait.
    if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
        return 0;
    const auto fail = [&](const QSqlQuery& q) {
        m_error = q.lastError().text();
        exec(QStringLiteral("ROLLBACK"));
        return std::int64_t(0);
    };
    const std::int64_t rid = rootId(host, root, true);
    if (rid == 0) {
        exec(QStringLiteral("ROLLBACK"));
        return 0;
    }
    // The folder paths this root has already, so only new ones are added.
    QHash<QByteArray, std::int64_t> known;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT rel, id FROM rw_folders WHERE root_id = ?"));
        q.addBindValue(qlonglong(rid));
        if (!q.exec())
            return fail(q);
        while (q.next())
            known.insert(q.value(0).toByteArray(), q.value(1).toLongLong());
    }
    std::int64_t rootBytes = 0;
    for (const FolderTotalsRow& r : rows)
        if (r.path.isEmpty())
            rootBytes = r.bytes;
    QSqlQuery scan(db);
    scan.prepare(QStringLiteral("INSERT INTO rw_scans (root_id, taken, kind, complete, root_bytes) "
                                "VALUES (?, ?, ?, ?, ?)"));
    scan.addBindValue(qlonglong(rid));
    scan.addBindValue(qlonglong(taken));
    scan.addBindValue(kind);
    scan.addBindValue(complete ? 1 : 0);
    scan.addBindValue(qlonglong(rootBytes));
    if (!scan.exec())
        return fail(scan);
    const std::int64_t sid = scan.lastInsertId().toLongLong();

    // Rows go in many to a statement: a statement's own cost, not the
    // database's, is what a row at a time would pay 50,000 times.
    constexpr int kPerStatement = 128;
    const auto insertMany = [&](const QString& head, const QString& one, int count,
                                const std::function<void(QSqlQuery&, int)>& bind) -> bool {
        QSqlQuery full(db);
        bool fullPrepared = false;
        for (int start = 0; start < count; start += kPerStatement) {
            const int n = std::min(kPerStatement, count - start);
            QSqlQuery partial(db);
            QSqlQuery& q = n == kPerStatement ? full : partial;
            if (n != kPerStatement || !fullPrepared) {
                QStringList values;
                for (int i = 0; i < n; ++i)
                    values << one;
                q.prepare(head + values.join(QLatin1Char(',')));
                fullPrepared = fullPrepared || n == kPerStatement;
            }
            for (int i = 0; i < n; ++i)
                bind(q, start + i);
            if (!q.exec()) {
                m_error = q.lastError().text();
                return false;
            }
        }
        return true;
    };
    // The byte array is bound as a BLOB even when empty (the root's row):
    // a null value would not compare equal to it later.
    const auto relOf = [](const FolderTotalsRow& r) {
        return r.path.isNull() ? QByteArray("") : r.path;
    };
    std::vector<int> fresh;
    QSet<QByteArray> freshSeen;
    for (int i = 0; i < int(rows.size()); ++i) {
        const QByteArray rel = relOf(rows[std::size_t(i)]);
        if (!known.contains(rel) && !freshSeen.contains(rel)) {
            freshSeen.insert(rel);
            fresh.push_back(i);
        }
    }
    if (!fresh.empty()) {
        if (!insertMany(QStringLiteral("INSERT INTO rw_folders (root_id, rel) VALUES "),
                        QStringLiteral("(?,?)"), int(fresh.size()), [&](QSqlQuery& q, int i) {
                            q.addBindValue(qlonglong(rid));
                            q.addBindValue(relOf(rows[std::size_t(fresh[std::size_t(i)])]));
                        })) {
            exec(QStringLiteral("ROLLBACK"));
            return 0;
        }
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT rel, id FROM rw_folders WHERE root_id = ?"));
        q.addBindValue(qlonglong(rid));
        if (!q.exec())
            return fail(q);
        while (q.next())
            known.insert(q.value(0).toByteArray(), q.value(1).toLongLong());
    }
    if (!insertMany(QStringLiteral("INSERT OR REPLACE INTO rw_totals (scan_id, folder_id, bytes, "
                                   "disk, files, subfolders, latest) VALUES "),
                    QStringLiteral("(?,?,?,?,?,?,?)"), int(rows.size()), [&](QSqlQuery& q, int i) {
                        const FolderTotalsRow& r = rows[std::size_t(i)];
                        q.addBindValue(qlonglong(sid));
                        q.addBindValue(qlonglong(known.value(relOf(r))));
                        q.addBindValue(qlonglong(r.bytes));
                        q.addBindValue(qlonglong(r.disk));
                        q.addBindValue(qlonglong(r.files));
                        q.addBindValue(qlonglong(r.subFolders));
                        q.addBindValue(qlonglong(r.latest));
                    })) {
        exec(QStringLiteral("ROLLBACK"));
        return 0;
    }
    if (!exec(QStringLiteral("COMMIT"))) {
        exec(QStringLiteral("ROLLBACK"));
        return 0;
    }
    return sid;
}

std::vector<StoredScan> HistoryStore::scans(const QByteArray& root, const QString& host) const
{
    std::vector<StoredScan> out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    QString sql =
        QStringLiteral("SELECT s.id, r.host, r.path, s.taken, s.kind, s.complete, "
                       "s.root_bytes FROM rw_scans s JOIN rw_roots r ON r.id = s.root_id");
    QStringList where;
    if (!root.isNull())
        where << QStringLiteral("r.path = :path");
    if (!host.isEmpty())
        where << QStringLiteral("r.host = :host");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY s.taken DESC, s.id DESC");
    q.prepare(sql);
    if (!root.isNull())
        q.bindValue(QStringLiteral(":path"), root);
    if (!host.isEmpty())
        q.bindValue(QStringLiteral(":host"), host);
    if (!q.exec())
        return out;
    while (q.next()) {
        StoredScan s;
        s.id = q.value(0).toLongLong();
        s.host = q.value(1).toString();
        s.root = q.value(2).toByteArray();
        s.taken = q.value(3).toLongLong();
        s.kind = q.value(4).toString();
        s.complete = q.value(5).toInt() != 0;
        s.rootBytes = q.value(6).toLongLong();
        out.push_back(std::move(s));
    }
    return out;
}

std::vector<FolderTotalsRow> HistoryStore::folders(std::int64_t scanId) const
{
    std::vector<FolderTotalsRow> out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT f.rel, t.bytes, t.disk, t.files, t.subfolders, t.latest "
                             "FROM rw_totals t JOIN rw_folders f ON f.id = t.folder_id "
                             "WHERE t.scan_id = ?"));
    q.addBindValue(qlonglong(scanId));
    if (!q.exec())
        return out;
    while (q.next()) {
        FolderTotalsRow r;
        r.path = q.value(0).toByteArray();
        r.bytes = q.value(1).toLongLong();
        r.disk = q.value(2).toLongLong();
        r.files = q.value(3).toLongLong();
        r.subFolders = q.value(4).toLongLong();
        r.latest = q.value(5).toLongLong();
        out.push_back(std::move(r));
    }
    return out;
}

bool HistoryStore::removeScans(const std::vector<std::int64_t>& ids)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    QSqlQuery totals(db), scan(db);
    totals.prepare(QStringLiteral("DELETE FROM rw_totals WHERE scan_id = ?"));
    scan.prepare(QStringLiteral("DELETE FROM rw_scans WHERE id = ?"));
    for (std::int64_t id : ids) {
        totals.bindValue(0, qlonglong(id));
        scan.bindValue(0, qlonglong(id));
        if (!totals.exec() || !scan.exec()) {
            m_error = (totals.lastError().isValid() ? totals : scan).lastError().text();
            exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    // Paths no scan refers to any more go too.
    QSqlQuery unused(db);
    if (!unused.exec(QStringLiteral("DELETE FROM rw_folders WHERE NOT EXISTS (SELECT 1 FROM "
                                    "rw_totals t WHERE t.folder_id = rw_folders.id)"))) {
        m_error = unused.lastError().text();
        exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return exec(QStringLiteral("COMMIT"));
}

int HistoryStore::thin(std::int64_t now)
{
    std::map<std::pair<QString, QByteArray>, std::vector<ScanTime>> byRoot;
    for (const StoredScan& s : scans())
        byRoot[{s.host, s.root}].push_back({s.id, s.taken});
    std::vector<std::int64_t> gone;
    for (auto& [key, times] : byRoot) {
        const std::vector<std::int64_t> ids = scansToThin(times, now);
        gone.insert(gone.end(), ids.begin(), ids.end());
    }
    if (gone.empty())
        return 0;
    return removeScans(gone) ? int(gone.size()) : -1;
}

} // namespace rw
