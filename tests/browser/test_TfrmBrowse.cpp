#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "base/Settings.h"
#include "browser/FolderTree.h"
#include "browser/TfrmBrowse.h"
#include "browser/core/FolderListing.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/core/ProtectedPaths.h"
#include "framework/core/SortFlags.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/WithoutReadOverride.h"

using rw::MessageAnswer;
using rw::TfrmBrowse;
using rwtest::ScriptedResponder;

namespace
{

constexpr int kSizeItem = 3; // "&Size" in the sort menu

class BrowseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Sort directions live for the program run; each test is a new run.
        rw::SortFlags::instance().reset();
        fx.mapDrive('D', fx.base());
    }

    // A shown browser on `folder` (relative to the fixture).
    std::unique_ptr<TfrmBrowse> open(const QString& folder, const QByteArray& selectFile = {})
    {
        auto w = std::make_unique<TfrmBrowse>();
        w->setFolder(bytes(folder));
        w->setSelectFile(selectFile);
        w->show();
        return w;
    }

    static rw::ResultGridModel* model(TfrmBrowse& w) { return w.controller()->model(); }
    static QStringList column(TfrmBrowse& w, int c)
    {
        QStringList out;
        for (std::int64_t r = 0; r < model(w)->rows(); ++r)
            out << model(w)->cell(r, c);
        return out;
    }
    static QString status(TfrmBrowse& w, const char* panel)
    {
        return w.findChild<QLabel*>(panel)->text();
    }
    static void markRow(TfrmBrowse& w, int row)
    {
        w.controller()->grid()->selectRow(row);
        w.findChild<QPushButton*>("btMark")->click();
    }
    static void doubleClickRow(TfrmBrowse& w, int row)
    {
        rw::ResultGridView* view = w.controller()->grid();
        view->selectRow(row);
        emit view->doubleClicked(model(w)->index(row, 0));
    }

    // A fixture path as the file system's bytes.
    QByteArray bytes(const QString& rel) const { return QFile::encodeName(fx.path(rel)); }

    rwtest::FixtureBuilder fx;
};

} // namespace

// A folder of many files is read in steps: timers and paint events run
// while it is read, and the listing is complete at the end.
TEST_F(BrowseTest, LargeFolderIsListedInStepsWithEventsHandled)
{
    constexpr int kFiles = 3 * int(rw::kListingStep) + 5;
    fx.folder("big");
    const QByteArray big = bytes("big");
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray name = big + "/f" + QByteArray::number(i);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    int ticks = 0;
    QTimer timer;
    timer.setInterval(0);
    bool hourglass = true;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        const QCursor* shown = QGuiApplication::overrideCursor();
        hourglass = hourglass && shown && shown->shape() == Qt::WaitCursor;
    });
    timer.start();
    auto w = open("big");
    timer.stop();
    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(hourglass);
    EXPECT_EQ(model(*w)->rows(), kFiles);
    EXPECT_EQ(status(*w, "pnlScan"), QStringLiteral("Number of files : %1").arg(kFiles));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // the hourglass is gone again
}

TEST_F(BrowseTest, SizeSortRunsSmallestFirstThenLargestFirst)
{
    fx.file("a/mid.txt", 20);
    fx.file("a/big.txt", 30);
    fx.file("a/small.txt", 10);
    auto w = open("a");
    EXPECT_EQ(column(*w, 4), (QStringList{"big.txt", "mid.txt", "small.txt"}));
    EXPECT_EQ(status(*w, "pnlScan"), "Number of files : 3");
    EXPECT_EQ(status(*w, "pnlSize"), "Total size : 60");
    EXPECT_EQ(status(*w, "pnlWild"), "Wildcard : *.*");

    w->controller()->sortAction(kSizeItem)->trigger();
    EXPECT_EQ(column(*w, 3), (QStringList{"10", "20", "30"}));
    w->controller()->sortAction(kSizeItem)->trigger();
    EXPECT_EQ(column(*w, 3), (QStringList{"30", "20", "10"}));
}

