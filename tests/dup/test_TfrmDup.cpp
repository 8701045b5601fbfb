#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "app/core/AppGlobals.h"
#include "app/core/Settings.h"
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
    std::unique_ptr<QDialog> made = createDupWindow(nullptr);
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
