#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "controls/PickList.h"
#include "framework/ResultGridController.h"
#include "framework/core/SortFlags.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/clean/CleanWindowFactory.h"
#include "tools/clean/TfrmClean.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

constexpr int kPathColumn = 4;

// The first line of a pick list that starts with `prefix` (null: none).
QListWidgetItem* lineStartingWith(const PickList& list, const QString& prefix)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->text().startsWith(prefix))
            return list.item(i);
    return nullptr;
}

} // namespace

TEST(CleanWindowSystem, PatternAddedInTheEditorFindsFilesThatAreThenDeleted)
{
    rwtest::FixtureBuilder fb;
    const QString folder = fb.path("tree/c");
    const QByteArray tabFile = writeFile(folder, "tab\tfile.qqz", 1600);
    const QByteArray oldFile = writeFile(folder, "old.qqz", 1500);
    const QByteArray kept = writeFile(folder, "keep.txt", 1700);
    fb.mapDrive('D', "tree");

    std::unique_ptr<QDialog> made = createCleanWindow(nullptr);
    auto* w = static_cast<TfrmClean*>(made.get());
    runModal(*w, [&] {
        tickOnly(w->driveList(), 'D');

        // "Add/Delete" opens the pattern editor; its "&Add" asks for an
        // extension, typed as "qqz"; Close stores the list.
        QStringList editorLines;
        onModal("rw::TfrmTempFiles", [&](QDialog& editor) {
            onModal("rw::TfrmSelectExtension", [](QDialog& select) {
                // The field has the focus with its text selected: typing replaces it.
                auto* edit = child<QLineEdit>(select, "Edit1");
                XSession::key(&select, {"ctrl+a"});
                XSession::type(&select, "qqz");
                EXPECT_EQ(edit->text(), "qqz");
                XSession::click(child(select, "btOK"));
                EXPECT_TRUE(XSession::waitFor([&] { return !select.isVisible(); }));
            });
            XSession::click(child(editor, "btAdd"));
            editorLines = child<PickList>(editor, "PickList1")->lines();
            XSession::click(child(editor, "btClose"));
            EXPECT_TRUE(XSession::waitFor([&] { return !editor.isVisible(); }));
        });
        XSession::click(child(*w, "btEdit"));
        ASSERT_TRUE(rwtest::lastModalHandled());
        EXPECT_EQ(editorLines.filter(QRegularExpression("^\\*\\.qqz\\t")).size(), 1)
            << editorLines.join(" | ").toStdString();
        QFile settings(rwtest::settingsFilePath());
        ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
        EXPECT_TRUE(settings.readAll().contains("*.qqz"));

        // The cleaner lists it again; a click selects it, "&Start" scans.
        PickList* patterns = w->extensionList();
        QListWidgetItem* qqz = lineStartingWith(*patterns, "*.qqz\t");
        ASSERT_NE(qqz, nullptr);
        XSession::click(patterns->viewport(), patterns->visualItemRect(qqz).center());
        EXPECT_EQ(patterns->selectedLines(), QStringList({qqz->text()}));
        XSession::click(child(*w, "btScan"));
        auto* status = child<QLabel>(*w, "pnlSel");
        ASSERT_TRUE(XSession::waitFor([&] { return status->text() == "2 tempfiles found"; }))
            << status->text().toStdString();
        ResultGridView& grid = *w->gridController()->grid();
        expectColumnsShowTheirTexts(grid, {64, 64, 64, 64, 296, 63});

        // Mark the tab name by a double click, Delete, "&Delete all files", Yes.
        const int row = rowEndingWith(grid, kPathColumn, "/tab\\tfile.qqz");
        ASSERT_GE(row, 0);
        doubleClickCell(grid, row, kPathColumn);
        EXPECT_EQ(status->text(), "1 files 1,600 bytes");
        ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
        onModal("rw::TfrmReallyDelete",
                [](QDialog& confirm) { XSession::click(child(confirm, "btDelete")); });
        XSession::click(child(*w, "btDelete"));
        EXPECT_TRUE(XSession::waitFor([&] { return !w->isVisible(); }));
    });
    EXPECT_FALSE(exists(tabFile));
    EXPECT_TRUE(exists(oldFile));
    EXPECT_TRUE(exists(kept));
}

// Rows show while the walk goes on: when the run reaches a drive mapped to a
// plain file (its "Can't open drive " box comes between the drives), the
// files of the drive before it are in the grid already. The run then goes on
// with the next drive and ends as a run that showed nothing meanwhile would.
TEST(CleanWindowSystem, RowsAppearWhileTheWalkGoesOnAndAFileDriveIsSaid)
{
    SortFlags::instance().reset(); // the first scan of a run lists the largest first
    rwtest::FixtureBuilder fb;
    for (int i = 0; i < 3; ++i)
        writeFile(fb.path("first/sub"), QByteArray("early") + QByteArray::number(i) + ".tmp",
                  1000 + i);
    writeFile(fb.path("last"), "late.tmp", 2000);
    writeFile(fb.path("last"), "tab\there.tmp", 2100);
    fb.mapDrive('D', "first");
    fb.mapDrive('E', fb.file("plain.bin", 10));
    fb.mapDrive('F', "last");

    std::unique_ptr<QDialog> made = createCleanWindow(nullptr);
    auto* w = static_cast<TfrmClean*>(made.get());
    runModal(*w, [&] {
        CheckListBox* drives = w->driveList();
        drives->uncheckAll();
        DriveInfo fileDrive;
        for (const char letter : {'D', 'E', 'F'}) {
            DriveInfo d;
            ASSERT_TRUE(findDrive(QChar(letter), &d));
            EXPECT_TRUE(drives->checkLine(d.entryText()));
            if (letter == 'E')
                fileDrive = d;
        }
        ResultGridView& grid = *w->gridController()->grid();
        int rowsWhenSaid = -1;
        bool runningWhenSaid = false;
        ScriptedResponder::instance().setOnShow([&](const ScriptedResponder::Entry& e) {
            if (!e.text.startsWith("Can't open drive "))
                return;
            runningWhenSaid = child(*w, "btAbort")->isVisible();
            // The rows the view shows (its row header follows what the
            // model told it), not merely the rows the model holds.
            XSession::waitFor([&] { return grid.verticalHeader()->count() == 3; }, 2000);
            rowsWhenSaid = grid.verticalHeader()->count();
            saveShot(w, "clean-mid-run");
        });
        XSession::click(child(*w, "btScan"));
        auto* status = child<QLabel>(*w, "pnlSel");
        ASSERT_TRUE(XSession::waitFor([&] { return status->text() == "5 tempfiles found"; }))
            << status->text().toStdString();
        ScriptedResponder::instance().setOnShow(nullptr);

        const QList<ScriptedResponder::Entry> said = ScriptedResponder::instance().entries();
        ASSERT_EQ(said.size(), 1);
        EXPECT_EQ(said[0].kind, MessageKind::Error);
        EXPECT_EQ(said[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(said[0].text, "Can't open drive " + fileDrive.entryText());
        EXPECT_TRUE(runningWhenSaid);
        EXPECT_EQ(rowsWhenSaid, 3) << "the first drive's rows show before the run ends";

        // The finished list: every row, largest first, as one fill gave it.
        EXPECT_EQ(columnTexts(grid, 0), QStringList({"2,100", "2,000", "1,002", "1,001", "1,000"}));
        EXPECT_TRUE(columnTexts(grid, kPathColumn).first().endsWith("/tab\\there.tmp"));
        expectColumnsShowTheirTexts(grid, {64, 64, 64, 64, 296, 63});
    });
}