TEST_F(BrowseTest, FolderChangeAndWildcardDropMarksAndKeepTheSort)
{
    fx.file("a/one.txt", 300);
    fx.file("a/two.txt", 100);
    fx.file("a/three.doc", 200);
    fx.file("b/x.txt", 5);
    fx.file("b/y.txt", 7);
    auto w = open("a");
    w->controller()->sortAction(kSizeItem)->trigger(); // smallest first
    markRow(*w, 0);
    ASSERT_EQ(w->controller()->markedCount(), 1);
    EXPECT_EQ(status(*w, "pnlScan"), "Marked for deletion: 1 files 100 bytes");
    EXPECT_TRUE(w->findChild<QPushButton*>("btDeleteFiles")->isEnabled());

    w->setFolder(bytes("b"));
    EXPECT_EQ(w->controller()->markedCount(), 0);
    EXPECT_FALSE(model(*w)->isMarked(0));
    EXPECT_FALSE(w->findChild<QPushButton*>("btDeleteFiles")->isEnabled());
    EXPECT_EQ(column(*w, 3), (QStringList{"5", "7"}));
    EXPECT_TRUE(w->controller()->sortAction(kSizeItem)->isChecked());
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), fx.path("b"));

    w->setFolder(bytes("a"));
    markRow(*w, 1);
    w->setMask("*.txt");
    EXPECT_EQ(w->controller()->markedCount(), 0);
    EXPECT_EQ(column(*w, 3), (QStringList{"100", "300"}));
    EXPECT_EQ(status(*w, "pnlWild"), "Wildcard : *.txt");
    EXPECT_EQ(status(*w, "pnlScan"), "Number of files : 2");
}

TEST_F(BrowseTest, DeletingMarkedFilesRefreshesWithTheSameSort)
{
    fx.file("a/one.txt", 300);
    fx.file("a/two.txt", 100);
    fx.file("a/three.txt", 200);
    auto w = open("a");
    w->controller()->sortAction(kSizeItem)->trigger();
    markRow(*w, 1); // three.txt

    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes); // "Really delete?"
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                        "rw::TfrmReallyDelete");
    w->findChild<QPushButton*>("btDeleteFiles")->click();

    EXPECT_FALSE(QFileInfo::exists(fx.path("a/three.txt")));
    EXPECT_EQ(column(*w, 4), (QStringList{"two.txt", "one.txt"}));
    EXPECT_EQ(w->controller()->markedCount(), 0);
    EXPECT_EQ(status(*w, "pnlScan"), "Number of files : 2");
}

TEST_F(BrowseTest, EmptyFolderShowsOneBlankRowThatCannotBeMarked)
{
    fx.folder("empty");
    fx.file("empty/.hidden", 4);
    auto w = open("empty");
    EXPECT_EQ(column(*w, 4), QStringList{""});
    EXPECT_EQ(status(*w, "pnlScan"), "Number of files : 0");
    EXPECT_EQ(status(*w, "pnlSize"), "Total size : 0");

    markRow(*w, 0);
    EXPECT_FALSE(model(*w)->isMarked(0));
    EXPECT_EQ(w->controller()->markedCount(), 0);
    EXPECT_EQ(status(*w, "pnlScan"), "Number of files : 0");
    EXPECT_FALSE(w->findChild<QPushButton*>("btDeleteFiles")->isEnabled());
}

// A folder that cannot be read is said, with its name and the reason, not
// shown as an empty folder.
TEST_F(BrowseTest, FolderThatCannotBeReadIsSaidNotShownEmpty)
{
    fx.file("locked/inside.txt", 5);
    fx.setMode("locked", 0000);
    std::unique_ptr<TfrmBrowse> w;
    {
        rwtest::WithoutReadOverride notRoot;
        w = open("locked");
    }
    fx.setMode("locked", 0755);
    const QString said = status(*w, "pnlScan");
    EXPECT_TRUE(said.contains(fx.path("locked"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromLocal8Bit(std::strerror(EACCES)))) << said.toStdString();
    EXPECT_EQ(w->findChild<QLabel*>("pnlScan")->toolTip(), said);
    EXPECT_EQ(column(*w, 4), QStringList{""});
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());

    // Readable again: the files and the count come back, and the note goes.
    w->setFolder(bytes("locked"));
    EXPECT_EQ(status(*w, "pnlScan"), "Number of files : 1");
    EXPECT_TRUE(w->findChild<QLabel*>("pnlScan")->toolTip().isEmpty());
}

