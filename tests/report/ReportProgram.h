#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

namespace rwtest
{

struct ProgramRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built roomwise-report with the test's environment (its own HOME
// and settings), the given PATH for the search-path flag and any variables
// of `extra`. With `withoutReadOverride`, runs it through setpriv without
// the capabilities that let root read any folder, so a folder of mode 000
// cannot be read even by the root the tests run as.
inline ProgramRun report(const QStringList& args,
                         const QString& searchPath = QStringLiteral("/usr/bin"),
                         const QStringList& extra = {}, bool withoutReadOverride = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), searchPath);
    for (const QString& kv : extra)
        env.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    if (withoutReadOverride)
        p.start(QStringLiteral("/usr/bin/setpriv"),
                QStringList{QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                            QStringLiteral(RW_REPORT_PROGRAM)} +
                    args);
    else
        p.start(QStringLiteral(RW_REPORT_PROGRAM), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    ProgramRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace rwtest
