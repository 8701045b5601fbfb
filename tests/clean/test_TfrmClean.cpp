#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/SearchPath.h"
#include "controls/CheckListBox.h"
#include "controls/PickList.h"
#include "controls/ResultGridModel.h"
#include "framework/ResultGridController.h"
#include "framework/core/SortFlags.h"
#include "platform/DisplayName.h"
#include "platform/Drives.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/clean/CleanWindowFactory.h"
#include "tools/clean/TfrmClean.h"
#include "tools/clean/core/CleanScan.h"
#include "tools/clean/core/TempPatterns.h"

using rwtest::makeRawFile;

using namespace rw;
using rwtest::ScriptedResponder;

namespace
{

// A fixture tree on drive D: with three temporary files of 1,000, 2,000 and
// 3,000 bytes, the largest in a folder of the search path, and one file that
// must never be listed.
struct CleanFixture {
    rwtest::FixtureBuilder fb;
    QString root, small, middle, onPath, keep;
    QStringList savedPath = searchPathFolders();

    CleanFixture()
    {
        root = fb.folder("tree");
        small = fb.file("tree/a/small.tmp", 1000);
        middle = fb.file("tree/b/middle.bak", 2000);
        onPath = fb.file("tree/bin/tool.tmp", 3000);
        keep = fb.file("tree/a/keep.txt", 500);
        fb.mapDrive('D', "tree");
        setSearchPathFolders({(root + "/bin").toUpper()});
        SortFlags::instance().reset();
    }
    ~CleanFixture() { setSearchPathFolders(savedPath); }
};

// Shows the window with only drive D: checked (never the real drives).
void showOnDriveD(TfrmClean& w)
{
    w.show();
    DriveInfo d;
    ASSERT_TRUE(findDrive(QChar('D'), &d));
    w.driveList()->uncheckAll();
    ASSERT_TRUE(w.driveList()->checkLine(d.entryText()));
}

QStringList column(const ResultGridController* g, int col)
{
    QStringList out;
    for (std::int64_t r = 0; r < g->rowsFilled(); ++r)
        out << g->model()->cell(r, col);
    return out;
}

std::int64_t rowOf(const ResultGridController* g, const QString& pathStart)
{
    for (std::int64_t r = 0; r < g->rowsFilled(); ++r) {
        if (g->model()->cell(r, ccFileName).startsWith(pathStart))
            return r;
    }
    return -1;
}

QString status(const TfrmClean& w)
{
    return w.findChild<QLabel*>("pnlSel")->text();
}

} // namespace

TEST(TfrmClean, ScanListsTheTemporaryFilesTagsTheSearchPathAndMarksNothing)
{
    CleanFixture fx;
    TfrmClean w;
    showOnDriveD(w);
    EXPECT_EQ(w.windowTitle(), "Find and delete temporary files");
    // Every entry of the list is selected when the window shows.
    EXPECT_EQ(w.extensionList()->selectedCount(), w.extensionList()->count());
    EXPECT_FALSE(w.findChild<QPushButton*>("btPrint")->isVisible());

    w.btScanClick();
    const ResultGridController* g = w.gridController();
    ASSERT_EQ(g->rowsFilled(), 3);
    EXPECT_EQ(status(w), "3 tempfiles found");
    // The first run of a program run lists the largest file first.
    EXPECT_EQ(column(g, ccSize), (QStringList{"3,000", "2,000", "1,000"}));
    EXPECT_EQ(g->model()->cell(0, ccFileName), fx.onPath + ResultGridController::searchPathTag());
    EXPECT_EQ(g->model()->cell(1, ccFileName), fx.middle);
    EXPECT_EQ(g->markedCount(), 0);
    EXPECT_FALSE(w.findChild<QPushButton*>("btDelete")->isEnabled());
    EXPECT_TRUE(w.findChild<QPushButton*>("btMark")->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>("btPrint")->isVisible());
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());

    // The next run's size sort goes the other way.
    w.btScanClick();
    EXPECT_EQ(column(g, ccSize), (QStringList{"1,000", "2,000", "3,000"}));
}

