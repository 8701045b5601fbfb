#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>
#include <functional>
#include <memory>

#include <sys/stat.h>

#include "base/AppGlobals.h"
#include "base/Settings.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "framework/ResultGridController.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDup.h"
#include "tools/dup/TfrmDupCompare.h"

using namespace rw;
using rwtest::ScriptedResponder;

namespace
{

// Opens the finder in the given mode on drive D: (the fixture's "tree").
std::unique_ptr<TfrmDup> openFinder(bool duplicates)
{
    DuplicateMode = duplicates;
    std::unique_ptr<QDialog> made = createDupWindow(nullptr, DuplicateMode);
    std::unique_ptr<TfrmDup> w(static_cast<TfrmDup*>(made.release()));
    w->show();
    auto* drives = w->findChild<CheckListBox*>("pckDrive");
    drives->uncheckAll();
    DriveInfo d;
    EXPECT_TRUE(findDrive(QChar('D'), &d));
    EXPECT_TRUE(drives->checkLine(d.entryText()));
    // The duplicate fixtures are small files: every size passes.
    if (duplicates)
        w->findChild<QDoubleSpinBox*>("num1")->setValue(0);
    return w;
}

void clickStart(TfrmDup& w)
{
    ScriptedResponder::instance().clear();
    w.findChild<QPushButton*>("btScan")->click();
}

QString status(const TfrmDup& w)
{
    return w.findChild<QLabel*>("pnlSel")->text();
}

} // namespace

TEST(TfrmDup, MarkedDuplicateGoesToTheTrashAndIntoTheTotals)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a/same.txt", 100);
    fb.file("tree/b/same.txt", 100);
    fb.file("tree/c/single.txt", 100);
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    clickStart(*w);
    EXPECT_EQ(status(*w), QStringLiteral("2 duplicates found"));
    EXPECT_TRUE(w->findChild<QPushButton*>("btCompare")->isVisible());
    ASSERT_EQ(w->rowCount(), 3);
    EXPECT_EQ(w->cell(0, 2), QStringLiteral("same.txt"));
    EXPECT_EQ(w->cell(5, 2), fb.path("tree/b"));

    w->MarkThisFile(2);
    EXPECT_EQ(status(*w), QStringLiteral("1 files 100 bytes"));
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    rwtest::onNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("btRecycle")->click(); },
        QStringLiteral("rw::TfrmReallyDelete"));
    w->findChild<QPushButton*>("btDelete")->click();

    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(fb.path("tree/a/same.txt")));
    EXPECT_FALSE(QFile::exists(fb.path("tree/b/same.txt")));
    EXPECT_TRUE(QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/same.txt"));
    const DeletionTotals totals = readDeletionTotals();
    EXPECT_EQ(totals.filesRecycled, 1);
    EXPECT_EQ(totals.bytesRecycled, 100);
}

TEST(TfrmDup, GroupOfThreeCountsFilesAndNoGroupSaysNoFilesFound)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a/x.txt", 1);
    fb.file("tree/b/X.TXT", 2);
    fb.file("tree/c/x.txt", 3);
    fb.file("tree/c/y.txt", 4);
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    clickStart(*w);
    EXPECT_EQ(status(*w), QStringLiteral("3 duplicates found"));
    EXPECT_EQ(w->rowCount(), 4);

    // "Size only": every size differs.
    w->findChild<QComboBox*>("cbDup")->setCurrentIndex(3);
    clickStart(*w);
    EXPECT_EQ(w->matchMode(), 3);
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList({"No files found."}));
    EXPECT_TRUE(w->lbFiles().isEmpty());
    EXPECT_FALSE(w->findChild<QPushButton*>("btDelete")->isVisible());
    EXPECT_FALSE(w->findChild<QPushButton*>("btCompare")->isVisible());
}

