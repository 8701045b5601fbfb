#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "controls/PickList.h"
#include "framework/core/FileTypes.h"
#include "platform/ProfileFile.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/clean/TfrmTempFiles.h"
#include "tools/clean/core/TempPatterns.h"

using namespace rw;
using rwtest::ScriptedResponder;

namespace
{

const QString kSection = QStringLiteral("TempFiles");

QStringList patterns(const PickList* list)
{
    QStringList out;
    for (const QString& l : list->lines())
        out << l.section('\t', 0, 0);
    return out;
}

int storedNumber()
{
    return int(ProfileFile(rwtest::settingsFilePath()).readInt(kSection, "Number", -1));
}

} // namespace

TEST(TfrmTempFiles, MissingSectionShowsTheDefaultsAndClosingWritesThem)
{
    TfrmTempFiles w;
    EXPECT_EQ(w.windowTitle(), "Temporary file extensions");
    w.show();
    EXPECT_EQ(patterns(w.pickList()), (QStringList{"*.$$$", "*.bak", "*.fts", "*.tmp"}));
    // The notes below the list.
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(),
              "Some common temporary file extensions are .TMP, .TEMP, .$$$, .OLD and .BAK.  It "
              "is your responsibility to ensure that you have selected the proper extensions "
              "for file deletion.");
    EXPECT_EQ(w.findChild<QLabel*>("Label3")->text(),
              ".FTS files may deleted if you're really short of space.  They are Windows help "
              "file searching add-ons.  They can be re-generated as needed.");
    // Nothing is written while the dialog is up.
    EXPECT_EQ(storedNumber(), -1);

    w.findChild<QPushButton*>("btClose")->click();
    EXPECT_EQ(storedNumber(), 4);
    EXPECT_EQ(ProfileFile(rwtest::settingsFilePath()).readString(kSection, "File1"), "*.$$$");
}

TEST(TfrmTempFiles, EveryWayOfClosingStoresTheList)
{
    TfrmTempFiles esc;
    esc.show();
    esc.pickList()->selectAll();
    esc.btDeleteClick(); // more than one: asks first
    ASSERT_EQ(ScriptedResponder::instance().texts(), QStringList{"Really delete 4 extensions?"});
    EXPECT_EQ(esc.pickList()->count(), 4); // the default answer No keeps them

    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    esc.btDeleteClick();
    EXPECT_EQ(esc.pickList()->count(), 0);
    QTest::keyClick(&esc, Qt::Key_Escape);
    EXPECT_FALSE(esc.isVisible());
    EXPECT_EQ(storedNumber(), 0);

    // The title bar's close button too.
    TfrmTempFiles bar;
    bar.show();
    EXPECT_EQ(bar.pickList()->count(), 0); // Number 0 is an empty list
    bar.btDefaultsClick();
    bar.close();
    EXPECT_EQ(storedNumber(), 6);
}

TEST(TfrmTempFiles, DefaultsAddOnlyWhatIsMissingAndDeleteAsksForTwo)
{
    TfrmTempFiles w;
    w.show();
    w.btDefaultsClick();
    EXPECT_EQ(patterns(w.pickList()),
              (QStringList{"*.$$$", "*.bak", "*.fts", "*.old", "*.temp", "*.tmp"}));

    // Two selected: asked; No and Cancel keep both.
    for (MessageAnswer a : {MessageAnswer::No, MessageAnswer::Cancel}) {
        ScriptedResponder::instance().clear();
        ScriptedResponder::instance().queueAnswer(a);
        w.pickList()->clearSelection();
        w.pickList()->item(1)->setSelected(true);
        w.pickList()->item(2)->setSelected(true);
        w.btDeleteClick();
        EXPECT_EQ(ScriptedResponder::instance().texts(),
                  QStringList{"Really delete 2 extensions?"});
        EXPECT_EQ(w.pickList()->count(), 6);
    }
    // One selected goes without a question.
    ScriptedResponder::instance().clear();
    w.pickList()->clearSelection();
    w.pickList()->item(0)->setSelected(true);
    w.btDeleteClick();
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());
    EXPECT_EQ(w.pickList()->count(), 5);

    // Clear all asks; Yes empties.
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    w.btClearClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList{"Really clear out all extensions?"});
    EXPECT_EQ(w.pickList()->count(), 0);
}