TEST(TfrmClean, StartAsksForAPatternAndAfterTheEditorNoneIsSelected)
{
    CleanFixture fx;
    TfrmClean w;
    showOnDriveD(w);
    w.DeselectAll2Click();
    w.btScanClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"Select at least one file extension"});
    EXPECT_EQ(ScriptedResponder::instance().beeps(), 1);
    EXPECT_EQ(w.gridController()->rowsFilled(), 0);

    ScriptedResponder::instance().clear();
    rwtest::onNextModal(
        [](QWidget* d) {
            d->findChild<QPushButton*>("btDefaults")->click();
            d->findChild<QPushButton*>("btClose")->click();
        },
        "rw::TfrmTempFiles");
    w.findChild<QPushButton*>("btEdit")->click();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(w.extensionList()->count(), 6); // read again after the editor stored it
    EXPECT_EQ(w.extensionList()->selectedCount(), 0);
    w.btScanClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"Select at least one file extension"});

    w.SelectAll2Click();
    ScriptedResponder::instance().clear();
    w.btScanClick();
    EXPECT_EQ(w.gridController()->rowsFilled(), 3);
}

TEST(TfrmClean, OnlyTheSelectedPatternsCountAndNoMatchSaysSo)
{
    CleanFixture fx;
    TfrmClean w;
    showOnDriveD(w);
    PickList* list = w.extensionList();
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith("*.bak"))
            list->item(i)->setSelected(true);
    }
    w.btScanClick();
    EXPECT_EQ(column(w.gridController(), ccFileName), QStringList{fx.middle});
    EXPECT_EQ(status(w), "1 tempfiles found");

    QFile::remove(fx.middle);
    w.btScanClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList{"No files found."});
    EXPECT_EQ(w.gridController()->rowsFilled(), 0);
    EXPECT_FALSE(w.findChild<QPushButton*>("btMark")->isVisible());
    EXPECT_FALSE(w.findChild<QPushButton*>("btClip")->isVisible());
}

TEST(TfrmClean, ClipboardHoldsTheRowsAndPrintTitleNamesTheDrives)
{
    CleanFixture fx;
    TfrmClean w;
    showOnDriveD(w);
    w.btScanClick();
    w.findChild<QPushButton*>("btClip")->click();
    const QStringList rows = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    for (const QString& r : rows)
        EXPECT_EQ(r.split('\t').size(), 6) << r.toStdString();
    EXPECT_TRUE(rows[0].startsWith("3,000\t"));
    EXPECT_EQ(w.printTitle(), "Temporary files on drive(s) D ");
}

TEST(TfrmClean, DeleteRemovesOnlyTheMarkedFileAlsoOneOnTheSearchPath)
{
    CleanFixture fx;
    auto dialog = createCleanWindow(nullptr);
    auto& w = static_cast<TfrmClean&>(*dialog);
    showOnDriveD(w);
    w.btScanClick();
    ResultGridController* g = w.gridController();
    const std::int64_t row = rowOf(g, fx.onPath);
    ASSERT_GE(row, 0);
    g->MarkThisFile(row);
    EXPECT_TRUE(w.findChild<QPushButton*>("btDelete")->isEnabled());
    EXPECT_EQ(g->markedCount(), 1);
    EXPECT_EQ(g->markedBytes(), 3000);
    EXPECT_EQ(g->lbDeleted(), QStringList{fx.onPath}); // the tag never reaches the file operation
    EXPECT_EQ(status(w), "1 files 3,000 bytes");

    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                        "rw::TfrmReallyDelete");
    w.findChild<QPushButton*>("btDelete")->click();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(fx.onPath));
    for (const QString& p : {fx.small, fx.middle, fx.keep})
        EXPECT_TRUE(QFile::exists(p)) << p.toStdString();
}

TEST(TfrmClean, PlacementIsStoredUnderTheProgramPathAsFrmMods)
{
    CleanFixture fx;
    {
        TfrmClean w;
        showOnDriveD(w);
        w.close();
    }
    ProfileFile ini(rwtest::settingsFilePath());
    EXPECT_FALSE(ini.readString(programPath(), "frmMods").isEmpty());
}

