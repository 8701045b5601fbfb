#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "base/AppGlobals.h"
#include "base/Settings.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "platform/Drives.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/XSession.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDup.h"
#include "tools/dup/TfrmDupCompare.h"

#include <sys/stat.h>

using namespace rw;
using rwtest::XSession;

namespace
{

// Opens the finder the way the launcher does (a modal loop) and runs `drive`
// inside it; the finder is closed afterwards if `drive` left it open.
void runFinder(bool duplicates, const std::function<void(TfrmDup&)>& drive)
{
    DuplicateMode = duplicates;
    std::unique_ptr<QDialog> made = createDupWindow(nullptr, DuplicateMode);
    auto* w = static_cast<TfrmDup*>(made.get());
    QTimer::singleShot(0, w, [w, &drive] {
        XSession::waitFor([w] { return w->isVisible() && w->windowHandle()->isExposed(); });
        auto* drives = w->findChild<CheckListBox*>("pckDrive");
        drives->uncheckAll();
        DriveInfo d;
        EXPECT_TRUE(findDrive(QChar('D'), &d));
        EXPECT_TRUE(drives->checkLine(d.entryText()));
        drive(*w);
        if (w->isVisible())
            w->done(QDialog::Rejected);
    });
    w->exec();
}

QPushButton* button(const QWidget& w, const char* name)
{
    auto* b = w.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

} // namespace

TEST(DupWindowSystem, PairWindowTakesClicksAndKeysBesideTheModalFinder)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a/same.txt", 5);
    fb.file("tree/b/same.txt", 5);
    fb.mapDrive('D', "tree");
    runFinder(true, [&](TfrmDup& w) {
        w.findChild<QDoubleSpinBox*>("num1")->setValue(0);
        XSession::click(button(w, "btScan"));
        ASSERT_TRUE(XSession::waitFor(
            [&] { return w.findChild<QLabel*>("pnlSel")->text() == "2 duplicates found"; }));

        XSession::click(button(w, "btCompare"));
        TfrmDupCompare* pairs = dupCompareWindow();
        ASSERT_TRUE(XSession::waitFor(
            [&] { return pairs->isVisible() && pairs->windowHandle()->isExposed(); }));
        // It opens beside the finder: the finder's buttons stay in sight.
        const QPoint start = button(w, "btScan")->mapToGlobal(QPoint(5, 5));
        EXPECT_FALSE(pairs->frameGeometry().contains(start));

        // "M&ark" of the right-hand file marks it in the finder.
        XSession::click(button(*pairs, "btMark2"));
        EXPECT_EQ(w.gridController()->markedCount(), 1);
        // "&Compute CRC values" computes both checksums.
        XSession::click(button(*pairs, "btCompute"));
        auto* crc = pairs->findChild<QLabel*>("lblCRC1");
        ASSERT_NE(crc, nullptr);
        EXPECT_FALSE(crc->text().isEmpty());
        // Esc closes it; the finder is still there and takes input again.
        XSession::key(pairs, {"Escape"});
        EXPECT_TRUE(XSession::waitFor([&] { return !pairs->isVisible(); }));
        EXPECT_TRUE(w.isVisible());
        XSession::click(button(w, "btMark"));
        EXPECT_EQ(w.gridController()->markedCount(), 2);
    });
}

TEST(DupWindowSystem, SizeAndContentsIsChosenByKeyAndShadesEveryOtherGroup)
{
    rwtest::FixtureBuilder fb;
    fb.fileWithContent("tree/a/one.dat", QByteArray(3000, 'a'));
    fb.fileWithContent("tree/b/one.dat", QByteArray(3000, 'a'));
    fb.fileWithContent("tree/c/two.dat", QByteArray(2000, 'b'));
    fb.fileWithContent("tree/d/two.dat", QByteArray(2000, 'b'));
    fb.fileWithContent("tree/e/other.dat", QByteArray(2000, 'c'));
    fb.mapDrive('D', "tree");
    runFinder(true, [&](TfrmDup& w) {
        w.findChild<QDoubleSpinBox*>("num1")->setValue(0);
        // The eighth choice is the one before the last: End, then Up, picks
        // it in the closed box.
        auto* cbDup = w.findChild<QComboBox*>("cbDup");
        cbDup->setFocus();
        XSession::key(&w, {"End", "Up"});
        ASSERT_TRUE(XSession::waitFor([&] { return cbDup->currentIndex() == 7; }));
        EXPECT_EQ(cbDup->currentText(), "Size and contents");
        XSession::click(button(w, "btScan"));
        ASSERT_TRUE(XSession::waitFor([&] {
            return w.findChild<QLabel*>("pnlSel")->text() ==
                   "2 duplicates in 2 groups, 5,000 bytes can be freed";
        }));
        EXPECT_EQ(w.rowCount(), 5);
        // What the screen shows: the second group on the shaded background.
        XSession::settle();
        auto* view = w.findChild<ResultGridView*>();
        ASSERT_NE(view, nullptr);
        const QImage shot = XSession::grab(view->viewport());
        // Sampled left in the size column, where the right-aligned number
        // leaves the background bare; row 0 is the selected one.
        const int x =
            (view->columnViewportPosition(1) + 4) * shot.width() / view->viewport()->width();
        const int rowHeight = view->rowHeight(0) * shot.height() / view->viewport()->height();
        const QColor second = shot.pixelColor(x, rowHeight + rowHeight / 2);
        const QColor third = shot.pixelColor(x, 2 * rowHeight + rowHeight / 2);
        EXPECT_NE(second, third);
        EXPECT_EQ(third, QColor(0xE4, 0xEC, 0xF7));
    });
}