TEST(TfrmDup, SecondNumberBelowTheFirstIsRefused)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a.txt", 10);
    fb.mapDrive('D', "tree");
    auto w = openFinder(false);
    w->findChild<QRadioButton*>("rbBetween")->setChecked(true);
    EXPECT_TRUE(w->findChild<QDoubleSpinBox*>("num2")->isVisible());
    w->findChild<QDoubleSpinBox*>("num1")->setValue(500);
    w->findChild<QDoubleSpinBox*>("num2")->setValue(100);
    clickStart(*w);
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList({"The second number must be larger or equal than the first number"}));
    EXPECT_TRUE(status(*w).isEmpty());
}

TEST(TfrmDup, FileHogModeListsLargestFirstWithItsOwnControls)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/DATA/A.DAT", 256000);
    fb.file("tree/DATA/b.dat", 1000000);
    fb.file("tree/DATA/c.dat", 300000);
    fb.file("tree/DATA/d.dat", 255999);
    fb.mapDrive('D', "tree");
    auto w = openFinder(false);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Find and delete file hogs"));
    EXPECT_FALSE(w->findChild<QComboBox*>("cbDup")->isVisible());
    EXPECT_EQ(w->findChild<QPushButton*>("btScan")->toolTip(),
              QStringLiteral("Start scanning for file hogs"));
    clickStart(*w);
    EXPECT_EQ(status(*w), QStringLiteral("3 file hogs found"));
    const ResultGridModel* m = w->gridController()->model();
    ASSERT_EQ(m->rows(), 3);
    EXPECT_EQ(m->cell(0, 0), QStringLiteral("1,000,000"));
    EXPECT_EQ(m->cell(1, 0), QStringLiteral("300,000"));
    EXPECT_EQ(m->cell(2, 0), QStringLiteral("256,000"));
    EXPECT_EQ(m->cell(2, 4), fb.path("tree/DATA/A.DAT"));
    EXPECT_FALSE(w->gridController()->sortDescending(0));
    EXPECT_FALSE(w->findChild<QPushButton*>("btCompare")->isVisible());
    EXPECT_NE(w->gridController()->popupMenu()->findChild<QAction*>("Sortbysize1"), nullptr);
    EXPECT_TRUE(w->printTitle().startsWith(
        QStringLiteral("File Hogs larger or equal to 250 KB matching *.* on drive(s) d ")));
}

TEST(TfrmDup, DuplicateModeHandsItselfToThePairWindow)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a/same.txt", 5);
    fb.file("tree/b/same.txt", 5);
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Find and delete duplicate files"));
    EXPECT_TRUE(w->findChild<QComboBox*>("cbDup")->isVisible());
    EXPECT_EQ(w->gridController()->popupMenu()->findChild<QAction*>("Sortbysize1"), nullptr);
    clickStart(*w);
    w->findChild<QPushButton*>("btCompare")->click();
    TfrmDupCompare* pairs = dupCompareWindow();
    EXPECT_EQ(pairs->dupForm(), w.get());
    EXPECT_TRUE(pairs->isVisible());
    EXPECT_EQ(pairs->grid().cell(5, 2), fb.path("tree/b"));
    w.reset();
    EXPECT_FALSE(pairs->isVisible());
    EXPECT_EQ(pairs->dupForm(), nullptr);
}

namespace
{

QByteArray bytesOf(int size, int seed)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 31 + seed * 7 + i / 251) & 0xFF);
    return b;
}

QString labelText(const QWidget* w, const char* name)
{
    return w->findChild<QLabel*>(name)->text();
}

} // namespace

