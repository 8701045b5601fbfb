#include "history/core/HistoryStore.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>

#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>

#include "history/core/ScanThinning.h"
#include "history/core/ScanTotalsBlob.h"

namespace rw
{

namespace
{

QString nextConnectionName()
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("rw_history_%1").arg(counter.fetchAndAddRelaxed(1));
}

QString tr(const char* text)
{
    return QCoreApplication::translate("HistoryStore", text);
}

// Writers of a PostgreSQL store queue on this lock, as SQLite's writers
// queue on its file lock: ids are handed out under it.
constexpr const char* kServerWriteLock = "SELECT pg_advisory_xact_lock(727100271)";
constexpr const char* kServerSchemaLock = "SELECT pg_advisory_xact_lock(727100270)";

// The parent of a relative folder path ("" for a top-level one) and its
// last component.
QByteArray parentOf(const QByteArray& rel)
{
    const qsizetype slash = rel.lastIndexOf('/');
    return slash < 0 ? QByteArray("") : rel.left(slash);
}

QByteArray nameOf(const QByteArray& rel)
{
    const qsizetype slash = rel.lastIndexOf('/');
    return slash < 0 ? rel : rel.mid(slash + 1);
}

struct ChildKey {
    std::int64_t parent;
    QByteArray name;
    bool operator==(const ChildKey& o) const { return parent == o.parent && name == o.name; }
};

struct ChildHash {
    std::size_t operator()(const ChildKey& k) const
    {
        return std::size_t(qHash(k.name)) ^ std::size_t(k.parent * 0x9E3779B97F4A7C15LL);
    }
};

// Rows go in many to a statement: a statement's own cost, not the
// database's, is what a row at a time would pay 50,000 times.
constexpr int kPerStatement = 128;

bool insertMany(QSqlDatabase& db, const QString& head, const QString& one, int count,
                const std::function<void(QSqlQuery&, int)>& bind, QString* error)
{
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
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

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

bool HistoryStore::exec(const QString& sql) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (q.exec(sql))
        return true;
    m_error = q.lastError().text();
    return false;
}

bool HistoryStore::open(const QString& location)
{
    m_error.clear();
    if (location.startsWith(QLatin1String("postgresql://")) ||
        location.startsWith(QLatin1String("postgres://")))
        return openServer(location);
    return openSqlite(location);
}

bool HistoryStore::openSqlite(const QString& path)
{
    m_server = false;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_error = tr("the SQLite driver of Qt SQL is not installed");
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_error = tr("cannot make the folder %1").arg(folder);
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
    return createTables();
}

bool HistoryStore::openServer(const QString& location)
{
    m_server = true;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        m_error = tr("the PostgreSQL driver of Qt SQL is not installed");
        return false;
    }
    const QUrl url(location, QUrl::StrictMode);
    const QString database = url.path().mid(1);
    if (!url.isValid() || url.host().isEmpty() || database.isEmpty() || database.contains('/')) {
        m_error = tr("not a PostgreSQL address: %1")
                      .arg(QStringLiteral("postgresql://user@host:port/database"));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    db.setHostName(url.host());
    if (url.port() > 0)
        db.setPort(url.port());
    db.setDatabaseName(database);
    if (!url.userName().isEmpty())
        db.setUserName(url.userName());
    if (!url.password().isEmpty())
        db.setPassword(url.password());
    QStringList options{QStringLiteral("connect_timeout=10")};
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        options << key + QLatin1Char('=') + value;
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) {
        m_error = db.lastError().text();
        return false;
    }
    return createTables();
}

