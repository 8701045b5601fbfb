#include "tests/support/PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVersionNumber>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace rwtest
{

namespace
{

QString g_whyNot;

// The newest installed server's programs, e.g. /usr/lib/postgresql/15/bin.
QString serverBin()
{
    QDir base(QStringLiteral("/usr/lib/postgresql"));
    QVersionNumber best;
    QString found;
    for (const QString& v : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString bin = base.filePath(v) + QStringLiteral("/bin");
        const QVersionNumber n = QVersionNumber::fromString(v);
        if (QFile::exists(bin + QStringLiteral("/initdb")) && n > best) {
            best = n;
            found = bin;
        }
    }
    return found;
}

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

// Runs a server program, as `user` when given (through runuser).
bool run(const QString& user, const QString& program, const QStringList& args, QString* output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (user.isEmpty())
        p.start(program, args);
    else
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), user, QStringLiteral("--"), program} + args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        *output = QStringLiteral("%1 did not finish").arg(program);
        return false;
    }
    *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

std::unique_ptr<PostgresServer>& instance()
{
    static std::unique_ptr<PostgresServer> server;
    return server;
}

} // namespace

PostgresServer* PostgresServer::shared()
{
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<PostgresServer> s(new PostgresServer);
        if (s->start(&g_whyNot))
            instance() = std::move(s);
        else if (!s->m_running)
            s.reset();
        // The server must stop however the program ends normally.
        std::atexit([] { instance().reset(); });
    }
    return instance().get();
}

QString PostgresServer::whyNot()
{
    return g_whyNot;
}

bool PostgresServer::start(QString* why)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        *why = QStringLiteral(
            "Qt's PostgreSQL driver is not installed (Debian package libqt6sql6-psql)");
        return false;
    }
    m_bin = serverBin();
    if (m_bin.isEmpty()) {
        *why = QStringLiteral("no PostgreSQL server programs (Debian package postgresql)");
        return false;
    }
    char pattern[] = "/tmp/rw-pg-XXXXXX";
    if (!::mkdtemp(pattern)) {
        *why = QStringLiteral("cannot make a folder under /tmp");
        return false;
    }
    m_folder = QString::fromLocal8Bit(pattern);
    m_data = m_folder + QStringLiteral("/data");
    QDir().mkpath(m_data);
    if (::geteuid() == 0) {
        // The server refuses to run as root: it runs as the package's user,
        // who must reach and own its folders.
        const passwd* pw = ::getpwnam("postgres");
        if (!pw) {
            *why =
                QStringLiteral("running as root and there is no postgres user to run the server");
            return false;
        }
        m_user = QStringLiteral("postgres");
        ::chmod(pattern, 0755);
        if (::chown(QFile::encodeName(m_data).constData(), pw->pw_uid, pw->pw_gid) != 0 ||
            ::chown(pattern, pw->pw_uid, pw->pw_gid) != 0) {
            *why = QStringLiteral("cannot hand the data folder to the postgres user");
            return false;
        }
    }
    QString out;
    if (!run(m_user, m_bin + QStringLiteral("/initdb"),
             {QStringLiteral("-D"), m_data, QStringLiteral("-U"), QStringLiteral("postgres"),
              QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--no-sync"), QStringLiteral("--locale=C")},
             &out)) {
        *why = QStringLiteral("initdb failed: ") + out.right(400);
        return false;
    }
    for (int attempt = 0; attempt < 3 && !m_running; ++attempt) {
        m_port = freePort();
        const QString options =
            QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                           "-c full_page_writes=off -c synchronous_commit=off")
                .arg(m_port)
                .arg(m_folder);
        m_running =
            run(m_user, m_bin + QStringLiteral("/pg_ctl"),
                {QStringLiteral("-D"), m_data, QStringLiteral("-o"), options, QStringLiteral("-l"),
                 m_folder + QStringLiteral("/server.log"), QStringLiteral("-w"),
                 QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start")},
                &out);
    }
    if (!m_running) {
        *why = QStringLiteral("the server did not start: ") + out.right(400);
        return false;
    }
    return true;
}

QString PostgresServer::freshDatabase()
{
    const QString name = QStringLiteral("rw_test_%1").arg(++m_databases);
    const QString connection = QStringLiteral("rw_test_admin");
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(m_port);
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(QStringLiteral("postgres"));
        if (db.open()) {
            QSqlQuery q(db);
            made = q.exec(QStringLiteral("CREATE DATABASE %1").arg(name));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!made)
        return {};
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(m_port).arg(name);
}

PostgresServer::~PostgresServer()
{
    if (m_running) {
        QString out;
        run(m_user, m_bin + QStringLiteral("/pg_ctl"),
            {QStringLiteral("-D"), m_data, QStringLiteral("-m"), QStringLiteral("immediate"),
             QStringLiteral("stop")},
            &out);
    }
    if (!m_folder.isEmpty())
        QDir(m_folder).removeRecursively();
}

} // namespace rwtest