TEST(TfrmDup, SizeAndContentsListsIdenticalFilesByGroupLargestWasteFirst)
{
    rwtest::FixtureBuilder fb;
    const QByteArray big = bytesOf(20000, 1);
    QByteArray other = big;
    other[19999] = char(other[19999] ^ 1);
    fb.fileWithContent("tree/a/one.dat", big);
    fb.fileWithContent("tree/bb/two.dat", big);
    fb.fileWithContent("tree/c/other.dat", other);
    fb.fileWithContent("tree/s/x.txt", bytesOf(50, 2));
    fb.fileWithContent("tree/t/y.txt", bytesOf(50, 2));
    fb.fileWithContent("tree/h/orig.bin", bytesOf(700, 3));
    fb.hardlink("tree/h/link.bin", "tree/h/orig.bin");
    fb.fileWithContent("tree/h/copy.bin", bytesOf(700, 3));
    fb.fileWithContent("tree/l/alone.bin", bytesOf(900, 4));
    fb.hardlink("tree/l/alone-link.bin", "tree/l/alone.bin");
    fb.file("tree/e/empty1", 0);
    fb.file("tree/e/empty2", 0);
    fb.setModified("tree/bb/two.dat", QDateTime::currentDateTime().addDays(-1));
    fb.setModified("tree/a/one.dat", QDateTime::currentDateTime().addDays(-3));
    fb.setModified("tree/t/y.txt", QDateTime::currentDateTime().addDays(-1));
    fb.setModified("tree/s/x.txt", QDateTime::currentDateTime().addDays(-3));
    fb.setModified("tree/h/orig.bin", QDateTime::currentDateTime().addDays(-3));
    fb.mapDrive('D', "tree");

    auto w = openFinder(true);
    auto* cbDup = w->findChild<QComboBox*>("cbDup");
    ASSERT_EQ(cbDup->count(), 9);
    EXPECT_EQ(cbDup->itemText(3), QStringLiteral("Size only"));
    EXPECT_EQ(cbDup->itemText(6), QStringLiteral("Type and modify date/time"));
    EXPECT_EQ(cbDup->itemText(7), QStringLiteral("Size and contents"));
    cbDup->setCurrentIndex(7);
    w->setHashThreads(2);
    clickStart(*w);

    // The two names of orig.bin are one file: counted once, and the file
    // whose only copy is its second name is not listed.
    EXPECT_EQ(status(*w), QStringLiteral("3 duplicates in 3 groups, 20,750 bytes can be freed"));
    ASSERT_EQ(w->rowCount(), 8);
    const QStringList names = {"one.dat",  "two.dat", "copy.bin", "link.bin",
                               "orig.bin", "x.txt",   "y.txt"};
    for (int r = 1; r <= names.size(); ++r)
        EXPECT_EQ(w->cell(dcFilename, r), names[r - 1]) << r;
    EXPECT_EQ(w->cell(dcSize, 1), QStringLiteral("20,000"));
    // Every other group is shaded.
    const ResultGridModel* m = w->gridController()->model();
    EXPECT_FALSE(m->data(m->index(0, 0), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(m->data(m->index(1, 3), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(m->data(m->index(2, 0), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(m->data(m->index(4, 5), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(m->data(m->index(5, 0), Qt::BackgroundRole).isValid());

    // Mark all but the newest of each group: both names of orig.bin go,
    // its bytes counted once.
    QMenu* popup = w->gridController()->popupMenu();
    QAction* newest = popup->findChild<QAction*>("KeepNewest1");
    ASSERT_NE(newest, nullptr);
    newest->trigger();
    EXPECT_EQ(status(*w), QStringLiteral("4 files 20,750 bytes"));
    EXPECT_EQ(w->gridController()->lbDeleted(),
              QStringList({fb.path("tree/a/one.dat"), fb.path("tree/h/link.bin"),
                           fb.path("tree/h/orig.bin"), fb.path("tree/s/x.txt")}));
    popup->findChild<QAction*>("KeepOldest1")->trigger();
    EXPECT_EQ(w->gridController()->lbDeleted(),
              QStringList({fb.path("tree/bb/two.dat"), fb.path("tree/h/copy.bin"),
                           fb.path("tree/t/y.txt")}));
    popup->findChild<QAction*>("KeepShortestPath1")->trigger();
    // Equal path lengths: the first file of the group stays.
    EXPECT_EQ(w->gridController()->lbDeleted(),
              QStringList({fb.path("tree/bb/two.dat"), fb.path("tree/h/link.bin"),
                           fb.path("tree/h/orig.bin"), fb.path("tree/t/y.txt")}));

    // The pair window steps through this mode's pairs, not across groups,
    // and its CRC verdict agrees.
    w->setCurrentRow(1);
    w->findChild<QPushButton*>("btCompare")->click();
    TfrmDupCompare* pairs = dupCompareWindow();
    EXPECT_EQ(pairs->matchMode(), 7);
    EXPECT_EQ(pairs->currentRow(), 1);
    pairs->btComputeClick();
    EXPECT_TRUE(labelText(pairs, "lblCRC1").endsWith(" file contents are identical"));
    pairs->sbR1Click();
    EXPECT_EQ(pairs->currentRow(), 3); // copy.bin and link.bin
    pairs->btComputeClick();
    EXPECT_TRUE(labelText(pairs, "lblCRC2").endsWith(" file contents are identical"));
    pairs->sbR1Click();
    EXPECT_EQ(pairs->currentRow(), 6); // not the two names of orig.bin, not across groups
    pairs->sbR1Click();
    EXPECT_EQ(pairs->currentRow(), 6); // no later pair
    pairs->hide();

    // The other rules keep their menus: no "Mark all but one" there.
    cbDup->setCurrentIndex(3);
    clickStart(*w);
    EXPECT_EQ(w->gridController()->popupMenu()->findChild<QAction*>("KeepNewest1"), nullptr);
}

TEST(TfrmDup, SizeAndContentsDeleteKeepsTheLastCopy)
{
    rwtest::FixtureBuilder fb;
    fb.fileWithContent("tree/a/one.dat", bytesOf(10000, 5));
    fb.fileWithContent("tree/b/two.dat", bytesOf(10000, 5));
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    w->findChild<QComboBox*>("cbDup")->setCurrentIndex(7);
    clickStart(*w);
    ASSERT_EQ(w->rowCount(), 3);
    // Both copies marked: neither may go.
    w->MarkThisFile(1);
    w->MarkThisFile(2);
    ScriptedResponder::instance().clear();
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    rwtest::onNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("btDelete")->click(); },
        QStringLiteral("rw::TfrmReallyDelete"));
    w->findChild<QPushButton*>("btDelete")->click();
    EXPECT_TRUE(QFile::exists(fb.path("tree/a/one.dat")));
    EXPECT_TRUE(QFile::exists(fb.path("tree/b/two.dat")));
    const QStringList texts = ScriptedResponder::instance().texts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.last().contains(fb.path("tree/a/one.dat")));
    EXPECT_TRUE(texts.last().contains(fb.path("tree/b/two.dat")));
    EXPECT_LE(readDeletionTotals().filesDeleted, 0);
}

// "Replace marked with links to the kept copy" is in the grid menu of "Size
// and contents" only; it replaces the marked copy by a link to the one that
// stays: both paths open the same bytes as one inode (a hard link here; a
// reflink where the file system clones), and the freed bytes are counted.
TEST(TfrmDup, SizeAndContentsReplacesAMarkedCopyByALink)
{
    rwtest::FixtureBuilder fb;
    const QByteArray data = bytesOf(10000, 6);
    fb.fileWithContent("tree/a/one\tcopy.dat", data);
    fb.fileWithContent("tree/b/two\ncopy.dat", data);
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    w->findChild<QComboBox*>("cbDup")->setCurrentIndex(3);
    clickStart(*w);
    EXPECT_EQ(w->gridController()->popupMenu()->findChild<QAction*>("ReplaceWithLinks1"), nullptr);
    w->findChild<QComboBox*>("cbDup")->setCurrentIndex(7);
    clickStart(*w);
    ASSERT_EQ(w->rowCount(), 3);
    const int marked = w->pathBytes(1).endsWith("one\tcopy.dat") ? 1 : 2;
    w->MarkThisFile(marked);
    auto* replace = w->gridController()->popupMenu()->findChild<QAction*>("ReplaceWithLinks1");
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->text(), "Replace marked with &links to the kept copy");
    ScriptedResponder::instance().clear();
    rwtest::onNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("btReplace")->click(); },
        QStringLiteral("rw::TfrmReplaceLinks"));
    replace->trigger();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    const QString one = fb.path("tree/a/one\tcopy.dat");
    const QString two = fb.path("tree/b/two\ncopy.dat");
    for (const QString& path : {one, two}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), data);
    }
    struct stat a {
    };
    struct stat b {
    };
    ASSERT_EQ(::stat(QFile::encodeName(one).constData(), &a), 0);
    ASSERT_EQ(::stat(QFile::encodeName(two).constData(), &b), 0);
    EXPECT_EQ(a.st_ino, b.st_ino);
    EXPECT_EQ(b.st_nlink, 2u);
    const QStringList texts = ScriptedResponder::instance().texts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(
        texts.first(),
        "Files replaced by links: 1 (reflinks: 0, hard links: 1). Bytes freed: 10,000 bytes.");
    EXPECT_EQ(readDeletionTotals().filesDeleted, 1);
    EXPECT_EQ(readDeletionTotals().bytesDeleted, 10000);
}