bool HistoryStore::createTables()
{
    // The same tables on both: whole numbers as 64 bits, names as bytes.
    const QString integer = m_server ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    const QString bytes = m_server ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    const QStringList schema{
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS rw_roots (id %1 PRIMARY KEY, host TEXT NOT NULL, "
            "path %2 NOT NULL, UNIQUE (host, path))"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS rw_folders (id %1 PRIMARY KEY, root_id %1 NOT "
                       "NULL, parent_id %1 NOT NULL, name %2 NOT NULL)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS rw_folders_root ON rw_folders (root_id)"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS rw_scans (id %1 PRIMARY KEY, root_id %1 NOT NULL, "
            "taken %1 NOT NULL, kind TEXT NOT NULL, complete %1 NOT NULL, root_bytes %1 "
            "NOT NULL, folder_count %1 NOT NULL, totals %2 NOT NULL)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS rw_scans_root ON rw_scans (root_id, taken)"),
    };
    // Two machines starting on an empty server at once would race to make
    // the tables; the lock makes the second find them.
    if (m_server && (!exec(QStringLiteral("BEGIN")) || !exec(QLatin1String(kServerSchemaLock))))
        return false;
    for (const QString& statement : schema) {
        if (!exec(statement.contains(QLatin1Char('%')) ? statement.arg(integer, bytes)
                                                       : statement)) {
            if (m_server)
                exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    if (m_server && !exec(QStringLiteral("COMMIT")))
        return false;
    // Tables of an earlier layout under the same names are not ours to use.
    QSqlQuery probe(QSqlDatabase::database(m_connection, false));
    if (!probe.exec(QStringLiteral("SELECT parent_id, name FROM rw_folders WHERE 1 = 0")) ||
        !probe.exec(QStringLiteral("SELECT folder_count, totals FROM rw_scans WHERE 1 = 0"))) {
        m_error = tr("the database holds tables of another program or layout");
        return false;
    }
    return true;
}

bool HistoryStore::beginWrite()
{
    // SQLite: IMMEDIATE takes the write lock at once (waiting out another
    // writer); a transaction that read first could not wait later.
    if (!m_server)
        return exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (!exec(QStringLiteral("BEGIN")))
        return false;
    if (exec(QLatin1String(kServerWriteLock)))
        return true;
    exec(QStringLiteral("ROLLBACK"));
    return false;
}

bool HistoryStore::beginRead() const
{
    // One snapshot for all the statements of a read, so a scan removed by
    // another program meanwhile is seen either whole or not at all.
    return exec(m_server ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                         : QStringLiteral("BEGIN"));
}

void HistoryStore::endRead() const
{
    exec(QStringLiteral("COMMIT"));
}

std::int64_t HistoryStore::nextId(const char* table)
{
    // Called only inside a write transaction: no other writer runs.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM %1").arg(QLatin1String(table))) ||
        !q.next()) {
        m_error = q.lastError().text();
        return 0;
    }
    return q.value(0).toLongLong() + 1;
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
    const std::int64_t id = nextId("rw_roots");
    if (id == 0)
        return 0;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO rw_roots (id, host, path) VALUES (?, ?, ?)"));
    insert.addBindValue(qlonglong(id));
    insert.addBindValue(host);
    insert.addBindValue(root);
    if (!insert.exec()) {
        m_error = insert.lastError().text();
        return 0;
    }
    return id;
}

std::int64_t HistoryStore::addScan(const QString& host, const QByteArray& root, std::int64_t taken,
                                   const QString& kind, bool complete,
                                   const std::vector<FolderTotalsRow>& rows)
{
    m_error.clear();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen()) {
        m_error = tr("the history store is not open");
        return 0;
    }
    if (!beginWrite())
        return 0;
    const auto fail = [&]() {
        exec(QStringLiteral("ROLLBACK"));
        return std::int64_t(0);
    };
    const std::int64_t rid = rootId(host, root, true);
    if (rid == 0)
        return fail();

    // The folders this root has already, by parent and name.
    std::unordered_map<ChildKey, std::int64_t, ChildHash> known;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT id, parent_id, name FROM rw_folders WHERE root_id = ?"));
        q.addBindValue(qlonglong(rid));
        if (!q.exec()) {
            m_error = q.lastError().text();
            return fail();
        }
        while (q.next())
            known.emplace(ChildKey{q.value(1).toLongLong(), q.value(2).toByteArray()},
                          q.value(0).toLongLong());
    }
    std::int64_t next = nextId("rw_folders");
    if (next == 0)
        return fail();
    struct NewFolder {
        std::int64_t id, parent;
        QByteArray name;
    };
    std::vector<NewFolder> fresh;
    // Each path's id, found through its parent's: the root's row is the
    // one with parent 0 and an empty name.
    QHash<QByteArray, std::int64_t> idOfPath;
    const auto child = [&](std::int64_t parent, const QByteArray& name) {
        const auto found = known.find(ChildKey{parent, name});
        if (found != known.end())
            return found->second;
        const std::int64_t id = next++;
        known.emplace(ChildKey{parent, name}, id);
        fresh.push_back({id, parent, name});
        return id;
    };
    const std::int64_t rootFolder = child(0, QByteArray(""));
    idOfPath.insert(QByteArray(""), rootFolder);
    const auto resolve = [&](const QByteArray& rel) {
        // Climb to the nearest folder already resolved, then come down:
        // no recursion, however deep the tree.
        std::vector<QByteArray> pending;
        QByteArray at = rel;
        auto found = idOfPath.constFind(at);
        while (found == idOfPath.constEnd()) {
            pending.push_back(at);
            at = parentOf(at);
            found = idOfPath.constFind(at);
        }
        std::int64_t id = found.value();
        for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
            id = child(id, nameOf(*it));
            idOfPath.insert(*it, id);
        }
        return id;
    };
    std::vector<PackedTotals> packed;
    packed.reserve(rows.size());
    std::int64_t rootBytes = 0;
    QSet<std::int64_t> stored;
    for (const FolderTotalsRow& r : rows) {
        const QByteArray rel = r.path.isNull() ? QByteArray("") : r.path;
        if (rel.isEmpty())
            rootBytes = r.bytes;
        const std::int64_t id = resolve(rel);
        if (stored.contains(id))
            continue; // a path given twice is stored once
        stored.insert(id);
        packed.push_back({id, r.bytes, r.disk, r.files, r.subFolders, r.latest});
    }
    if (!fresh.empty() &&
        !insertMany(
            db, QStringLiteral("INSERT INTO rw_folders (id, root_id, parent_id, name) VALUES "),
            QStringLiteral("(?,?,?,?)"), int(fresh.size()),
            [&](QSqlQuery& q, int i) {
                const NewFolder& f = fresh[std::size_t(i)];
                q.addBindValue(qlonglong(f.id));
                q.addBindValue(qlonglong(rid));
                q.addBindValue(qlonglong(f.parent));
                q.addBindValue(f.name);
            },
            &m_error))
        return fail();

    const std::int64_t sid = nextId("rw_scans");
    if (sid == 0)
        return fail();
    const qsizetype folderCount = qsizetype(packed.size());
    QSqlQuery scan(db);
    scan.prepare(
        QStringLiteral("INSERT INTO rw_scans (id, root_id, taken, kind, complete, "
                       "root_bytes, folder_count, totals) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    scan.addBindValue(qlonglong(sid));
    scan.addBindValue(qlonglong(rid));
    scan.addBindValue(qlonglong(taken));
    scan.addBindValue(kind);
    scan.addBindValue(complete ? 1 : 0);
    scan.addBindValue(qlonglong(rootBytes));
    scan.addBindValue(qlonglong(folderCount));
    scan.addBindValue(packScanTotals(packed, taken));
    if (!scan.exec()) {
        m_error = scan.lastError().text();
        return fail();
    }
    if (!exec(QStringLiteral("COMMIT")))
        return fail();
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
    if (!q.exec()) {
        m_error = q.lastError().text();
        return out;
    }
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

bool HistoryStore::scan(std::int64_t id, StoredScan* out) const
{
    for (StoredScan& s : scans())
        if (s.id == id) {
            *out = std::move(s);
            return true;
        }
    return false;
}

QHash<std::int64_t, QByteArray> HistoryStore::folderPaths(std::int64_t rid) const
{
    struct Entry {
        std::int64_t parent;
        QByteArray name;
    };
    QHash<std::int64_t, Entry> entries;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, parent_id, name FROM rw_folders WHERE root_id = ?"));
    q.addBindValue(qlonglong(rid));
    QHash<std::int64_t, QByteArray> paths;
    if (!q.exec()) {
        m_error = q.lastError().text();
        return paths;
    }
    while (q.next())
        entries.insert(q.value(0).toLongLong(),
                       Entry{q.value(1).toLongLong(), q.value(2).toByteArray()});
    paths.reserve(entries.size());
    std::vector<std::int64_t> pending;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        // Climb to a folder whose path is known (or the root), then build
        // the paths on the way down.
        std::int64_t at = it.key();
        while (!paths.contains(at)) {
            const auto e = entries.constFind(at);
            if (e == entries.constEnd() || e->parent == 0 ||
                pending.size() > std::size_t(entries.size()))
                break;
            pending.push_back(at);
            at = e->parent;
        }
        if (!paths.contains(at))
            paths.insert(at, QByteArray("")); // the root (or a broken chain, shown at the top)
        QByteArray path = paths.value(at);
        for (auto p = pending.rbegin(); p != pending.rend(); ++p) {
            const QByteArray& name = entries.value(*p).name;
            path = path.isEmpty() ? name : path + '/' + name;
            paths.insert(*p, path);
        }
        pending.clear();
    }
    return paths;
}

bool HistoryStore::readScan(std::int64_t id, std::int64_t* rid, std::vector<FolderTotalsRow>* rows,
                            const QHash<std::int64_t, QByteArray>* paths) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT root_id, taken, totals FROM rw_scans WHERE id = ?"));
    q.addBindValue(qlonglong(id));
    if (!q.exec() || !q.next()) {
        m_error = q.lastError().isValid() ? q.lastError().text() : tr("no scan %1").arg(id);
        return false;
    }
    *rid = q.value(0).toLongLong();
    if (!rows)
        return true;
    std::vector<PackedTotals> packed;
    if (!unpackScanTotals(q.value(2).toByteArray(), q.value(1).toLongLong(), &packed)) {
        m_error = tr("the totals of scan %1 cannot be read").arg(id);
        return false;
    }
    rows->clear();
    rows->reserve(packed.size());
    for (const PackedTotals& t : packed) {
        const auto path = paths->constFind(t.folderId);
        if (path == paths->constEnd()) {
            m_error = tr("scan %1 refers to a folder that is not stored").arg(id);
            return false;
        }
        rows->push_back({path.value(), t.bytes, t.disk, t.files, t.subFolders, t.latest});
    }
    return true;
}

std::vector<FolderTotalsRow> HistoryStore::folders(std::int64_t scanId) const
{
    std::vector<FolderTotalsRow> rows;
    if (!beginRead())
        return rows;
    std::int64_t rid = 0;
    if (readScan(scanId, &rid, nullptr, nullptr)) {
        const QHash<std::int64_t, QByteArray> paths = folderPaths(rid);
        if (!readScan(scanId, &rid, &rows, &paths))
            rows.clear();
    }
    endRead();
    return rows;
}

bool HistoryStore::compare(std::int64_t before, std::int64_t after,
                           std::vector<FolderGrowthRow>* rows) const
{
    rows->clear();
    if (!beginRead())
        return false;
    std::int64_t ridBefore = 0, ridAfter = 0;
    std::vector<FolderTotalsRow> a, b;
    bool ok = readScan(before, &ridBefore, nullptr, nullptr) &&
              readScan(after, &ridAfter, nullptr, nullptr);
    if (ok) {
        const QHash<std::int64_t, QByteArray> pathsBefore = folderPaths(ridBefore);
        const QHash<std::int64_t, QByteArray> pathsAfter =
            ridAfter == ridBefore ? pathsBefore : folderPaths(ridAfter);
        ok = readScan(before, &ridBefore, &a, &pathsBefore) &&
             readScan(after, &ridAfter, &b, &pathsAfter);
    }
    endRead();
    if (ok)
        *rows = compareScans(a, b);
    return ok;
}

bool HistoryStore::removeUnusedFolders(std::int64_t rid)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // The folders the root's remaining scans use, and every folder above
    // them (a path is stored as a chain of parents).
    QSet<std::int64_t> used;
    QHash<std::int64_t, std::int64_t> parent;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT id, parent_id FROM rw_folders WHERE root_id = ?"));
        q.addBindValue(qlonglong(rid));
        if (!q.exec()) {
            m_error = q.lastError().text();
            return false;
        }
        while (q.next())
            parent.insert(q.value(0).toLongLong(), q.value(1).toLongLong());
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT taken, totals FROM rw_scans WHERE root_id = ?"));
    q.addBindValue(qlonglong(rid));
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    bool anyScan = false;
    while (q.next()) {
        anyScan = true;
        std::vector<PackedTotals> packed;
        if (!unpackScanTotals(q.value(1).toByteArray(), q.value(0).toLongLong(), &packed)) {
            // Keep every path rather than lose one a scan may need.
            return true;
        }
        for (const PackedTotals& t : packed)
            for (std::int64_t at = t.folderId; at != 0 && !used.contains(at);
                 at = parent.value(at, 0))
                used.insert(at);
    }
    std::vector<std::int64_t> unused;
    for (auto it = parent.constBegin(); it != parent.constEnd(); ++it)
        if (!used.contains(it.key()))
            unused.push_back(it.key());
    if (!unused.empty()) {
        QSqlQuery full(db);
        bool fullPrepared = false;
        for (std::size_t start = 0; start < unused.size(); start += kPerStatement) {
            const std::size_t n = std::min<std::size_t>(kPerStatement, unused.size() - start);
            QSqlQuery partial(db);
            QSqlQuery& del = n == kPerStatement ? full : partial;
            if (n != kPerStatement || !fullPrepared) {
                QStringList marks;
                for (std::size_t i = 0; i < n; ++i)
                    marks << QStringLiteral("?");
                del.prepare(QStringLiteral("DELETE FROM rw_folders WHERE id IN (%1)")
                                .arg(marks.join(QLatin1Char(','))));
                fullPrepared = fullPrepared || n == kPerStatement;
            }
            for (std::size_t i = 0; i < n; ++i)
                del.addBindValue(qlonglong(unused[start + i]));
            if (!del.exec()) {
                m_error = del.lastError().text();
                return false;
            }
        }
    }
    if (!anyScan) {
        QSqlQuery root(db);
        root.prepare(QStringLiteral("DELETE FROM rw_roots WHERE id = ?"));
        root.addBindValue(qlonglong(rid));
        if (!root.exec()) {
            m_error = root.lastError().text();
            return false;
        }
    }
    return true;
}

bool HistoryStore::removeScans(const std::vector<std::int64_t>& ids)
{
    m_error.clear();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite())
        return false;
    QSet<std::int64_t> roots;
    QSqlQuery which(db), scan(db);
    which.prepare(QStringLiteral("SELECT root_id FROM rw_scans WHERE id = ?"));
    scan.prepare(QStringLiteral("DELETE FROM rw_scans WHERE id = ?"));
    for (std::int64_t id : ids) {
        which.bindValue(0, qlonglong(id));
        scan.bindValue(0, qlonglong(id));
        if (!which.exec() || !scan.exec()) {
            m_error = (which.lastError().isValid() ? which : scan).lastError().text();
            exec(QStringLiteral("ROLLBACK"));
            return false;
        }
        if (which.next())
            roots.insert(which.value(0).toLongLong());
    }
    // Paths no scan refers to any more go too.
    for (std::int64_t rid : std::as_const(roots))
        if (!removeUnusedFolders(rid)) {
            exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    if (exec(QStringLiteral("COMMIT")))
        return true;
    exec(QStringLiteral("ROLLBACK"));
    return false;
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
