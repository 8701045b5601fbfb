#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Settings.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/WithoutReadOverride.h"
#include "tools/dirhog/TfrmDirHog.h"

using rwtest::rawExists;
using rwtest::rawFile;
using rwtest::rawFolder;

// Readable failure output.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using rw::TfrmDirHog;
using rwtest::ScriptedResponder;

namespace
{

// A window with only drive D: ticked, shown offscreen.
class DirHogWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fx.file("d/Big/a", 9000);
        fx.file("d/Big/Inner/b", 1000);
        fx.file("d/Small/c", 100);
        fx.file("d/Middle/d", 5000);
        fx.file("d/Middle/e", 5000);
        fx.folder("d/Empty");
        fx.file("d/rootfile", 7);
        fx.file("flat/only", 1);
        fx.mapDrive('D', "d");
        fx.mapDrive('F', "flat");
    }

    void open(char letter = 'D')
    {
        w = std::make_unique<TfrmDirHog>();
        auto* drives = w->findChild<rw::CheckListBox*>("pckDrive");
        drives->uncheckAll();
        rw::DriveInfo drive;
        ASSERT_TRUE(rw::findDrive(QChar(letter), &drive));
        ASSERT_TRUE(drives->checkLine(drive.entryText()));
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        ScriptedResponder::instance().clear();
    }

    QPushButton* button(const char* name) { return w->findChild<QPushButton*>(name); }
    rw::ResultGridModel* model() { return w->gridController()->model(); }
    QString status() { return w->findChild<QLabel*>("pnlScan")->text(); }

    QStringList column(int c)
    {
        QStringList out;
        for (std::int64_t r = 0; r < model()->rows(); ++r)
            out << model()->cell(r, c);
        return out;
    }

    int rowOf(const QString& rel) { return int(column(TfrmDirHog::colName).indexOf(fx.path(rel))); }

    // A click on the row (as the user selects it), then "&Delete".
    void deleteRow(int row)
    {
        auto* grid = w->findChild<rw::ResultGridView*>("grid");
        grid->scrollTo(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
        ASSERT_EQ(grid->currentRow(), row);
        w->btDeleteClick();
    }

    rwtest::FixtureBuilder fx;
    std::unique_ptr<TfrmDirHog> w;
};

} // namespace

TEST_F(DirHogWindow, MainFoldersListsLargestFirstAndSizeAgainReverses)
{
    open();
    EXPECT_FALSE(button("btPrint")->isVisible());
    button("btTop")->click();

    EXPECT_EQ(column(TfrmDirHog::colSize), (QStringList{"10,000", "10,000", "100", "0"}));
    // The root's own file belongs to no main folder.
    EXPECT_EQ(column(TfrmDirHog::colFiles), (QStringList{"2", "2", "1", "0"}));
    EXPECT_EQ(status(), "Folders : 3");
    for (const char* b : {"btPrint", "btClip", "btBrowse", "btDelete"})
        EXPECT_TRUE(button(b)->isVisible()) << b;
    EXPECT_FALSE(button("btAbort")->isVisible());
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());
    EXPECT_EQ(w->printTitle(), "Folder hogs on drive(s) D ");

    auto* bySize = w->gridController()->popupMenu()->findChild<QAction*>("SortbySize1");
    ASSERT_NE(bySize, nullptr);
    EXPECT_TRUE(bySize->isChecked());
    bySize->trigger();
    EXPECT_EQ(column(TfrmDirHog::colSize), (QStringList{"0", "100", "10,000", "10,000"}));

    // A new scan sorts largest first again, whatever the flag had become.
    button("btTop")->click();
    EXPECT_EQ(column(TfrmDirHog::colSize).first(), "10,000");
}