TEST_F(BrowseTest, FileWithoutExtensionIsMarkedOnlyWithTheMarkButton)
{
    fx.file("a/Makefile", 12);
    fx.file("a/notes.txt", 8);
    auto w = open("a");
    ASSERT_EQ(column(*w, 4), (QStringList{"Makefile", "notes.txt"}));

    doubleClickRow(*w, 0);
    EXPECT_FALSE(model(*w)->isMarked(0));
    doubleClickRow(*w, 1);
    EXPECT_TRUE(model(*w)->isMarked(1));

    markRow(*w, 0);
    EXPECT_TRUE(model(*w)->isMarked(0));
    EXPECT_EQ(w->controller()->markedCount(), 2);
    EXPECT_EQ(w->controller()->markedBytes(), 20);
}

TEST_F(BrowseTest, ClosingWithMarkedFilesAsksFirst)
{
    fx.file("a/one.txt", 1);
    fx.file("a/two.txt", 2);
    auto w = open("a");
    markRow(*w, 0);
    markRow(*w, 1);

    w->findChild<QPushButton*>("btClose")->click(); // the scripted answer is No
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"You have 2 files marked for deletion. "
                          "Do you really wish to exit without deleting?"});
    EXPECT_TRUE(w->isVisible());

    ScriptedResponder::instance().clear();
    w->findChild<QAction*>("Unmarkall1")->trigger();
    w->findChild<QPushButton*>("btClose")->click();
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());
    EXPECT_FALSE(w->isVisible());
}

TEST_F(BrowseTest, DeleteFolderRefusesTheDriveRootAndTheHomeFolder)
{
    QDir().mkpath(QDir::homePath());
    fx.file("a/keep.txt", 1);
    auto w = open("");
    w->btDeleteDirectoryClick();
    w->setFolder(QFile::encodeName(QDir::homePath()));
    w->btDeleteDirectoryClick();

    EXPECT_EQ(ScriptedResponder::instance().texts(),
              (QStringList{"Cannot delete the root folder! To delete a folder including all files "
                           "and sub-folders double click on the desired folder shown in the left "
                           "panel.",
                           "You cannot delete the Windows folder using Roomwise 95"}));
    EXPECT_TRUE(QFileInfo::exists(fx.path("a/keep.txt")));
}

TEST_F(BrowseTest, EmptyFolderGoesWithoutMessageOrTotals)
{
    fx.folder("parent/empty");
    auto w = open("parent/empty");
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                        "rw::TfrmDelDirectory");
    w->btDeleteDirectoryClick();

    EXPECT_FALSE(QFileInfo::exists(fx.path("parent/empty")));
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());
    EXPECT_LT(rw::readDeletionTotals().filesDeleted, 1);
    EXPECT_EQ(w->folder(), bytes("parent"));
}

TEST_F(BrowseTest, FolderTreeDeleteReportsAndAddsToTheTotals)
{
    fx.file("parent/tree/a.txt", 1000);
    fx.file("parent/tree/sub/b.bin", 2500);
    fx.file("parent/other.txt", 3);
    auto w = open("parent/tree");
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                        "rw::TfrmDelDirectory");
    w->btDeleteDirectoryClick();

    EXPECT_FALSE(QFileInfo::exists(fx.path("parent/tree")));
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"Deleted 2 files for a savings of 3,500 bytes."});
    const rw::DeletionTotals totals = rw::readDeletionTotals();
    EXPECT_EQ(totals.filesDeleted, 2);
    EXPECT_EQ(totals.bytesDeleted, 3500);
    EXPECT_EQ(w->folder(), bytes("parent"));
    EXPECT_EQ(column(*w, 4), QStringList{"other.txt"});
}

