// "What grew" over a real store in the test's own data folder: the kept
// folders listed (this machine's first), aborted scans never offered, the
// latest two compared by default, "a week before" chosen, the rows as the
// clipboard gets them, the chart of every scan, and a folder's row found.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QSysInfo>

#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "controls/SizeHistoryChart.h"
#include "framework/ResultGridController.h"
#include "history/core/HistoryStore.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/grew/TfrmGrew.h"

using namespace rw;

namespace
{

constexpr std::int64_t kDay = 24 * 3600;
constexpr std::int64_t kStart = 1'800'000'000;
const QByteArray kRoot("/data/sh\xffre", 11);

std::vector<FolderTotalsRow> scanRows(std::int64_t docs, std::int64_t logs, bool withOld)
{
    std::vector<FolderTotalsRow> rows = {{"", docs + logs + (withOld ? 5 : 0), 0, 3, 2, 0},
                                         {"docs", docs, 0, 1, 0, 0},
                                         {"lo\tgs", logs, 0, 1, 0, 0}};
    if (withOld)
        rows.push_back({"old", 5, 0, 1, 0, 0});
    return rows;
}

struct Kept {
    std::int64_t first = 0, second = 0, third = 0;
};

// Three whole scans of kRoot on this machine (a week and a day apart), an
// aborted one after them, and one of another machine.
Kept keepScans()
{
    HistoryStore store;
    EXPECT_TRUE(store.open(HistoryStore::defaultLocation())) << store.error().toStdString();
    const QString here = QSysInfo::machineHostName();
    Kept k;
    k.first = store.addScan(here, kRoot, kStart, "main", true, scanRows(100, 10, true));
    k.second = store.addScan(here, kRoot, kStart + 8 * kDay, "all", true, scanRows(100, 60, true));
    k.third = store.addScan(here, kRoot, kStart + 9 * kDay, "main", true, scanRows(400, 20, false));
    store.addScan(here, kRoot, kStart + 10 * kDay, "main", false, scanRows(1, 1, false));
    store.addScan("elsewhere", "/srv", kStart + 11 * kDay, "import", true, scanRows(1, 1, false));
    return k;
}

} // namespace

TEST(TfrmGrew, TheLatestTwoWholeScansOfThisMachinesFolderAreComparedFirst)
{
    const Kept kept = keepScans();
    TfrmGrew w;
    ASSERT_TRUE(w.openStore());
    EXPECT_EQ(w.objectName(), "frmGrew");
    ASSERT_EQ(w.rootBox()->count(), 2);
    EXPECT_EQ(w.rootBox()->itemText(0),
              QString("/data/sh\\xFFre on %1").arg(QSysInfo::machineHostName()));
    EXPECT_EQ(w.rootBox()->itemText(1), "/srv on elsewhere");

    ASSERT_EQ(w.scans().size(), 3u) << "the aborted scan is not offered";
    EXPECT_EQ(w.scans()[0].id, kept.third);
    ASSERT_EQ(w.chart()->points().size(), 3u);
    EXPECT_EQ(w.chart()->points().back().bytes, 420);

    // The latest against the one before: docs grew, logs shrank, old went.
    w.gridController()->btClipClick();
    const QString clip = QApplication::clipboard()->text();
    EXPECT_EQ(clip, "Grown\t100\t400\t+300\t117.65\t/data/sh\\xFFre/docs\n"
                    "Grown\t165\t420\t+255\t100.00\t/data/sh\\xFFre\n"
                    "Shrunk\t60\t20\t-40\t-15.69\t/data/sh\\xFFre/lo\\tgs\n"
                    "Gone\t5\t0\t-5\t-1.96\t/data/sh\\xFFre/old\n")
        << clip.toStdString();
    EXPECT_TRUE(w.statusText().startsWith(
        "Folders changed: 4. /data/sh\\xFFre went from 165 bytes to 420 bytes (+255 bytes)"))
        << w.statusText().toStdString();

    // Sorting is the grid's: by difference, largest first.
    w.gridController()->sortByItem(3);
    EXPECT_EQ(w.gridController()->model()->cell(0, TfrmGrew::colDifference), "+300");
}