// A user marks a copy (by a double click), picks "Replace marked with links
// to the kept copy" from the grid's menu and confirms: both paths then open
// the same bytes as one inode, and the bytes of the old file are counted
// freed.
TEST(DupWindowSystem, ReplacesAMarkedCopyByALinkFromTheGridMenu)
{
    rwtest::FixtureBuilder fb;
    const QByteArray odd = e2e::writeFile(fb.path("tree/a"), "bad\xff\tname.dat", 6000);
    const QByteArray kept = e2e::writeFile(fb.path("tree/b"), "kept.dat", 6000);
    fb.mapDrive('D', "tree");
    rwtest::ScriptedResponder::instance().reset();
    QString heading;
    runFinder(true, [&](TfrmDup& w) {
        w.findChild<QDoubleSpinBox*>("num1")->setValue(0);
        w.findChild<QComboBox*>("cbDup")->setCurrentIndex(7);
        XSession::click(button(w, "btScan"));
        ASSERT_TRUE(XSession::waitFor([&] {
            return w.findChild<QLabel*>("pnlSel")->text() ==
                   "1 duplicates in 1 groups, 6,000 bytes can be freed";
        }));
        auto* grid = w.findChild<ResultGridView*>();
        ASSERT_NE(grid, nullptr);
        const int row = w.pathBytes(1) == odd ? 0 : 1;
        ASSERT_EQ(w.pathBytes(row + 1), odd);
        e2e::doubleClickCell(*grid, row, 0);
        ASSERT_TRUE(XSession::waitFor([&] { return w.gridController()->markedCount() == 1; }));

        e2e::onModal("rw::TfrmReplaceLinks", [&](QDialog& d) {
            XSession::settle();
            const QString shots = qEnvironmentVariable("RW_LINK_SHOT");
            if (!shots.isEmpty())
                XSession::grab(&d).save(shots);
            heading = d.findChild<QLabel*>("lblHeading")->text();
            XSession::click(e2e::child(d, "btReplace"));
        });
        XSession::rightClick(grid->viewport(), e2e::cellPoint(*grid, row, 0));
        QMenu* menu = w.gridController()->popupMenu();
        ASSERT_TRUE(XSession::waitForShown(menu));
        QAction* replace = menu->findChild<QAction*>("ReplaceWithLinks1");
        ASSERT_NE(replace, nullptr);
        XSession::click(menu, menu->actionGeometry(replace).center());
        EXPECT_TRUE(XSession::waitFor([&] { return !w.isVisible(); }, 8000));
        EXPECT_EQ(w.result(), QDialog::Accepted);
    });
    EXPECT_TRUE(heading.startsWith("Files to be replaced by links: 1 (by reflinks: 0, by hard "
                                   "links: 1)."))
        << heading.toStdString();
    struct stat a {
    };
    struct stat b {
    };
    ASSERT_EQ(::stat(odd.constData(), &a), 0);
    ASSERT_EQ(::stat(kept.constData(), &b), 0);
    EXPECT_EQ(a.st_ino, b.st_ino);
    EXPECT_EQ(b.st_nlink, 2u);
    QFile fa(QFile::decodeName(kept));
    ASSERT_TRUE(fa.open(QIODevice::ReadOnly));
    EXPECT_EQ(fa.readAll(), QByteArray(6000, 'd'));
    FILE* f = std::fopen(odd.constData(), "rb");
    ASSERT_NE(f, nullptr);
    char buffer[7000];
    EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, f), 6000u);
    std::fclose(f);
    EXPECT_EQ(QByteArray(buffer, 6000), QByteArray(6000, 'd'));
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().contains(
        "Files replaced by links: 1 (reflinks: 0, hard links: 1). Bytes freed: 6,000 bytes."));
    EXPECT_EQ(readDeletionTotals().bytesDeleted, 6000);
}