namespace
{

std::int64_t rawSize(const QByteArray& path)
{
    struct stat st = {};
    return ::lstat(path.constData(), &st) == 0 ? std::int64_t(st.st_size) : -1;
}

QList<QByteArray> rawEntries(const QByteArray& dir)
{
    QList<QByteArray> out;
    if (DIR* d = ::opendir(dir.constData())) {
        while (const dirent* e = ::readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                out << QByteArray(e->d_name);
        ::closedir(d);
    }
    return out;
}

const QByteArray kBad("Bad\xff.tmp");
const QByteArray kLookAlike("Bad\xef\xbf\xbd.tmp");

// Temporary files with names that text lines got wrong on drive D:, the
// invalid-byte one in a folder of the search path (so its path is tagged).
struct OddCleanFixture {
    rwtest::FixtureBuilder fb;
    QString root;
    QHash<QByteArray, QByteArray> paths; // name -> path
    QStringList savedPath = searchPathFolders();

    explicit OddCleanFixture(const QString& base = rwtest::fixtureRoot()) : fb(base)
    {
        root = fb.folder("odd");
        const QString bin = fb.folder("odd/bin");
        const QString other = fb.folder("odd/other");
        paths.insert(kBad, makeRawFile(bin, kBad, 7));
        const QList<QPair<QByteArray, int>> files = {
            {kLookAlike, 11},
            {"tab\there.tmp", 13},
            {"line\nbreak.tmp", 17},
            {"back\\slash.tmp", 19},
            {QByteArray(251, 'n') + ".tmp", 23},
        };
        for (const auto& f : files)
            paths.insert(f.first, makeRawFile(other, f.first, f.second));
        fb.mapDrive('D', "odd");
        setSearchPathFolders({bin.toUpper()});
        SortFlags::instance().reset();
    }
    ~OddCleanFixture() { setSearchPathFolders(savedPath); }

    std::int64_t rowOf(const ResultGridController* g, const QByteArray& name) const
    {
        for (std::int64_t r = 0; r < g->rowsFilled(); ++r)
            if (g->rowPathBytes(r) == paths.value(name))
                return r;
        return -1;
    }
};

} // namespace

TEST(TfrmClean, InvalidByteFileIsMarkedAndRemovedExactlyAlsoWhenTagged)
{
    // Deleting first, so the bin is still empty then.
    for (const char* button : {"btDelete", "btRecycle"}) {
        ScriptedResponder::instance().reset();
        OddCleanFixture fx(rwtest::fixtureRoot() + '/' + button);
        auto dialog = createCleanWindow(nullptr);
        auto& w = static_cast<TfrmClean&>(*dialog);
        showOnDriveD(w);
        w.btScanClick();
        ResultGridController* g = w.gridController();
        ASSERT_EQ(g->rowsFilled(), 6) << button;
        const std::int64_t row = fx.rowOf(g, kBad);
        ASSERT_GE(row, 0);
        // Shown with the invalid byte spelt out and the tag after it.
        EXPECT_EQ(g->model()->cell(row, ccFileName),
                  displayName(fx.paths.value(kBad)) + ResultGridController::searchPathTag());
        g->MarkThisFile(row);
        EXPECT_EQ(g->markedCount(), 1);
        EXPECT_EQ(g->markedBytes(), 7);
        EXPECT_EQ(status(w), "1 files 7 bytes");

        ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
        rwtest::onNextModal([button](QWidget* d) { d->findChild<QPushButton*>(button)->click(); },
                            "rw::TfrmReallyDelete");
        w.findChild<QPushButton*>("btDelete")->click();
        EXPECT_TRUE(rwtest::lastModalHandled());
        EXPECT_EQ(rawSize(fx.paths.value(kBad)), -1) << button;
        for (auto it = fx.paths.cbegin(); it != fx.paths.cend(); ++it)
            if (it.key() != kBad) {
                EXPECT_GE(rawSize(it.value()), 0) << it.value().toStdString();
            }
        const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash/files";
        const QList<QByteArray> trashed = rawEntries(trash);
        if (qstrcmp(button, "btRecycle") == 0) {
            ASSERT_EQ(trashed.size(), 1);
            EXPECT_EQ(rawSize(trash + '/' + trashed[0]), 7);
        } else {
            EXPECT_TRUE(trashed.isEmpty());
        }
    }
}

TEST(TfrmClean, ClipboardHoldsEachOddNameOnOneLine)
{
    OddCleanFixture fx;
    TfrmClean w;
    showOnDriveD(w);
    w.btScanClick();
    w.findChild<QPushButton*>("btClip")->click();
    const QStringList rows = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 6);
    QStringList paths;
    for (const QString& r : rows) {
        const QStringList cells = r.split('\t');
        EXPECT_EQ(cells.size(), ccColumnCount) << r.toStdString();
        paths << cells.value(ccFileName);
    }
    EXPECT_TRUE(paths.contains(displayName(fx.paths.value("tab\there.tmp"))));
    EXPECT_TRUE(paths.contains(fx.root + "/other/line\\nbreak.tmp"));
    EXPECT_TRUE(
        paths.contains(fx.root + "/bin/Bad\\xFF.tmp" + ResultGridController::searchPathTag()));
    EXPECT_TRUE(paths.contains(fx.root + QString::fromUtf8("/other/Bad\xef\xbf\xbd.tmp")));
}