TEST_F(DirHogWindow, AllFoldersHasTheRootLineAndNoFilesFoundOnAFlatDrive)
{
    open();
    button("btAll")->click();
    EXPECT_EQ(model()->rows(), 6);
    EXPECT_EQ(model()->cell(rowOf("d"), TfrmDirHog::colFiles), "1");
    EXPECT_EQ(model()->cell(rowOf("d"), TfrmDirHog::colSubFolders), "4");
    EXPECT_EQ(status(), "Folders : 5");

    open('F');
    button("btAll")->click();
    EXPECT_EQ(model()->rows(), 1);
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList{"No files found."});
    EXPECT_FALSE(button("btClip")->isVisible());
    EXPECT_FALSE(button("btDelete")->isVisible());
}

TEST_F(DirHogWindow, ClipboardHasTheLinesInDescendingTextOrder)
{
    open();
    button("btTop")->click();
    button("btClip")->click();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    QStringList names;
    for (const QString& l : lines)
        names << l.section('\t', 5);
    // "100" > "10,000" > "0" as texts (the grid itself is sorted by size); of
    // the two 10,000 lines, Big's one sub-folder puts it first.
    EXPECT_EQ(names, (QStringList{fx.path("d/Small"), fx.path("d/Big"), fx.path("d/Middle"),
                                  fx.path("d/Empty")}));
}

TEST_F(DirHogWindow, AbortKeepsTheNoticeAtTheHeadOfTheList)
{
    open();
    // Pressed while the walk lets events run at its first folder.
    QTimer::singleShot(0, w.get(), [this] { button("btAbort")->click(); });
    button("btAll")->click();
    EXPECT_EQ(w->lb().value(0), "LIST INCOMPLETE ... ABORTED BY USER");
    EXPECT_TRUE(
        ScriptedResponder::instance().texts().contains("LIST INCOMPLETE ... ABORTED BY USER"));
    EXPECT_EQ(status(), "Folders : " + QString::number(std::max<qsizetype>(0, w->lb().size() - 2)));
    EXPECT_TRUE(button("btAll")->isEnabled());
    EXPECT_TRUE(button("btClose")->isEnabled());
}

TEST_F(DirHogWindow, DeletingFoldersRows)
{
    open();
    button("btAll")->click();
    auto& responder = ScriptedResponder::instance();

    // The drive root is refused before anything is asked.
    deleteRow(rowOf("d"));
    EXPECT_EQ(responder.texts(),
              QStringList{"You cannot delete the root folder using Roomwise 95"});
    EXPECT_TRUE(QFileInfo::exists(fx.path("d")));

    // An empty folder goes at once, even with the recycle bin chosen; no message.
    responder.clear();
    responder.queueAnswer(rw::MessageAnswer::Yes); // the recycle note
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btRecycle")->click(); },
                        "rw::TfrmDelDirectory");
    deleteRow(rowOf("d/Empty"));
    EXPECT_EQ(model()->cell(rowOf("d/Empty"), TfrmDirHog::colSize), "DELETED");
    EXPECT_FALSE(QFileInfo::exists(fx.path("d/Empty")));
    EXPECT_EQ(responder.texts().size(), 1) << "only the recycle note";

    // Again on the same row.
    responder.clear();
    deleteRow(rowOf("d/Empty"));
    EXPECT_EQ(responder.texts(), QStringList{"Folder already deleted/recycled"});

    // A whole tree for good: the row says so, the savings are shown and tallied.
    responder.clear();
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                        "rw::TfrmDelDirectory");
    deleteRow(rowOf("d/Middle"));
    EXPECT_EQ(model()->cell(rowOf("d/Middle"), TfrmDirHog::colSize), "DELETED");
    EXPECT_FALSE(QFileInfo::exists(fx.path("d/Middle")));
    EXPECT_EQ(responder.texts(), QStringList{"Deleted 2 files for a savings of 10,000 bytes."});
    EXPECT_EQ(rw::readDeletionTotals().filesDeleted, 2);

    // Cancelled in the confirmation window: nothing changes.
    responder.clear();
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("BitBtn3")->click(); },
                        "rw::TfrmDelDirectory");
    deleteRow(rowOf("d/Small"));
    EXPECT_EQ(model()->cell(rowOf("d/Small"), TfrmDirHog::colSize), "100");
    EXPECT_TRUE(QFileInfo::exists(fx.path("d/Small/c")));
}

