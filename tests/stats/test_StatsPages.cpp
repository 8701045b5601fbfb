#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QRadioButton>
#include <QTabWidget>

#include "controls/CheckListBox.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/stats/TfrmStatistics.h"

using rw::TfrmStatistics;

namespace
{

// Lets the window's timers run for `ms` milliseconds.
void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // What a chart let go of is deleted as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A drive with files of many sizes, ages, hours and attributes, and a deep
// folder with a long path.
class StatsPages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QDateTime now = QDateTime::currentDateTime();
        const int ages[] = {0, 3, 12, 45, 90, 200, 500, 900, 1300, 2000};
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("r/f%1.txt").arg(i);
            fx.file(name, 100 + i * 150);
            const QDateTime when = now.addDays(-ages[i % 10]).addSecs(-3600 * (i % 7));
            fx.setTimes(name, when, when);
        }
        fx.file("r/a.doc", 40000);
        fx.file("r/b.doc", 200000);
        fx.sparseFile("r/big.iso", 3 * 1048576);
        fx.sparseFile("r/huge.iso", 20 * 1048576);
        fx.file("r/.hidden1", 5000);
        fx.file("r/.hidden2", 7000);
        fx.file("r/locked.dat", 9000);
        fx.setMode("r/locked.dat", 0444);
        const QString longName(70, QLatin1Char('n'));
        fx.file("r/" + longName + "/" + longName + "/" + longName + "/deep.txt", 10);
        fx.file("s/one.bin", 1000);
        fx.mapDrive('R', "r");
        fx.mapDrive('S', "s");
        ASSERT_TRUE(rw::findDrive('R', &r));
        ASSERT_TRUE(rw::findDrive('S', &s));
        window = std::make_unique<TfrmStatistics>();
        window->show();
    }

    // The window's image on page `page`, written to the test's folder.
    QImage grabPage(TfrmStatistics::Page page, const QString& name)
    {
        window->showPage(page);
        runFor(50);
        const QImage image = window->grab().toImage();
        const QString dir = qEnvironmentVariable("RW_GRAB_DIR", rwtest::testRoot());
        image.save(dir + "/" + name + ".png");
        return image;
    }

    rwtest::FixtureBuilder fx;
    rw::DriveInfo r;
    rw::DriveInfo s;
    std::unique_ptr<TfrmStatistics> window;
};

TEST_F(StatsPages, EveryPageDrawsAfterACollection)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    auto* drives = window->findChild<rw::CheckListBox*>("pckStatDrive");
    drives->uncheckAll();
    drives->checkLine(r.entryText());
    drives->checkLine(s.entryText());
    window->showPage(TfrmStatistics::Deleted);
    window->showPage(TfrmStatistics::Space);
    // The bars grow to their full depth.
    runFor(700);
    const char* names[] = {"space",   "deleted",  "types",    "sizes",     "overhang", "access",
                           "created", "modified", "combined", "attribute", "time"};
    for (int p = 0; p <= TfrmStatistics::Time; ++p) {
        const QImage image = grabPage(TfrmStatistics::Page(p), QString::fromLatin1(names[p]));
        EXPECT_EQ(image.width(), window->width()) << names[p];
    }
}

} // namespace