// After a delete run of the duplicate window the folders it emptied are
// offered in one question; a folder that was empty before is not.
TEST(TfrmDup, DeleteOffersTheFoldersItEmptied)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a/same.txt", 100);
    fb.file("tree/b/same.txt", 100);
    fb.folder("tree/empty");
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    clickStart(*w);
    ASSERT_EQ(w->rowCount(), 3);
    w->MarkThisFile(w->pathBytes(1).contains("/b/") ? 1 : 2);
    ScriptedResponder& r = ScriptedResponder::instance();
    r.clear();
    r.queueAnswer(MessageAnswer::Yes); // Really delete?
    r.queueAnswer(MessageAnswer::Yes); // remove the emptied folder
    rwtest::onNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("btDelete")->click(); },
        QStringLiteral("rw::TfrmReallyDelete"));
    w->findChild<QPushButton*>("btDelete")->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(r.texts().contains("These folders are empty now:\n" + fb.path("tree/b") +
                                   "\nRemove them?"));
    EXPECT_FALSE(QFileInfo::exists(fb.path("tree/b")));
    EXPECT_TRUE(QFileInfo::exists(fb.path("tree/a/same.txt")));
    EXPECT_TRUE(QFileInfo::exists(fb.path("tree/empty")));
}

// "Folders with the same contents": folder rows, largest group first; a
// marked copy goes through the folder-delete confirmation, and a group
// whose every folder is marked keeps its last copy and says so.
TEST(TfrmDup, FoldersWithTheSameContentsDeleteAMarkedCopyButNeverTheLast)
{
    rwtest::FixtureBuilder fb;
    for (const char* top : {"tree/a", "tree/b"}) {
        fb.fileWithContent(QString::fromLatin1(top) + "/one.dat", bytesOf(6000, 7));
        fb.fileWithContent(QString::fromLatin1(top) + "/in/two.dat", bytesOf(900, 8));
        // Through the bytes, not QFile: the name is not UTF-8.
        const QByteArray odd = QFile::encodeName(fb.path(top)) + "/odd\tna\nme\xff";
        std::FILE* f = std::fopen(odd.constData(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytesOf(30, 9).constData(), 1, 30, f);
        std::fclose(f);
    }
    for (const char* top : {"tree/p", "tree/q"})
        fb.fileWithContent(QString::fromLatin1(top) + "/small.dat", bytesOf(100, 10));
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    auto* cbDup = w->findChild<QComboBox*>("cbDup");
    ASSERT_EQ(cbDup->count(), 9);
    EXPECT_EQ(cbDup->itemText(8), QStringLiteral("Folders with the same contents"));
    cbDup->setCurrentIndex(8);
    clickStart(*w);
    EXPECT_EQ(status(*w),
              QStringLiteral("Duplicate folders: 2; groups: 2; bytes that can be freed: 7,030"));
    EXPECT_FALSE(w->findChild<QPushButton*>("btCompare")->isVisible());
    ASSERT_EQ(w->rowCount(), 5);
    const QStringList want[] = {{"a", "6,930", fb.path("tree")},
                                {"b", "6,930", fb.path("tree")},
                                {"p", "100", fb.path("tree")},
                                {"q", "100", fb.path("tree")}};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(w->cell(0, row), want[row - 1][0]);
        EXPECT_EQ(w->cell(1, row), want[row - 1][1]);
        EXPECT_EQ(w->cell(5, row), want[row - 1][2]);
        EXPECT_EQ(w->cell(6, row), QStringLiteral("File folder"));
    }

    // b goes (a stays); both p and q are marked, so neither may go.
    w->MarkThisFile(2);
    EXPECT_EQ(status(*w), QStringLiteral("1 files 6,930 bytes"));
    w->MarkThisFile(3);
    w->MarkThisFile(4);
    ScriptedResponder::instance().clear();
    // One confirmation per marked folder, each answered "&Delete folder".
    int confirmed = 0;
    std::function<void(QWidget*)> deleteFolder = [&](QWidget* dialog) {
        dialog->findChild<QPushButton*>("btDelete")->click();
        if (++confirmed < 3)
            rwtest::onNextModal(deleteFolder, QStringLiteral("rw::TfrmDelDirectory"));
    };
    rwtest::onNextModal(deleteFolder, QStringLiteral("rw::TfrmDelDirectory"));
    w->findChild<QPushButton*>("btDelete")->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(fb.path("tree/a/in/two.dat")));
    EXPECT_FALSE(QFile::exists(fb.path("tree/b")));
    EXPECT_TRUE(QFile::exists(fb.path("tree/p/small.dat")));
    EXPECT_TRUE(QFile::exists(fb.path("tree/q/small.dat")));
    const QStringList texts = ScriptedResponder::instance().texts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.last().startsWith("These folders were left alone"))
        << texts.last().toStdString();
    EXPECT_TRUE(texts.last().contains(fb.path("tree/p")));
    EXPECT_TRUE(texts.last().contains(fb.path("tree/q")));
    EXPECT_EQ(confirmed, 3);
    EXPECT_EQ(readDeletionTotals().filesDeleted, 3);
}

