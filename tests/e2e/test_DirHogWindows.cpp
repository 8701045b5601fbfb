#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include <cerrno>
#include <cstring>

#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "platform/Trash.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/WithoutReadOverride.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dirhog/TfrmDirHog.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

ResultGridView& gridOf(TfrmDirHog& w)
{
    return *w.gridController()->grid();
}

} // namespace

TEST(DirHogWindowSystem, MainFoldersThenDeleteAndRecycleFoldersFromTheirRows)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/big/a.bin", 30000);
    fb.file("tree/big/deeper/b.bin", 20000);
    const QString tree = fb.path("tree");
    writeFile(tree + "/odd\tfolder", "x\xff.bin", 9000);
    fb.file("tree/small/c.bin", 100);
    fb.mapDrive('D', "tree");
    const QByteArray oddFolder = QFile::encodeName(tree) + "/odd\tfolder";

    std::unique_ptr<QDialog> made = createDirHogWindow(nullptr);
    auto* w = static_cast<TfrmDirHog*>(made.get());
    runModal(*w, [&] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        XSession::click(child(*w, "btTop"));
        ResultGridView& grid = gridOf(*w);
        ASSERT_TRUE(XSession::waitFor([&] { return grid.model()->rowCount() >= 3; }));
        const int bigRow = rowEndingWith(grid, TfrmDirHog::colName, "/big");
        const int oddRow = rowEndingWith(grid, TfrmDirHog::colName, "/odd\\tfolder");
        ASSERT_GE(bigRow, 0);
        ASSERT_GE(oddRow, 0);
        // Largest first; the main folder counts its whole sub-tree.
        EXPECT_EQ(grid.model()->index(bigRow, TfrmDirHog::colSize).data().toString(), "50,000");
        EXPECT_EQ(grid.model()->index(bigRow, TfrmDirHog::colSubFolders).data().toString(), "1");
        EXPECT_LT(bigRow, oddRow);
        // "% Used", "# Sub-folders", "Latest File Access" and their values show whole.
        expectColumnsShowTheirTexts(grid, {80, 40, 40, 70, 90});

        saveShot(w, "dirhog-scanned");
        // "C&lipboard": a line per folder, the tab of a name as its escape.
        XSession::click(child(*w, "btClip"));
        const QString clip = XSession::clipboardText();
        EXPECT_TRUE(clip.contains("/odd\\tfolder")) << clip.toStdString();
        for (const QString& line : clip.split('\n', Qt::SkipEmptyParts))
            EXPECT_EQ(line.count('\t'), 5) << line.toStdString();

        // Select "big", "&Delete", then the window's "delete for good".
        clickCell(grid, bigRow, TfrmDirHog::colName);
        onModal("rw::TfrmDelDirectory",
                [](QDialog& ask) { XSession::click(child(ask, "btDelete")); });
        XSession::click(child(*w, "btDelete"));
        EXPECT_TRUE(XSession::waitFor([&] {
            return grid.model()->index(bigRow, TfrmDirHog::colSize).data().toString() == "DELETED";
        }));
        EXPECT_TRUE(ScriptedResponder::instance().texts().contains(
            "Deleted 2 files for a savings of 50,000 bytes."))
            << ScriptedResponder::instance().texts().join(" | ").toStdString();

        // A double click on the odd folder's row, the recycle bin, Yes to the note.
        ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
        onModal("rw::TfrmDelDirectory",
                [](QDialog& ask) { XSession::click(child(ask, "btRecycle")); });
        doubleClickCell(grid, oddRow, TfrmDirHog::colName);
        EXPECT_TRUE(XSession::waitFor([&] {
            return grid.model()->index(oddRow, TfrmDirHog::colSize).data().toString() == "RECYCLED";
        }));
        // The window stays for more.
        EXPECT_TRUE(w->isVisible());
        XSession::key(w, {"Escape"});
        EXPECT_TRUE(XSession::waitFor([&] { return !w->isVisible(); }));
    });

    EXPECT_FALSE(QFileInfo::exists(tree + "/big"));
    EXPECT_FALSE(exists(oddFolder + "/x\xff.bin"));
    EXPECT_TRUE(QFileInfo::exists(tree + "/small/c.bin"));
    EXPECT_TRUE(exists(Trash::homeTrashPath() + "/files/x\xff.bin") ||
                exists(Trash::homeTrashPath() + "/files/odd\tfolder/x\xff.bin"));
}

// A folder that cannot be read has its row after "&All Folders", slanted,
// with a tool tip that says why; the walk's warning still names it, and
// "&Browse" on the row opens the browser on that very folder.
TEST(DirHogWindowSystem, AFolderThatCannotBeReadHasItsRow)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/open/a.bin", 3000);
    fb.file("tree/locked/b.bin", 2000);
    fb.setMode("tree/locked", 0000);
    fb.mapDrive('D', "tree");
    const QByteArray locked = QFile::encodeName(fb.path("tree/locked"));
    QByteArray browsed;
    const auto savedBrowser = windowHooks().openBrowser;
    windowHooks().openBrowser = [&](QWidget*, const QByteArray& folder, const QString&,
                                    const QByteArray&) { browsed = folder; };

    std::unique_ptr<QDialog> made = createDirHogWindow(nullptr);
    auto* w = static_cast<TfrmDirHog*>(made.get());
    runModal(*w, [&] {
        rwtest::WithoutReadOverride notRoot;
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        XSession::click(child(*w, "btAll"));
        ResultGridView& grid = gridOf(*w);
        ASSERT_TRUE(XSession::waitFor([&] { return child(*w, "btBrowse")->isVisible(); }));
        const int row = rowEndingWith(grid, TfrmDirHog::colName, "/locked");
        const int open = rowEndingWith(grid, TfrmDirHog::colName, "/open");
        ASSERT_GE(row, 0);
        ASSERT_GE(open, 0);
        const QModelIndex size = grid.model()->index(row, TfrmDirHog::colSize);
        EXPECT_EQ(size.data().toString(), "0");
        EXPECT_TRUE(size.data(Qt::ToolTipRole)
                        .toString()
                        .contains(QString::fromLocal8Bit(std::strerror(EACCES))));
        EXPECT_TRUE(grid.model()->index(open, 0).data(Qt::ToolTipRole).isNull());
        saveShot(w, "dirhog-unreadable");

        clickCell(grid, row, TfrmDirHog::colName);
        XSession::click(child(*w, "btBrowse"));
    });
    windowHooks().openBrowser = savedBrowser;
    fb.setMode("tree/locked", 0755);
    EXPECT_EQ(browsed, locked);
    const QStringList said = ScriptedResponder::instance().texts();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("1 folder could not be read")) << said[0].toStdString();
}
