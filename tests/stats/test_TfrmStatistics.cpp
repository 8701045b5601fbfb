#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPieSeries>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "framework/DriveCheckList.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/stats/StatisticsWindowFactory.h"
#include "tools/stats/TfrmStatistics.h"

using rw::TfrmStatistics;
using rwtest::ScriptedResponder;

namespace
{

QString labelText(QWidget* w, const char* name)
{
    auto* l = w->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// The text of a cell of any of the window's grids.
QString cell(QAbstractItemView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

int rowCount(QAbstractItemView* grid)
{
    return grid->model()->rowCount();
}

TEST(TfrmStatistics, DeletedPageShowsTotalsAndResets)
{
    TfrmStatistics w;
    w.show();
    w.showPage(TfrmStatistics::Deleted);
    EXPECT_EQ(labelText(&w, "lblDelFiles"), "n/a");
    EXPECT_EQ(labelText(&w, "lblWasteBytes"), "n/a");
    EXPECT_EQ(labelText(&w, "lblSince1"), "");
    EXPECT_FALSE(w.findChild<QWidget*>("pnlNotYet")->isVisible());

    ASSERT_TRUE(rw::addDeletionTotals(2, 1500, 0, 0, QDate(2024, 3, 4)));
    w.showPage(TfrmStatistics::Space);
    w.showPage(TfrmStatistics::Deleted);
    EXPECT_EQ(labelText(&w, "lblDelFiles"), "2 files");
    EXPECT_EQ(labelText(&w, "lblDelBytes"), "1,500 bytes");
    EXPECT_EQ(labelText(&w, "lblWasteFiles"), "n/a");
    EXPECT_TRUE(labelText(&w, "lblSince1").startsWith("Since "));

    auto* reset = w.findChild<QPushButton*>("Button1");
    // Answered No: nothing changes.
    ScriptedResponder::instance().queueAnswer(rw::MessageAnswer::No);
    reset->click();
    EXPECT_EQ(rw::readDeletionTotals().filesDeleted, 2);
    EXPECT_EQ(labelText(&w, "lblDelFiles"), "2 files");

    ScriptedResponder::instance().queueAnswer(rw::MessageAnswer::Yes);
    reset->click();
    EXPECT_EQ(ScriptedResponder::instance().texts().last(), "Reset cumulative totals?");
    EXPECT_EQ(ScriptedResponder::instance().entries().last().kind, rw::MessageKind::Information);
    const rw::DeletionTotals t = rw::readDeletionTotals();
    EXPECT_EQ(t.filesDeleted, -1);
    EXPECT_EQ(t.bytesDeleted, -1);
    EXPECT_EQ(t.sinceDay, -1);
    EXPECT_EQ(labelText(&w, "lblDelFiles"), "n/a");
    EXPECT_EQ(labelText(&w, "lblSince1"), "");
}

class StatisticsRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fx.file("d/a.txt", 100);
        fx.file("d/b.TXT", 300);
        fx.file("d/sub/big.bin", 40000);
        fx.file("d/sub/noext", 5);
        fx.file("e/x.doc", 10);
        fx.mapDrive('D', "d");
        fx.mapDrive('E', "e");
        ASSERT_TRUE(rw::findDrive('D', &d));
        ASSERT_TRUE(rw::findDrive('E', &e));
        window = std::make_unique<TfrmStatistics>();
        window->show();
    }

    rwtest::FixtureBuilder fx;
    rw::DriveInfo d;
    rw::DriveInfo e;
    std::unique_ptr<TfrmStatistics> window;
};

TEST_F(StatisticsRun, OneDriveFillsTypesSizesAndOverhang)
{
    TfrmStatistics& w = *window;
    EXPECT_EQ(w.windowTitle(), "File Statistics Not Yet Collected");
    w.showPage(TfrmStatistics::Types);
    EXPECT_TRUE(w.findChild<QWidget*>("pnlNotYet")->isVisible());

    ASSERT_TRUE(w.collect({d.entryText()}, rw::TypeFilter::AllFiles));
    EXPECT_TRUE(ScriptedResponder::instance().texts().first().startsWith(
        "Disk Drive " + d.entryText() + " will be scanned."));
    EXPECT_EQ(w.windowTitle(), "Statistics completed for drives D: ");
    EXPECT_EQ(w.statusText(), "Finished - 4 files processed");
    EXPECT_FALSE(w.findChild<QWidget*>("pnlNotYet")->isVisible());

    // The type grid ends in extension order.
    auto* types = w.findChild<QAbstractItemView*>("gridTypes");
    ASSERT_EQ(rowCount(types), 3);
    EXPECT_EQ(cell(types, 0, 0), "");
    EXPECT_EQ(cell(types, 1, 0), ".BIN");
    EXPECT_EQ(cell(types, 1, 2), "40,000");
    EXPECT_EQ(cell(types, 2, 0), ".TXT");
    EXPECT_EQ(cell(types, 2, 3), "2");
    EXPECT_EQ(cell(types, 2, 4), "200");

    auto* sizes = w.findChild<QTableWidget*>("gridSizes");
    EXPECT_EQ(cell(sizes, 0, 0), "Over 16MB");
    EXPECT_EQ(cell(sizes, 11, 0), "0 - 16K");
    EXPECT_EQ(cell(sizes, 11, 2), "3");
    EXPECT_EQ(cell(sizes, 9, 1), "40,000");

    auto* notebook = w.findChild<QTabWidget*>("OvcNotebook1");
    EXPECT_TRUE(notebook->isTabEnabled(TfrmStatistics::Overhang));
    EXPECT_EQ(labelText(&w, "lblNumFiles"), "Number of files scanned: 4");
    EXPECT_EQ(labelText(&w, "lblSize"), "39 KB");
    // 100 + 300 + 40000 + 5 bytes leave 4096*4 - 40405 % 4096 ... at 4K.
    const std::int64_t slack4k = (4096 - 100) + (4096 - 300) + (4096 - 40000 % 4096) + (4096 - 5);
    EXPECT_EQ(labelText(&w, "lblOver1"), rw::FormatGrouped(slack4k));

    auto* access = w.findChild<QTableWidget*>("gridAccess");
    EXPECT_EQ(cell(access, 0, 0), "Over 4 years");
    EXPECT_EQ(cell(access, 9, 0), "Not recorded");
    EXPECT_EQ(cell(access, 8, 2), "4") << "all files were touched today";
}

TEST(TfrmStatistics, DatesOutsideThePackedYearsShowByTheirRealDate)
{
    rwtest::FixtureBuilder fx;
    fx.file("y/epoch.txt", 10);
    fx.file("y/future.txt", 20);
    const QDateTime epoch = QDateTime::fromSecsSinceEpoch(0);
    const QDateTime future(QDate(2200, 1, 10), QTime(7, 45));
    fx.setTimes("y/epoch.txt", epoch, epoch);
    fx.setTimes("y/future.txt", future, future);
    fx.mapDrive('Y', "y");
    rw::DriveInfo y;
    ASSERT_TRUE(rw::findDrive('Y', &y));
    TfrmStatistics w;
    w.show();
    ASSERT_TRUE(w.collect({y.entryText()}, rw::TypeFilter::AllFiles));

    auto* modified = w.findChild<QTableWidget*>("gridModified");
    ASSERT_NE(modified, nullptr);
    EXPECT_EQ(cell(modified, 0, 0), "Over 4 years");
    EXPECT_EQ(cell(modified, 0, 2), "2");
    EXPECT_EQ(cell(modified, 9, 0), "Not recorded");
    EXPECT_EQ(cell(modified, 9, 2), "0");

    w.showPage(TfrmStatistics::Time);
    QChart* time = w.findChild<QChartView*>("chartTime")->chart();
    auto* written = qobject_cast<QLineSeries*>(time->series().first());
    ASSERT_NE(written, nullptr);
    QList<int> perHour(24, 0);
    for (const QPointF& p : written->points())
        perHour[int(p.x())] = int(p.y());
    QList<int> expected(24, 0);
    ++expected[epoch.time().hour()];
    ++expected[future.time().hour()];
    EXPECT_EQ(perHour, expected);
}

TEST_F(StatisticsRun, TwoDrivesAddUpAndDisableOverhang)
{
    TfrmStatistics& w = *window;
    ASSERT_TRUE(w.collect({d.entryText(), e.entryText()}, rw::TypeFilter::Include,
                          {"*.doc\tWord", "*.txt\tText"}));
    EXPECT_TRUE(ScriptedResponder::instance().texts().first().startsWith(
        "Since you selected more than one drive"));
    EXPECT_EQ(w.windowTitle(), "Statistics completed for drives D: E: ");
    EXPECT_EQ(w.statusText(), "Finished - 5 files processed 3 files found");
    auto* notebook = w.findChild<QTabWidget*>("OvcNotebook1");
    EXPECT_FALSE(notebook->isTabEnabled(TfrmStatistics::Overhang));
    auto* types = w.findChild<QAbstractItemView*>("gridTypes");
    ASSERT_EQ(rowCount(types), 2);
    EXPECT_EQ(cell(types, 0, 0), ".DOC");
    EXPECT_EQ(cell(types, 0, 3), "1");
    EXPECT_EQ(cell(types, 1, 2), "400");
}

TEST_F(StatisticsRun, NoCapacityStopsWithAnError)
{
    TfrmStatistics& w = *window;
    EXPECT_FALSE(w.collect({"q: [/nowhere]"}, rw::TypeFilter::AllFiles));
    ASSERT_EQ(ScriptedResponder::instance().texts().size(), 1);
    EXPECT_TRUE(ScriptedResponder::instance().texts().first().startsWith(
        "Could not compute the total size"));
    EXPECT_FALSE(w.collected());
}

TEST_F(StatisticsRun, SpacePageFollowsTheTickedDrives)
{
    TfrmStatistics& w = *window;
    auto factoryWindow = rw::createStatisticsWindow();
    EXPECT_NE(dynamic_cast<TfrmStatistics*>(factoryWindow.get()), nullptr);

    auto* drives = w.findChild<rw::CheckListBox*>("pckStatDrive");
    drives->uncheckAll();
    EXPECT_EQ(labelText(&w, "lblTotal"), "");
    EXPECT_FALSE(w.findChild<QWidget*>("chartSpaceBar")->isVisible());

    ASSERT_TRUE(drives->checkLine(d.entryText()));
    rw::DriveGeometry g;
    ASSERT_TRUE(rw::driveGeometry('D', &g));
    const double kb = double(g.totalBytes()) / 1024;
    const QString unit = kb >= 10000 ? " MB" : " KB";
    EXPECT_EQ(labelText(&w, "lblTotal"),
              rw::FormatGrouped(std::int64_t(kb >= 10000 ? kb / 1024 : kb)) + unit);
    EXPECT_TRUE(w.findChild<QWidget*>("chartSpaceBar")->isVisible());
}

TEST(TfrmStatistics, SpacePageLeavesOutTheFloppyLetters)
{
    rwtest::FixtureBuilder fx;
    fx.file("a/x.txt", 10);
    fx.file("b/y.txt", 10);
    fx.file("c/z.txt", 10);
    fx.mapDrive('A', "a");
    fx.mapDrive('B', "b");
    fx.mapDrive('M', "c");
    rw::DriveInfo m;
    ASSERT_TRUE(rw::findDrive('M', &m));
    TfrmStatistics w;
    const QStringList listed = w.findChild<rw::CheckListBox*>("pckStatDrive")->lines();
    EXPECT_TRUE(listed.contains(m.entryText()));
    for (const QString& entry : listed)
        EXPECT_FALSE(entry.startsWith('a') || entry.startsWith('b')) << entry.toStdString();
    // The other windows still offer them.
    EXPECT_TRUE(rw::DriveEntryTexts().first().startsWith('a'));
}

TEST(TfrmStatistics, TypePieShowsAtMostTwelveTypesAndTheGridSorts)
{
    rwtest::FixtureBuilder fx;
    for (int i = 1; i <= 20; ++i)
        fx.file(QStringLiteral("t/f.e%1").arg(i, 2, 10, QLatin1Char('0')), i * 10);
    fx.file("t/empty.zz", 0);
    fx.mapDrive('T', "t");
    rw::DriveInfo t;
    ASSERT_TRUE(rw::findDrive('T', &t));
    TfrmStatistics w;
    w.show();
    ASSERT_TRUE(w.collect({t.entryText()}, rw::TypeFilter::AllFiles));
    w.showPage(TfrmStatistics::Types);

    auto* pieView = w.findChild<QChartView*>("chartTypesPie");
    ASSERT_EQ(pieView->chart()->series().size(), 1);
    auto* pie = qobject_cast<QPieSeries*>(pieView->chart()->series().first());
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->count(), 12);
    EXPECT_TRUE(pie->slices().first()->label().startsWith("E20 File")) << "largest first";
    EXPECT_DOUBLE_EQ(pie->pieStartAngle(), 60);
    w.findChild<QScrollBar*>("ScrollBar2")->setValue(100);
    EXPECT_DOUBLE_EQ(pie->pieStartAngle(), 100);