// A copied folder deleted in "Folders with the same contents" can leave the
// folder that held it empty: that one is offered, one that was empty
// before is not.
TEST(TfrmDup, FolderDeleteOffersTheFolderItEmptied)
{
    rwtest::FixtureBuilder fb;
    fb.fileWithContent("tree/a/x.dat", bytesOf(5000, 3));
    fb.fileWithContent("tree/hold\ter/a/x.dat", bytesOf(5000, 3));
    fb.folder("tree/empty");
    fb.mapDrive('D', "tree");
    auto w = openFinder(true);
    w->findChild<QComboBox*>("cbDup")->setCurrentIndex(8);
    clickStart(*w);
    ASSERT_EQ(w->rowCount(), 3);
    // The tab is shown as \t.
    const QString shownHolder = fb.path("tree/hold") + QStringLiteral("\\ter");
    const int inHolder = w->cell(5, 1) == shownHolder ? 1 : 2;
    ASSERT_EQ(w->cell(5, inHolder), shownHolder);
    w->MarkThisFile(inHolder);
    ScriptedResponder& r = ScriptedResponder::instance();
    r.clear();
    r.queueAnswer(MessageAnswer::Yes); // remove the emptied folder
    rwtest::onNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("btDelete")->click(); },
        QStringLiteral("rw::TfrmDelDirectory"));
    w->findChild<QPushButton*>("btDelete")->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(
        r.texts().contains("These folders are empty now:\n" + shownHolder + "\nRemove them?"))
        << r.texts().join('|').toStdString();
    EXPECT_FALSE(QFileInfo::exists(fb.path("tree/hold\ter")));
    EXPECT_TRUE(QFileInfo::exists(fb.path("tree/a/x.dat")));
    EXPECT_TRUE(QFileInfo::exists(fb.path("tree/empty")));
}
