// Test main shared by every test program: a QApplication on the offscreen
// platform, a fixed locale, and a fresh temporary home for every single test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "base/BackgroundWork.h"
#include "base/ProgramMessages.h"
#include "platform/ProfileAlerts.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/XSession.h"

#include <cstdio>

namespace rwtest
{
void setTestRoot(const QString& root);
}

namespace
{

// Gives each test its own HOME and XDG folders and a scripted message
// responder that fails loudly on unexpected boxes only when a test asks it to.
class PerTestHome : public ::testing::EmptyTestEventListener
{
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        // The real temporary folder, taken before any test points TMPDIR away.
        static const QString base = QDir::tempPath();
        m_dir = std::make_unique<QTemporaryDir>(base + "/rwtest-XXXXXX");
        const QString root = m_dir->path();
        for (const char* sub : {"home", "config", "data", "cache", "tmp"})
            QDir(root).mkpath(sub);
        setenv("HOME", qPrintable(root + "/home"), 1);
        setenv("XDG_CONFIG_HOME", qPrintable(root + "/config"), 1);
        setenv("XDG_DATA_HOME", qPrintable(root + "/data"), 1);
        setenv("XDG_CACHE_HOME", qPrintable(root + "/cache"), 1);
        setenv("TMPDIR", qPrintable(root + "/tmp"), 1);
        rwtest::setTestRoot(root);
        m_oldCwd = QDir::currentPath();
        rwtest::ScriptedResponder::instance().reset();
        rw::setMessageResponder(&rwtest::ScriptedResponder::instance());
        // What an earlier test's settings file reported must not keep this
        // test's reports quiet.
        rw::ProfileAlerts::reset();
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        // A write a test started in the background (a scan kept in the
        // history) ends before its folder goes.
        rw::waitForBackgroundWork();
        QDir::setCurrent(m_oldCwd);
        rw::setMessageResponder(nullptr);
        // Make unreadable fixture folders removable again.
        if (m_dir)
            std::system(qPrintable("chmod -R u+rwx '" + m_dir->path() + "' 2>/dev/null"));
        // Names that are not UTF-8 cannot be removed through QDir.
        if (m_dir)
            std::system(qPrintable("rm -rf '" + m_dir->path() + "' 2>/dev/null"));
        m_dir.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCwd;
};

} // namespace

int main(int argc, char** argv)
{
    // Every test checks the English source texts and English formats, so
    // the test program, and every program it starts (the X server, the
    // program under test, helpers), runs under English whatever the
    // machine's locale is. LANGUAGE would otherwise choose a translation
    // even under LC_ALL.
    setenv("LC_ALL", "en_US.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    setenv("LANGUAGE", "en_US", 1);
    // Window-system tests get an X server of their own before the
    // application connects to a display.
    // RW_XVFB_SCALE=n does the same with every window drawn n times its size.
    if (qEnvironmentVariableIsSet("RW_XVFB_SCALE"))
        qputenv("QT_SCALE_FACTOR", qgetenv("RW_XVFB_SCALE"));
    if (qEnvironmentVariableIsSet("RW_XVFB") || qEnvironmentVariableIsSet("RW_XVFB_SCALE")) {
        if (!rwtest::XSession::start()) {
            std::fprintf(stderr, "Xvfb could not be started\n");
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
        std::atexit(&rwtest::XSession::stop);
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    setenv("TZ", "UTC", 0);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roomwise '95"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestHome);
    return RUN_ALL_TESTS();
}