    // The grid is back in extension order after the run; a type with no
    // bytes shows an average of 0.
    auto* grid = w.findChild<QAbstractItemView*>("gridTypes");
    ASSERT_EQ(rowCount(grid), 21);
    EXPECT_EQ(cell(grid, 0, 0), ".E01");
    EXPECT_EQ(cell(grid, 20, 0), ".ZZ");
    EXPECT_EQ(cell(grid, 20, 4), "0");

    for (QRadioButton* rb : w.findChildren<QRadioButton*>()) {
        if (rb->text() == "Listing" && rb->isVisibleTo(&w) &&
            rb->parentWidget()->objectName() == "rgTypes")
            rb->click();
    }
    EXPECT_TRUE(grid->isVisible());
    EXPECT_FALSE(pieView->isVisible());
    QAction* bySize = nullptr;
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == "Sort by &Size")
            bySize = a;
    ASSERT_NE(bySize, nullptr);
    bySize->trigger();
    EXPECT_TRUE(bySize->isChecked());
    EXPECT_EQ(cell(grid, 0, 0), ".E20");
    EXPECT_EQ(cell(grid, 0, 2), "200");
    EXPECT_EQ(cell(grid, 20, 0), ".ZZ");
}

TEST_F(StatisticsRun, PrintsPagesAndCloseHides)
{
    TfrmStatistics& w = *window;
    ASSERT_TRUE(w.collect({d.entryText()}, rw::TypeFilter::AllFiles));
    const QStringList pages{"types.pdf", "sizes.pdf"};
    w.showPage(TfrmStatistics::Types);
    for (QRadioButton* rb : w.findChildren<QRadioButton*>())
        if (rb->text() == "Listing" && rb->parentWidget()->objectName() == "rgTypes")
            rb->click();
    for (const QString& name : pages) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString file = rwtest::testRoot() + "/" + name;
        printer.setOutputFileName(file);
        EXPECT_TRUE(w.printPage(&printer)) << name.toStdString();
        EXPECT_GT(QFileInfo(file).size(), 0) << name.toStdString();
        w.showPage(TfrmStatistics::Sizes);
    }

    // Close hides the window when no run goes; the figures stay.
    w.findChild<QPushButton*>("btCancel")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.stats().filesProcessed(), 4);
    w.show();
    EXPECT_EQ(rowCount(w.findChild<QAbstractItemView*>("gridTypes")), 3);
}

} // namespace
