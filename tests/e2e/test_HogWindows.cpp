#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include "base/AppGlobals.h"
#include "framework/ResultGridController.h"
#include "platform/Trash.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDup.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

constexpr int kSizeColumn = 0;
constexpr int kPathColumn = 4;

// Files of the hog fixture: every name a file system allows, each with its
// own size so rows are told apart by it. Sizes of 1 KB and more are hogs.
struct HogFile {
    QByteArray name;
    qint64 size;
};
const HogFile kFiles[] = {
    {"tab\tname.bin", 6000},       {"bad\xff.bin", 5000}, // not UTF-8
    {"bad\xef\xbf\xbd.bin", 4000},                        // its look-alike with U+FFFD
    {"new\nline.bin", 3000},       {"back\\slash.bin", 2000}, {"small.bin", 100}, // below the limit
};

QString folderPath()
{
    return rwtest::FixtureBuilder().path("tree/data");
}

void buildFixture()
{
    rwtest::FixtureBuilder fb;
    for (const HogFile& f : kFiles)
        writeFile(folderPath(), f.name, f.size);
    fb.mapDrive('D', "tree");
}

QByteArray pathOf(const HogFile& f)
{
    return QFile::encodeName(folderPath()) + '/' + f.name;
}

// Opens the file-hog finder the way the launcher does and scans drive D for
// files of at least 1 KB, typing the limit as a user does; `drive` goes on
// from the filled grid.
void runHogScan(const std::function<void(TfrmDup&)>& drive)
{
    DuplicateMode = false;
    std::unique_ptr<QDialog> made = createDupWindow(nullptr, DuplicateMode);
    auto* w = static_cast<TfrmDup*>(made.get());
    runModal(*w, [w, &drive] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        auto* limit = child<QDoubleSpinBox>(*w, "num1");
        XSession::click(limit);
        XSession::key(w, {"ctrl+a"});
        XSession::type(w, "1");
        EXPECT_EQ(limit->value(), 1);
        XSession::click(child(*w, "btScan"));
        auto* status = child<QLabel>(*w, "pnlSel");
        ASSERT_TRUE(XSession::waitFor([&] { return status->text() == "5 file hogs found"; }))
            << status->text().toStdString();
        drive(*w);
    });
}

ResultGridView& gridOf(TfrmDup& w)
{
    return *w.gridController()->grid();
}

} // namespace

TEST(HogWindowSystem, SortMarkCopyAndRecycleByClicks)
{
    buildFixture();
    bool closedAfterDelete = false;
    runHogScan([&](TfrmDup& w) {
        ResultGridView& grid = gridOf(w);
        // Largest first after the scan; a click on "Size" turns it round.
        EXPECT_EQ(columnTexts(grid, kSizeColumn),
                  QStringList({"6,000", "5,000", "4,000", "3,000", "2,000"}));
        clickHeader(grid, kSizeColumn);
        EXPECT_EQ(columnTexts(grid, kSizeColumn),
                  QStringList({"2,000", "3,000", "4,000", "5,000", "6,000"}));

        // The right-click menu's "Sort" > "&Name" orders by the path.
        XSession::rightClick(grid.viewport(), cellPoint(grid, 0, kPathColumn));
        QMenu* menu = w.gridController()->popupMenu();
        ASSERT_TRUE(XSession::waitForShown(menu));
        auto* sortMenu = menu->findChild<QMenu*>("Sort1");
        ASSERT_NE(sortMenu, nullptr);
        XSession::click(menu, menu->actionGeometry(sortMenu->menuAction()).center());
        ASSERT_TRUE(XSession::waitForShown(sortMenu));
        QAction* byName = sortMenu->findChild<QAction*>("Sortbyname1");
        XSession::click(sortMenu, sortMenu->actionGeometry(byName).center());
        EXPECT_TRUE(XSession::waitFor([&] { return !menu->isVisible(); }));
        EXPECT_TRUE(byName->isChecked());
        QStringList paths = columnTexts(grid, kPathColumn);
        EXPECT_TRUE(paths.first().endsWith("/back\\\\slash.bin", Qt::CaseInsensitive))
            << paths.join(" | ").toStdString();
        EXPECT_TRUE(paths.last().endsWith("/tab\\tname.bin", Qt::CaseInsensitive))
            << paths.join(" | ").toStdString();

        // Every column shows its heading and its texts whole.
        expectColumnsShowTheirTexts(grid, {64, 64, 64, 64, 296, 63});

        // "C&lipboard": one line per row, the tab of a name shown as its
        // escape, so every line keeps its six fields.
        XSession::click(child(w, "btClip"));
        const QStringList lines = XSession::clipboardText().split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 5) << XSession::clipboardText().toStdString();
        for (const QString& line : lines)
            EXPECT_EQ(line.count('\t'), 5) << line.toStdString();
        int tabLines = 0;
        for (const QString& line : lines)
            if (line.split('\t')
                    .value(kPathColumn)
                    .endsWith("/tab\\tname.bin", Qt::CaseInsensitive))
                ++tabLines;
        EXPECT_EQ(tabLines, 1);

        // Double clicks mark the not-UTF-8 name and the tab name.
        const int badRow = rowEndingWith(grid, kPathColumn, "/bad\\xff.bin");
        const int tabRow = rowEndingWith(grid, kPathColumn, "/tab\\tname.bin");
        ASSERT_GE(badRow, 0);
        ASSERT_GE(tabRow, 0);
        doubleClickCell(grid, badRow, kPathColumn);
        doubleClickCell(grid, tabRow, kPathColumn);
        EXPECT_EQ(child<QLabel>(w, "pnlSel")->text(), "2 files 11,000 bytes");
        saveShot(&w, "hogs-marked");
        // The marker does not hide the start of the path.
        expectColumnsShowTheirTexts(grid, {64, 64, 64, 64, 296, 63});

        // Delete: the confirmation window lists both; "&Send to recycle bin"
        // and Yes to the note send them to the bin.
        ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
        QStringList listed;
        onModal("rw::TfrmReallyDelete", [&](QDialog& confirm) {
            auto* list = child<QListWidget>(confirm, "lb1");
            for (int i = 0; i < list->count(); ++i)
                listed.append(list->item(i)->text());
            EXPECT_EQ(child<QLabel>(confirm, "lblSavings")->text(), "11,000 bytes");
            saveShot(&confirm, "hogs-confirm");
            XSession::click(child(confirm, "btRecycle"));
            EXPECT_TRUE(XSession::waitFor([&] { return !confirm.isVisible(); }));
        });
        XSession::click(child(w, "btDelete"));
        ASSERT_TRUE(rwtest::lastModalHandled());
        EXPECT_EQ(listed.size(), 2);
        closedAfterDelete = XSession::waitFor([&] { return !w.isVisible(); });
    });
    EXPECT_TRUE(closedAfterDelete);

    // The two marked files are in the bin, under their own names; the
    // look-alike and the others stay.
    EXPECT_FALSE(exists(pathOf(kFiles[0])));
    EXPECT_FALSE(exists(pathOf(kFiles[1])));
    for (int i = 2; i < 6; ++i)
        EXPECT_TRUE(exists(pathOf(kFiles[i]))) << kFiles[i].name.toHex().constData();
    const QByteArray bin = Trash::homeTrashPath() + "/files/";
    EXPECT_TRUE(exists(bin + kFiles[0].name));
    EXPECT_TRUE(exists(bin + kFiles[1].name));
    EXPECT_FALSE(exists(bin + kFiles[2].name));
}