TEST(TfrmGrew, AWeekBeforeAndAnyEarlierScanCanBeChosen)
{
    const Kept kept = keepScans();
    TfrmGrew w;
    ASSERT_TRUE(w.openStore());
    auto* before = w.findChild<QComboBox*>("cbBefore");
    ASSERT_NE(before, nullptr);
    // "A week before" first, then the earlier scans, the one before chosen.
    ASSERT_EQ(before->count(), 3);
    EXPECT_EQ(before->itemText(0), "A week before");
    EXPECT_EQ(before->currentIndex(), 1);

    // Nine days back is the first scan: logs grew since then.
    before->setCurrentIndex(0);
    ResultGridModel* model = w.gridController()->model();
    QStringList folders;
    for (std::int64_t r = 0; r < model->rows(); ++r)
        folders << model->cell(r, TfrmGrew::colChange) + " " + model->cell(r, TfrmGrew::colFolder);
    EXPECT_EQ(folders, (QStringList{"Grown /data/sh\\xFFre", "Grown /data/sh\\xFFre/docs",
                                    "Grown /data/sh\\xFFre/lo\\tgs", "Gone /data/sh\\xFFre/old"}));

    // Any two by id; a scan of no kept folder is refused.
    EXPECT_TRUE(w.chooseScans(kept.second, kept.first));
    EXPECT_EQ(model->rows(), 2);
    EXPECT_EQ(model->cell(1, TfrmGrew::colDifference), "+50");
    EXPECT_FALSE(w.chooseScans(kept.first, kept.second)) << "the earlier one must be older";
}

TEST(TfrmGrew, AFolderOpensOnItsKeptRootWithItsRowChosen)
{
    keepScans();
    TfrmGrew w;
    ASSERT_TRUE(w.openStore());
    ASSERT_TRUE(w.showFolder(kRoot + "/lo\tgs"));
    EXPECT_EQ(w.rootBox()->currentIndex(), 0);
    const int row = w.gridController()->grid()->currentRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(w.gridController()->rowPathBytes(row), kRoot + "/lo\tgs");

    EXPECT_FALSE(w.showFolder("/nowhere/kept"));
    EXPECT_TRUE(w.statusText().startsWith("No kept scan holds /nowhere/kept"));
}

TEST(TfrmGrew, LookingAtAStoreThatIsNotThereMakesNone)
{
    const QString file = rwtest::testRoot() + "/none/history.sqlite";
    TfrmGrew w;
    EXPECT_TRUE(w.openStore(file));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(w.rootBox()->count(), 0);
    EXPECT_EQ(w.gridController()->model()->rows(), 0);
    EXPECT_TRUE(w.statusText().startsWith("No scans are kept yet")) << w.statusText().toStdString();

    // A file that is no store is said in the status line.
    QFile junk(rwtest::testRoot() + "/junk.sqlite");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'j'));
    junk.close();
    EXPECT_FALSE(w.openStore(junk.fileName()));
    EXPECT_TRUE(w.statusText().contains("cannot be opened")) << w.statusText().toStdString();
}

// "Import scan…": an ncdu export of another machine joins the store (made
// now, since importing was asked for) and is shown; a file that is no
// export is said in a box and changes nothing.
TEST(TfrmGrew, AnImportedScanIsKeptUnderItsMachineAndShown)
{
    rwtest::FixtureBuilder fb;
    const QString file = fb.fileWithContent(
        "web-01.json",
        "[1,2,{\"progname\":\"ncdu\",\"progver\":\"1.18\",\"timestamp\":1600000000},\n"
        "[{\"name\":\"/srv\",\"dev\":9},{\"name\":\"f\",\"asize\":10,\"dsize\":4096},"
        "[{\"name\":\"sub\"},{\"name\":\"g\",\"asize\":5,\"dsize\":4096}]]]");
    const QString junk = fb.fileWithContent("junk.json", "{\"not\": \"an export\"}");
    TfrmGrew w;
    ASSERT_TRUE(w.openStore());
    ASSERT_EQ(w.rootBox()->count(), 0);

    EXPECT_FALSE(w.importScan(junk));
    ASSERT_EQ(rwtest::ScriptedResponder::instance().texts().size(), 1);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts()[0].contains("could not be imported"));
    EXPECT_EQ(w.rootBox()->count(), 0);

    ASSERT_TRUE(w.importScan(file));
    ASSERT_EQ(w.rootBox()->count(), 1);
    EXPECT_EQ(w.rootBox()->currentText(), "/srv on web-01");
    ASSERT_EQ(w.scans().size(), 1u);
    EXPECT_EQ(w.scans()[0].kind, "import");
    EXPECT_EQ(w.chart()->points().front().bytes, 15);
    EXPECT_TRUE(w.statusText().startsWith("Only one scan of this folder is kept"));
    EXPECT_TRUE(QFile::exists(HistoryStore::defaultLocation()));
}