TEST_F(BrowseTest, RecycledFolderTreeIsReportedAndCountedAsDeleted)
{
    fx.file("parent/tree/a.txt", 1000);
    fx.file("parent/tree/sub/b.bin", 2500);
    auto w = open("parent/tree");
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes); // the recycle bin note
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btRecycle")->click(); },
                        "rw::TfrmDelDirectory");
    w->btDeleteDirectoryClick();

    EXPECT_FALSE(QFileInfo::exists(fx.path("parent/tree")));
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files";
    EXPECT_EQ(QFileInfo(trash + "/a.txt").size(), 1000);
    ASSERT_EQ(ScriptedResponder::instance().texts().size(), 2);
    EXPECT_EQ(ScriptedResponder::instance().texts().last(),
              "Deleted 2 files for a savings of 3,500 bytes.");
    const rw::DeletionTotals totals = rw::readDeletionTotals();
    EXPECT_EQ(totals.filesDeleted, 2);
    EXPECT_EQ(totals.bytesDeleted, 3500);
    EXPECT_LT(totals.filesRecycled, 1);
}

namespace
{

// The item of `tree` whose folder is `path`, or nullptr.
QTreeWidgetItem* treeItem(rw::FolderTree* tree, const QByteArray& path)
{
    QList<QTreeWidgetItem*> todo;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        todo << tree->topLevelItem(i);
    while (!todo.isEmpty()) {
        QTreeWidgetItem* item = todo.takeFirst();
        if (item->data(0, rw::FolderTree::kPathRole).toByteArray() == path)
            return item;
        for (int i = 0; i < item->childCount(); ++i)
            todo << item->child(i);
    }
    return nullptr;
}

} // namespace

TEST_F(BrowseTest, FoldersMadeAfterABranchWasReadShowWhenItIsOpened)
{
    fx.folder("a/b");
    auto w = open("a/b");
    auto* tree = w->findChild<rw::FolderTree*>("DirectoryListBox1");
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(treeItem(tree, bytes("a")), nullptr);

    // Made after "a" was read: shows once the user opens "a".
    fx.folder("a/new");
    EXPECT_EQ(treeItem(tree, bytes("a/new")), nullptr);
    emit tree->itemActivated(treeItem(tree, bytes("a")), 0);
    EXPECT_EQ(w->folder(), bytes("a"));
    EXPECT_NE(treeItem(tree, bytes("a/new")), nullptr);

    // Expanding a branch again reads it again too: new folders come, removed
    // ones go.
    fx.folder("a/newer");
    QDir().rmdir(fx.path("a/new"));
    QTreeWidgetItem* a = treeItem(tree, bytes("a"));
    a->setExpanded(false);
    a->setExpanded(true);
    EXPECT_NE(treeItem(tree, bytes("a/newer")), nullptr);
    EXPECT_EQ(treeItem(tree, bytes("a/new")), nullptr);
    EXPECT_NE(treeItem(tree, bytes("a/b")), nullptr);
}

TEST_F(BrowseTest, FolderOnNoDriveShowsNoDriveInTheBoxAndTheTreeFromSlash)
{
    fx.folder("c");
    fx.folder("elsewhere/in");
    fx.mapDrive('C', fx.path("c"));
    fx.mapDrive('D', fx.path("c"));
    rw::DriveInfo holder;
    if (rw::driveOfPath(fx.path("elsewhere"), &holder))
        GTEST_SKIP() << "a mounted drive holds the fixture: " << holder.root.toStdString();

    auto w = open("elsewhere");
    auto* box = w->findChild<QComboBox*>("DriveComboBox1");
    auto* tree = w->findChild<rw::FolderTree*>("DirectoryListBox1");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_TRUE(box->currentText().isEmpty());
    EXPECT_EQ(tree->topLevelItem(0)->data(0, rw::FolderTree::kPathRole).toByteArray(), "/");
    EXPECT_EQ(tree->selectedFolder(), bytes("elsewhere"));
    EXPECT_EQ(w->listedCount(), 0);

    // Back on a drive, both name it again.
    w->setFolder(bytes("c"));
    rw::DriveInfo c;
    ASSERT_TRUE(rw::findDrive(QChar('C'), &c));
    EXPECT_EQ(box->currentText(), c.entryText());
    EXPECT_EQ(tree->topLevelItem(0)->data(0, rw::FolderTree::kPathRole).toByteArray(), bytes("c"));
}

TEST_F(BrowseTest, OpensWithTheGivenFileSelected)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        fx.file(QString("a/") + name, 1);
    auto w = open("a", "c.txt");
    EXPECT_EQ(w->controller()->grid()->currentRow(), 2);
}
