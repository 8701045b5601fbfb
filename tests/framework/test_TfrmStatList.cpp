#include <gtest/gtest.h>

#include "controls/PickList.h"
#include "framework/TfrmSelectExtension.h"
#include "framework/TfrmStatList.h"
#include "framework/core/FileTypes.h"
#include "framework/core/StatFileLists.h"
#include "platform/ProfileFile.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using rw::MessageAnswer;
using rwtest::ScriptedResponder;

namespace
{

QString countText(const rw::TfrmStatList& dlg)
{
    return dlg.findChild<QLabel*>(QStringLiteral("lblCount"))->text();
}

void click(QWidget& dlg, const char* name)
{
    QPushButton* b = dlg.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_TRUE(b) << name;
    b->click();
}

// Answers the next extension picker by typing `text` and pressing OK.
void pickTyped(const QString& text)
{
    rwtest::onNextModal(
        [text](QWidget* w) {
            auto* picker = static_cast<rw::TfrmSelectExtension*>(w);
            picker->edit1()->setText(text);
            picker->findChild<QPushButton*>(QStringLiteral("btOK"))->click();
        },
        QStringLiteral("rw::TfrmSelectExtension"));
}

} // namespace

TEST(TfrmStatList, FirstRunShowsTheDefaultsAndCloseSavesThem)
{
    rw::TfrmStatList dlg(QStringLiteral("Include"));
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("File types"));
    EXPECT_EQ(dlg.pickList()->count(), 3);
    EXPECT_EQ(countText(dlg), QStringLiteral("3 available"));

    click(dlg, "btClose");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    rw::ProfileFile ini(rwtest::settingsFilePath());
    EXPECT_EQ(ini.readInt(QStringLiteral("Include"), QStringLiteral("Number"), -1), 3);
    EXPECT_EQ(ini.readString(QStringLiteral("Include"), QStringLiteral("File1")),
              QStringLiteral("*.dll"));
}

TEST(TfrmStatList, DeletingAsksOnlyForMoreThanOneLine)
{
    rw::TfrmStatList dlg(QStringLiteral("Exclude"));
    dlg.show();
    rw::PickList* list = dlg.pickList();
    auto& responder = ScriptedResponder::instance();

    list->item(0)->setSelected(true);
    click(dlg, "btDelete");
    EXPECT_TRUE(responder.texts().isEmpty());
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(countText(dlg), QStringLiteral("2 available"));

    list->selectAll();
    responder.queueAnswer(MessageAnswer::Cancel);
    click(dlg, "btDelete");
    EXPECT_EQ(responder.texts(), QStringList{"Really delete 2 extensions?"});
    EXPECT_EQ(list->count(), 2);

    list->selectAll();
    responder.queueAnswer(MessageAnswer::Yes);
    click(dlg, "btDelete");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(countText(dlg), QStringLiteral("0 available"));
}

TEST(TfrmStatList, ClearAllEmptiesOnlyOnYes)
{
    rw::TfrmStatList dlg(QStringLiteral("Include"));
    dlg.show();
    auto& responder = ScriptedResponder::instance();
    responder.queueAnswer(MessageAnswer::No);
    click(dlg, "btClear");
    EXPECT_EQ(dlg.pickList()->count(), 3);
    responder.queueAnswer(MessageAnswer::Yes);
    click(dlg, "btClear");
    EXPECT_EQ(dlg.pickList()->count(), 0);
    EXPECT_EQ(responder.texts().last(), QStringLiteral("Really clear out all extensions?"));
}

TEST(TfrmStatList, AddTakesANewPatternOnceAndNeverAllFiles)
{
    rw::TfrmStatList dlg(QStringLiteral("Include"));
    dlg.show();
    const QString bak = QStringLiteral("*.bak\t") + rw::FileTypeDescription(QStringLiteral(".bak"));

    pickTyped(QStringLiteral("bak"));
    click(dlg, "btAdd");
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_TRUE(dlg.pickList()->containsLine(bak));
    EXPECT_EQ(countText(dlg), QStringLiteral("4 available"));

    pickTyped(QStringLiteral(".BAK"));
    click(dlg, "btAdd");
    EXPECT_EQ(dlg.pickList()->count(), 4);

    pickTyped(QStringLiteral("*.*"));
    click(dlg, "btAdd");
    EXPECT_EQ(dlg.pickList()->count(), 4);
}

TEST(TfrmStatList, TheCloseBoxDiscardsChanges)
{
    rw::TfrmStatList dlg(QStringLiteral("Include"));
    dlg.show();
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    click(dlg, "btClear");
    dlg.close();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    rw::ProfileFile ini(rwtest::settingsFilePath());
    EXPECT_EQ(ini.readInt(QStringLiteral("Include"), QStringLiteral("Number"), -1), -1);
}