TEST_F(DirHogWindow, BrowseOpensTheBrowserOnTheRowsFolder)
{
    open();
    button("btTop")->click();
    QByteArray folder, select("unset");
    QString mask;
    const auto saved = rw::windowHooks().openBrowser;
    rw::windowHooks().openBrowser = [&](QWidget*, const QByteArray& f, const QString& m,
                                        const QByteArray& s) {
        folder = f;
        mask = m;
        select = s;
    };
    auto* grid = w->findChild<rw::ResultGridView*>("grid");
    grid->selectRow(rowOf("d/Small"));
    w->btBrowseClick();
    rw::windowHooks().openBrowser = saved;
    EXPECT_EQ(folder, QFile::encodeName(fx.path("d/Small")));
    EXPECT_EQ(mask, "*.*");
    EXPECT_EQ(select, QByteArray());
}

// A folder that cannot be read has its row, with the size of what could be
// read; its tool tip says why, its texts stay as any row's, and "&Browse"
// opens it. The main folder above an unreadable one says its total misses it.
TEST_F(DirHogWindow, FolderThatCannotBeReadKeepsItsRowMarkedIncomplete)
{
    fx.setMode("d/Big/Inner", 0000);
    fx.file("d/Locked/x", 50);
    fx.setMode("d/Locked", 0000);
    open();
    QStringList said;
    {
        rwtest::WithoutReadOverride notRoot;
        button("btAll")->click();
        said = ScriptedResponder::instance().texts();
        ScriptedResponder::instance().clear();
        button("btTop")->click();
    }
    fx.setMode("d/Big/Inner", 0755);
    fx.setMode("d/Locked", 0755);
    // The walk still says which folders it could not read.
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("2 folders could not be read")) << said[0].toStdString();

    const int locked = rowOf("d/Locked");
    const int big = rowOf("d/Big");
    const int small = rowOf("d/Small");
    ASSERT_GE(locked, 0);
    ASSERT_GE(big, 0);
    ASSERT_GE(small, 0);
    EXPECT_EQ(model()->cell(locked, TfrmDirHog::colSize), "0");
    EXPECT_EQ(model()->cell(locked, TfrmDirHog::colName), fx.path("d/Locked"));
    EXPECT_EQ(model()->cell(big, TfrmDirHog::colSize), "9,000");
    const auto tip = [&](int row) {
        return model()->data(model()->index(row, TfrmDirHog::colSize), Qt::ToolTipRole).toString();
    };
    EXPECT_TRUE(tip(locked).contains(QString::fromLocal8Bit(std::strerror(EACCES))))
        << tip(locked).toStdString();
    EXPECT_TRUE(tip(big).contains("1 folder")) << tip(big).toStdString();
    EXPECT_TRUE(tip(small).isEmpty());
    EXPECT_FALSE(model()->data(model()->index(small, 0), rw::ResultGridModel::NoteRole).toBool());
    EXPECT_EQ(status(), "Folders : 4"); // the count of five rows, as for any run

    // The row names the folder: "&Browse" opens the browser on it.
    QByteArray folder;
    const auto saved = rw::windowHooks().openBrowser;
    rw::windowHooks().openBrowser = [&](QWidget*, const QByteArray& f, const QString&,
                                        const QByteArray&) { folder = f; };
    w->findChild<rw::ResultGridView*>("grid")->selectRow(locked);
    w->btBrowseClick();
    rw::windowHooks().openBrowser = saved;
    EXPECT_EQ(folder, QFile::encodeName(fx.path("d/Locked")));
}

