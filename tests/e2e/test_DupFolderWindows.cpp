#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "base/AppGlobals.h"
#include "controls/ResultGridModel.h"
#include "framework/ResultGridController.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDup.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

// The ninth choice picked by key in the closed box, a folder copied whole
// (names with a tab, a newline and a byte that is not UTF-8 inside) found
// as one group of two folder rows, its sub-folders not listed again; the
// copy marked with "&Mark" goes through the folder confirmation, and the
// original stays whole on disk.
TEST(DupFolderWindowSystem, FoldersWithTheSameContentsFindAndDeleteACopiedFolder)
{
    rwtest::FixtureBuilder fb;
    const QString tree = fb.folder("tree");
    for (const char* top : {"tree/photos", "tree/backup/photos"}) {
        fb.fileWithContent(QString::fromLatin1(top) + "/a.jpg", QByteArray(4000, 'a'));
        fb.fileWithContent(QString::fromLatin1(top) + "/2019/b.jpg", QByteArray(3000, 'b'));
        writeFile(fb.path(top), "odd\tna\nme\xff.jpg", 500);
    }
    fb.fileWithContent("tree/other/a.jpg", QByteArray(4000, 'a'));
    fb.mapDrive('D', "tree");

    DuplicateMode = true;
    std::unique_ptr<QDialog> made = createDupWindow(nullptr, true);
    auto* w = static_cast<TfrmDup*>(made.get());
    const QSize before = w->size();
    runModal(*w, [&] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        w->findChild<QDoubleSpinBox*>("num1")->setValue(0);
        auto* cbDup = w->findChild<QComboBox*>("cbDup");
        cbDup->setFocus();
        XSession::key(w, {"End"});
        ASSERT_TRUE(XSession::waitFor([&] { return cbDup->currentIndex() == 8; }));
        EXPECT_EQ(cbDup->currentText(), "Folders with the same contents");
        // The choice box keeps its place and the window its size.
        EXPECT_EQ(w->size(), before);
        XSession::click(child(*w, "btScan"));
        auto* status = w->findChild<QLabel*>("pnlSel");
        ASSERT_TRUE(XSession::waitFor([&] {
            return status->text() ==
                   "Duplicate folders: 1; groups: 1; bytes that can be freed: 7,500";
        })) << status->text().toStdString();
        ResultGridView& grid = *w->gridController()->grid();
        ASSERT_EQ(grid.model()->rowCount(), 2);
        EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "photos");
        EXPECT_EQ(grid.model()->index(0, 5).data().toString(), tree + "/backup");
        EXPECT_EQ(grid.model()->index(1, 5).data().toString(), tree);
        EXPECT_EQ(grid.model()->index(1, 1).data().toString(), "7,500");
        EXPECT_EQ(grid.model()->index(1, 6).data().toString(), "File folder");
        EXPECT_FALSE(child(*w, "btCompare")->isVisible());
        saveShot(w, "dup-folders-scanned");

        // The copy under backup: its row, "&Mark", "Delete", "&Delete folder".
        clickCell(grid, 0, 0);
        XSession::click(child(*w, "btMark"));
        ASSERT_TRUE(XSession::waitFor([&] { return status->text() == "1 files 7,500 bytes"; }))
            << status->text().toStdString();
        onModal("rw::TfrmDelDirectory",
                [](QDialog& ask) { XSession::click(child(ask, "btDelete")); });
        XSession::click(child(*w, "btDelete"));
        EXPECT_TRUE(XSession::waitFor([&] { return !w->isVisible(); }));
    });

    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(tree + "/backup/photos"));
    EXPECT_TRUE(QFileInfo::exists(tree + "/photos/2019/b.jpg"));
    EXPECT_TRUE(exists(QFile::encodeName(tree) + "/photos/odd\tna\nme\xff.jpg"));
    EXPECT_TRUE(ScriptedResponder::instance().texts().contains(
        "Deleted 3 files for a savings of 7,500 bytes."))
        << ScriptedResponder::instance().texts().join(" | ").toStdString();
}
