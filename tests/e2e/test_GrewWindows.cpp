// What grew as a user meets it: Folder Hogs run twice over a folder with a
// sub-folder grown in between (each run kept in the history in the test's
// own data folder), "Compare with an earlier scan…" from the grid's menu,
// and the comparison read back through the clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "base/BackgroundWork.h"
#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "history/core/HistoryStore.h"
#include "launcher/ProgramWiring.h"
#include "platform/DisplayName.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dirhog/TfrmDirHog.h"
#include "tools/grew/TfrmGrew.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

// Runs "&Main folders" and waits for the grid.
void runMainFolders(TfrmDirHog& w)
{
    XSession::click(child(w, "btTop"));
    ASSERT_TRUE(XSession::waitFor([&] { return child(w, "btClip")->isVisible(); }));
}

} // namespace

TEST(GrewWindowSystem, FolderHogsTwiceThenWhatGrewFromTheGridMenu)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/logs/a.log", 1000);
    fb.file("tree/docs/b.txt", 5000);
    const QString tree = fb.path("tree");
    writeFile(tree + "/odd\tname", "x\xff.bin", 300);
    fb.mapDrive('D', "tree");
    wireProgram();
    QByteArray browsed;
    const auto savedBrowser = windowHooks().openBrowser;
    windowHooks().openBrowser = [&](QWidget*, const QByteArray& folder, const QString&,
                                    const QByteArray&) { browsed = folder; };

    std::unique_ptr<QDialog> made = createDirHogWindow(nullptr);
    auto* w = static_cast<TfrmDirHog*>(made.get());
    bool compared = false;
    runModal(*w, [&] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        runMainFolders(*w);
        // Between the runs the logs grow by 40,000 bytes and a folder comes.
        waitForBackgroundWork();
        writeFile(tree + "/logs", "c.log", 40000);
        writeFile(tree + "/new\nfolder", "d.bin", 700);
        runMainFolders(*w);
        waitForBackgroundWork();

        ResultGridView& grid = *w->gridController()->grid();
        const int row = rowEndingWith(grid, TfrmDirHog::colName, "/logs");
        ASSERT_GE(row, 0);
        clickCell(grid, row, TfrmDirHog::colName);

        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* grew = qobject_cast<TfrmGrew*>(QApplication::activeModalWidget());
            if (compared || !grew || !XSession::shown(grew))
                return;
            compared = true;
            // Opened on the scanned folder, its row chosen.
            ResultGridView& rows = *grew->gridController()->grid();
            EXPECT_EQ(grew->gridController()->rowPathBytes(rows.currentRow()),
                      QFile::encodeName(tree) + "/logs");
            saveShot(grew, "grew-compared");
            XSession::click(child(*grew, "btClip"));
            const QString clip = XSession::clipboardText();
            const QString shown = rw::displayName(QFile::encodeName(tree));
            EXPECT_EQ(clip, "Grown\t6,300\t47,000\t+40,700\t100.00\t" + shown + "\n" +
                                "Grown\t1,000\t41,000\t+40,000\t98.28\t" + shown + "/logs\n" +
                                "New\t0\t700\t+700\t1.72\t" + shown + "/new\\nfolder\n")
                << clip.toStdString();
            EXPECT_TRUE(
                child<QLabel>(*grew, "pnlStatus")->text().startsWith("Folders changed: 3."));
            // A row's Browse opens the browser on that folder.
            const int logs = rowEndingWith(rows, TfrmGrew::colFolder, "/logs");
            ASSERT_GE(logs, 0);
            EXPECT_TRUE(chooseFromMenu(rows.viewport(), cellPoint(rows, logs, TfrmGrew::colFolder),
                                       "Browse1"));
            EXPECT_EQ(browsed, QFile::encodeName(tree) + "/logs");
            XSession::key(grew, {"Escape"});
            EXPECT_TRUE(XSession::waitFor([&] { return !grew->isVisible(); }));
        });
        poll.start(20);
        EXPECT_TRUE(chooseFromMenu(grid.viewport(), cellPoint(grid, row, TfrmDirHog::colName),
                                   "CompareEarlier1"));
        EXPECT_TRUE(XSession::waitFor([&] { return compared; }));
    });
    windowHooks().openBrowser = savedBrowser;
    EXPECT_TRUE(compared);
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty())
        << ScriptedResponder::instance().texts().join(" | ").toStdString();

    // Both runs are in the store: whole, of this root, as main-folder scans.
    HistoryStore store;
    ASSERT_TRUE(store.open(HistoryStore::defaultLocation()));
    const std::vector<StoredScan> scans = store.scans(QFile::encodeName(tree));
    ASSERT_EQ(scans.size(), 2u);
    EXPECT_EQ(scans[0].kind, "main");
    EXPECT_EQ(scans[0].rootBytes, 47000);
    EXPECT_EQ(scans[1].rootBytes, 6300);
}

// With [History] Keep=0 a run keeps nothing.
TEST(GrewWindowSystem, TheSettingsSwitchKeepsNothing)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/logs/a.log", 1000);
    fb.file("tree/docs/b.txt", 2000);
    fb.mapDrive('D', "tree");
    QFile ini(rwtest::settingsFilePath());
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\n[History]\nKeep=0\n");
    ini.close();

    std::unique_ptr<QDialog> made = createDirHogWindow(nullptr);
    auto* w = static_cast<TfrmDirHog*>(made.get());
    runModal(*w, [&] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        runMainFolders(*w);
    });
    waitForBackgroundWork();
    EXPECT_FALSE(QFile::exists(HistoryStore::defaultLocation()));
}