namespace
{

// Folders beside each other whose names text lines confused: "Evil" and
// "Evil<tab>X" (one line split at the tab looked like "Evil"), and "Bad\xff"
// beside its U+FFFD look-alike; a folder whose parent is swapped later.
class DirHogOddNames : public DirHogWindow
{
protected:
    void SetUp() override
    {
        DirHogWindow::SetUp();
        const QByteArray d = QFile::encodeName(fx.path("d"));
        evil = rawFolder(d + "/Evil");
        rawFile(evil + "/f", 100);
        evilTab = rawFolder(d + "/Evil\tX");
        rawFile(evilTab + "/f", 200);
        bad = rawFolder(d + "/Bad\xff");
        rawFile(bad + "/f", 30);
        lookAlike = rawFolder(d + "/Bad\xef\xbf\xbd");
        rawFile(lookAlike + "/f", 40);
        fx.file("d/P/Victim/mine.txt", 10);
        fx.file("outside/Victim/theirs.txt", 20);
        open();
        button("btAll")->click();
    }

    int rowOfBytes(const QByteArray& path)
    {
        for (std::int64_t r = 0; r < model()->rows(); ++r)
            if (w->gridController()->rowPathBytes(r) == path)
                return int(r);
        return -1;
    }

    void deleteChosen(int row)
    {
        ASSERT_GE(row, 0);
        rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                            "rw::TfrmDelDirectory");
        deleteRow(row);
        EXPECT_TRUE(rwtest::lastModalHandled());
    }

    QByteArray evil, evilTab, bad, lookAlike;
};

} // namespace

TEST_F(DirHogOddNames, RowsShowOneLineEachAndNameTheirFolders)
{
    const int row = rowOfBytes(evilTab);
    ASSERT_GE(row, 0);
    EXPECT_EQ(model()->cell(row, TfrmDirHog::colName), fx.path("d") + "/Evil\\tX");
    EXPECT_EQ(model()->cell(row, TfrmDirHog::colSize), "200");
    EXPECT_EQ(model()->cell(rowOfBytes(bad), TfrmDirHog::colName), fx.path("d") + "/Bad\\xFF");
    EXPECT_EQ(model()->cell(rowOfBytes(lookAlike), TfrmDirHog::colName),
              fx.path("d") + QString::fromUtf8("/Bad\xef\xbf\xbd"));
    // Every folder line on the clipboard is one line of six fields.
    button("btClip")->click();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), model()->rows());
    for (const QString& l : lines)
        EXPECT_EQ(l.split('\t').size(), 6) << l.toStdString();
}

TEST_F(DirHogOddNames, DeleteOnTheTabRowRemovesExactlyThatFolder)
{
    const int row = rowOfBytes(evilTab);
    deleteChosen(row);
    EXPECT_FALSE(rawExists(evilTab));
    EXPECT_TRUE(rawExists(evil + "/f"));
    EXPECT_EQ(model()->cell(row, TfrmDirHog::colSize), "DELETED");
    EXPECT_EQ(model()->cell(rowOfBytes(evil), TfrmDirHog::colSize), "100");
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"Deleted 1 files for a savings of 200 bytes."});
}

TEST_F(DirHogOddNames, DeleteOnTheInvalidByteRowLeavesItsLookAlike)
{
    const int row = rowOfBytes(bad);
    deleteChosen(row);
    EXPECT_FALSE(rawExists(bad));
    EXPECT_TRUE(rawExists(lookAlike + "/f"));
    EXPECT_EQ(model()->cell(row, TfrmDirHog::colSize), "DELETED");
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"Deleted 1 files for a savings of 30 bytes."});
}

TEST_F(DirHogOddNames, ParentSwappedForALinkAfterTheScanTouchesNothing)
{
    const int row = rowOf("d/P/Victim");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(QDir().rename(fx.path("d/P"), fx.path("d/P.orig")));
    fx.symlink("d/P", fx.path("outside"));

    deleteChosen(row);

    EXPECT_TRUE(QFileInfo::exists(fx.path("outside/Victim/theirs.txt")));
    EXPECT_TRUE(QFileInfo::exists(fx.path("d/P.orig/Victim/mine.txt")));
    EXPECT_TRUE(QFileInfo(fx.path("d/P")).isSymLink());
    EXPECT_EQ(model()->cell(row, TfrmDirHog::colSize), "10");
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{fx.path("d/P/Victim") +
                          " has been replaced or moved since the scan; it was left alone."});
}
