#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "framework/TfrmDelDirectory.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"

using rw::MessageAnswer;
using rw::TfrmDelDirectory;
using rwtest::ScriptedResponder;

namespace
{

QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(name);
}

// Opens the window on `folder`, lets `action` press its buttons, returns the choice.
TfrmDelDirectory::Choice run(const QString& folder, std::function<void(QWidget*)> action)
{
    rwtest::onNextModal(std::move(action), "rw::TfrmDelDirectory");
    return TfrmDelDirectory::ask(nullptr, folder);
}

} // namespace

TEST(TfrmDelDirectory, ShowsTheFolderAndTheThreeChoices)
{
    TfrmDelDirectory dialog;
    dialog.setDirectory("/data/old projects");
    EXPECT_EQ(dialog.windowTitle(), "Delete directory, sub-directories and all files");
    EXPECT_EQ(dialog.size(), QSize(518, 266));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblDirectory")->text(), "/data/old projects");
    EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text(), "Folder to delete:");
    EXPECT_EQ(button(&dialog, "btDelete")->text(), "&Delete folder");
    EXPECT_EQ(button(&dialog, "btRecycle")->text(), "&Send files to recycle bin");
    EXPECT_TRUE(button(&dialog, "btRecycle")->isEnabled());
}

TEST(TfrmDelDirectory, EachButtonGivesItsChoice)
{
    EXPECT_EQ(run("/data/x", [](QWidget* w) { button(w, "btDelete")->click(); }),
              TfrmDelDirectory::Choice::Delete);
    EXPECT_EQ(run("/data/x", [](QWidget* w) { button(w, "BitBtn3")->click(); }),
              TfrmDelDirectory::Choice::Cancel);
    EXPECT_TRUE(ScriptedResponder::instance().entries().isEmpty());

    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(run("/data/x", [](QWidget* w) { button(w, "btRecycle")->click(); }),
              TfrmDelDirectory::Choice::Recycle);
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{TfrmDelDirectory::recycleNoteText()});
    EXPECT_TRUE(TfrmDelDirectory::recycleNoteText().startsWith(
        "Note that the recycle bin may be full or that you may have the \"Immediately Remove "
        "Files On Delete\" option turned on in the recycle bin."));
}

TEST(TfrmDelDirectory, NoToTheRecycleNoteKeepsTheWindowOpen)
{
    ScriptedResponder::instance().queueAnswer(MessageAnswer::No);
    bool stillOpen = false;
    const auto choice = run("/data/x", [&](QWidget* w) {
        button(w, "btRecycle")->click();
        stillOpen = w->isVisible();
        button(w, "btDelete")->click();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(choice, TfrmDelDirectory::Choice::Delete);
}

TEST(TfrmDelDirectory, FloppyDriveCannotRecycle)
{
    rwtest::FixtureBuilder fx;
    const QString floppy = fx.folder("floppy");
    fx.mapDrive('A', floppy);
    TfrmDelDirectory dialog;
    dialog.setDirectory(fx.folder("floppy/games"));
    EXPECT_FALSE(button(&dialog, "btRecycle")->isEnabled());
    dialog.setDirectory(fx.folder("elsewhere"));
    EXPECT_TRUE(button(&dialog, "btRecycle")->isEnabled());
}
