#include "tests/support/TestEnvironment.h"

#include <QDir>

namespace rwtest {

namespace {
QString& currentRoot()
{
    static QString root;
    return root;
}
} // namespace

void setTestRoot(const QString& root) { currentRoot() = root; }

QString testRoot() { return currentRoot(); }

QString fixtureRoot()
{
    const QString fx = currentRoot() + QStringLiteral("/fx");
    QDir().mkpath(fx);
    return fx;
}

QString settingsFilePath()
{
    return currentRoot() + QStringLiteral("/config/roomwise/roomwse.ini");
}

} // namespace rwtest