TEST(HogWindowSystem, DeleteForGoodTakesOnlyTheMarkedLookAlike)
{
    buildFixture();
    runHogScan([&](TfrmDup& w) {
        ResultGridView& grid = gridOf(w);
        const int row = rowEndingWith(grid, kPathColumn, QString::fromUtf8("/bad\uFFFD.bin"));
        ASSERT_GE(row, 0);
        // "&Mark" marks the selected row.
        clickCell(grid, row, kSizeColumn);
        XSession::click(child(w, "btMark"));
        EXPECT_EQ(child<QLabel>(w, "pnlSel")->text(), "1 files 4,000 bytes");

        // "Cancel" first: nothing goes and the finder keeps its marks.
        onModal("rw::TfrmReallyDelete",
                [](QDialog& confirm) { XSession::click(child(confirm, "btClose")); });
        XSession::click(child(w, "btDelete"));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.gridController()->markedCount(), 1);

        // Then "&Delete all files" and Yes to "Really delete?".
        ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
        onModal("rw::TfrmReallyDelete",
                [](QDialog& confirm) { XSession::click(child(confirm, "btDelete")); });
        XSession::click(child(w, "btDelete"));
        EXPECT_TRUE(XSession::waitFor([&] { return !w.isVisible(); }));
        EXPECT_TRUE(ScriptedResponder::instance().texts().contains("Really delete?"));
    });
    EXPECT_FALSE(exists(pathOf(kFiles[2])));
    EXPECT_TRUE(exists(pathOf(kFiles[1]))) << "the not-UTF-8 neighbour must stay";
    for (const HogFile& f : kFiles) {
        if (f.name != kFiles[2].name) {
            EXPECT_TRUE(exists(pathOf(f))) << f.name.toHex().constData();
        }
    }
    EXPECT_FALSE(exists(Trash::homeTrashPath() + "/files/" + kFiles[2].name));
}

// The columns keep their widths after a run (the dates and times widen
// theirs to fit the font); where the window is too narrow for them all, the
// grid scrolls sideways instead of squeezing the Type column.
TEST(HogWindowSystem, TypeColumnKeepsItsWidthAndTheGridScrollsSideways)
{
    buildFixture();
    runHogScan([&](TfrmDup& w) {
        ResultGridView& grid = gridOf(w);
        const auto spread = [&grid] {
            int sum = 0;
            for (int c = 0; c < grid.model()->columnCount(); ++c)
                sum += grid.columnWidth(c);
            return sum;
        };
        const int typeColumn = 5;
        // The first width, then a width too narrow for the columns (as a
        // larger font makes them): the window's own minimum is let go.
        w.setMinimumWidth(0);
        for (const int width : {w.width(), 400}) {
            SCOPED_TRACE(width);
            w.resize(width, w.height());
            ASSERT_TRUE(XSession::waitFor([&] { return w.width() == width; }));
            XSession::settle();
            EXPECT_GE(grid.columnWidth(typeColumn), 63 * grid.logicalDpiX() / 96);
            expectColumnsShowTheirTexts(grid, {64, 64, 64, 64, 296, 63});
            if (spread() > grid.viewport()->width()) {
                EXPECT_TRUE(grid.horizontalScrollBar()->isVisible());
            }
        }
        // The narrow window cannot show every column: it scrolls.
        EXPECT_GT(spread(), grid.viewport()->width());
        EXPECT_TRUE(grid.horizontalScrollBar()->isVisible());
        saveShot(&w, "hogs-narrow");
    });
}
