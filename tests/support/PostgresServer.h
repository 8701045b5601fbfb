#pragma once

#include <QString>

namespace rwtest
{

// A PostgreSQL server of the test's own: initdb and pg_ctl from Debian's
// postgresql package run on a fresh data folder under /tmp, listening on a
// free loopback port only, stopped and removed when the program ends. No
// system service is used or touched. When the program runs as root the
// server runs as the package's `postgres` user (the server refuses root).
class PostgresServer
{
public:
    // The one server of this test program, started on first use. Null
    // when it cannot run here; whyNot() then says why, for a skip message.
    static PostgresServer* shared();
    static QString whyNot();

    // A new, empty database on the server, as a postgresql:// URL; empty
    // when it could not be made.
    QString freshDatabase();

    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

private:
    PostgresServer() = default;
    bool start(QString* why);

    QString m_bin;
    QString m_folder;
    QString m_data;
    QString m_user;
    int m_port = 0;
    int m_databases = 0;
    bool m_running = false;
};

} // namespace rwtest
