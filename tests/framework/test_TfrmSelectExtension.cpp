#include <gtest/gtest.h>

#include "controls/PickList.h"
#include "framework/TfrmSelectExtension.h"
#include "framework/core/FileTypes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using rw::TfrmSelectExtension;

TEST(TfrmSelectExtension, TypedTextBecomesAPattern)
{
    const struct {
        const char* typed;
        const char* pattern;
    } cases[] = {
        {"bak", "*.bak"},   {".bak", "*.bak"}, {"*.bak", "*.bak"}, {"*.*", ""},
        {".*", ""},         {"*", ""},         {"", ""},           {"  ", ""},
        {" bak ", "*.bak"}, {"a*", "a*"},      {"ba?", "*.ba?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TfrmSelectExtension::patternOfText(QString::fromLatin1(c.typed)),
                  QString::fromLatin1(c.pattern))
            << '"' << c.typed << '"';
}

TEST(TfrmSelectExtension, ShowsEveryRegisteredExtensionAndFocusesTheEditBox)
{
    TfrmSelectExtension dlg;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QStringList patterns;
    rw::FillWildcardList(patterns, false);
    ASSERT_FALSE(patterns.isEmpty());

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Select a file extension"));
    EXPECT_EQ(dlg.edit1()->maxLength(), 6);
    EXPECT_TRUE(dlg.edit1()->hasFocus());
    EXPECT_EQ(dlg.edit1()->text(), patterns.first());
    ASSERT_EQ(dlg.lBox()->count(), patterns.size());
    const int txt = int(patterns.indexOf(QStringLiteral("*.txt")));
    ASSERT_GE(txt, 0);
    EXPECT_EQ(dlg.lBox()->item(txt)->text(),
              QStringLiteral("*.txt\t") + rw::FileTypeDescription(QStringLiteral(".txt")));

    // Moving to a line puts its pattern into the edit box.
    dlg.lBox()->setCurrentRow(txt);
    EXPECT_EQ(dlg.edit1()->text(), QStringLiteral("*.txt"));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("lblWild"))->text(),
              rw::FileTypeDescription(QStringLiteral(".txt")));
}

TEST(TfrmSelectExtension, OkTakesTheTypedPattern)
{
    TfrmSelectExtension dlg;
    dlg.show();
    dlg.edit1()->setText(QStringLiteral("qqzx"));
    dlg.findChild<QPushButton*>(QStringLiteral("btOK"))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.multiSelected());
    EXPECT_EQ(dlg.pattern(), QStringLiteral("*.qqzx"));
    EXPECT_EQ(dlg.typeName(), QStringLiteral("QQZX File"));
}

TEST(TfrmSelectExtension, AllFilesTextClosesOnOkButNotOnDoubleClick)
{
    TfrmSelectExtension dlg;
    dlg.show();
    dlg.lBox()->clearSelection();
    dlg.edit1()->setText(QStringLiteral("*.*"));
    emit dlg.lBox()->itemDoubleClicked(dlg.lBox()->item(0));
    EXPECT_TRUE(dlg.isVisible());

    dlg.findChild<QPushButton*>(QStringLiteral("btOK"))->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.pattern().isEmpty());
    EXPECT_TRUE(dlg.typeName().isEmpty());
}

TEST(TfrmSelectExtension, SeveralSelectedLinesCloseOnlyOnTheOkButton)
{
    TfrmSelectExtension dlg;
    dlg.show();
    ASSERT_GE(dlg.lBox()->count(), 3);
    dlg.lBox()->item(0)->setSelected(true);
    dlg.lBox()->item(2)->setSelected(true);

    emit dlg.lBox()->itemDoubleClicked(dlg.lBox()->item(2));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.multiSelected());

    dlg.findChild<QPushButton*>(QStringLiteral("btOK"))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.multiSelected());
    EXPECT_EQ(dlg.selectedLines(),
              (QStringList{dlg.lBox()->item(0)->text(), dlg.lBox()->item(2)->text()}));
}

TEST(TfrmSelectExtension, DoubleClickOnOneLineTakesItsPattern)
{
    TfrmSelectExtension dlg;
    dlg.show();
    QListWidgetItem* item = dlg.lBox()->item(1);
    dlg.lBox()->setCurrentItem(item); // the first click of the double click
    emit dlg.lBox()->itemDoubleClicked(item);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.multiSelected());
    EXPECT_EQ(dlg.pattern(), item->text().section(QLatin1Char('\t'), 0, 0));
}
