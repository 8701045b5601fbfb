#include <gtest/gtest.h>

#include "framework/TfrmWildCard.h"
#include "framework/WildcardBox.h"
#include "framework/core/FileTypes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using rw::FileTypeDescription;

TEST(TfrmWildCard, KeepsTheCallersPatternAndFollowsEdits)
{
    rw::TfrmWildCard dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Wildcard pattern"));
    dlg.setPattern(QStringLiteral("*.txt"));
    dlg.show();

    QComboBox* box = dlg.cbWildCard();
    auto* lblWild = dlg.findChild<QLabel*>(QStringLiteral("lblWild"));
    auto* lblType = dlg.findChild<QLabel*>(QStringLiteral("lblType"));
    ASSERT_TRUE(lblWild && lblType);
    ASSERT_GT(box->count(), 1);
    EXPECT_EQ(box->itemText(0), QStringLiteral("*.*"));
    EXPECT_EQ(dlg.pattern(), QStringLiteral("*.txt"));
    EXPECT_EQ(lblWild->text(), QString());
    EXPECT_EQ(lblType->text(), FileTypeDescription(QStringLiteral(".txt")));

    box->setCurrentIndex(0); // a pick
    EXPECT_EQ(dlg.pattern(), QStringLiteral("*.*"));
    EXPECT_EQ(lblWild->text(), QStringLiteral("All files"));
    EXPECT_EQ(lblType->text(), QString());

    box->setEditText(QStringLiteral("*.qqzx")); // an edit
    EXPECT_EQ(lblWild->text(), QString());
    EXPECT_EQ(lblType->text(), QStringLiteral("QQZX File"));

    dlg.findChild<QPushButton*>(QStringLiteral("btOK"))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.pattern(), QStringLiteral("*.qqzx"));
}

TEST(WildcardBox, ToolWindowBoxStartsAtAllFilesAndLabelsEveryPattern)
{
    QComboBox combo;
    QLabel label;
    rw::WildcardBox::setUp(&combo, &label);
    EXPECT_TRUE(combo.isEditable());
    EXPECT_EQ(combo.currentText(), QStringLiteral("*.*"));
    EXPECT_EQ(combo.itemText(0), QStringLiteral("*.*"));
    EXPECT_EQ(label.text(), QStringLiteral("All files"));

    combo.setEditText(QStringLiteral("*.qqzx"));
    EXPECT_EQ(label.text(), QStringLiteral("QQZX File"));
    // The label describes the pattern without its first character: "." for
    // "*.", whose text is " File".
    combo.setEditText(QStringLiteral("*."));
    EXPECT_EQ(label.text(), QStringLiteral(" File"));
    EXPECT_EQ(rw::WildcardLabelText(QStringLiteral("*.*")), QStringLiteral("All files"));
}

TEST(WildcardBox, TypedPatternsAreTakenAsTypedNotCompletedFromTheList)
{
    // The list holds "*.mp+" and "*.*"; typing a prefix of them and Enter
    // must keep exactly what was typed.
    QComboBox combo;
    QLabel label;
    rw::WildcardBox::setUp(&combo, &label);
    combo.addItem(QStringLiteral("*.mp+"));
    combo.show();
    for (const QString& typed : {QStringLiteral("*.mp"), QStringLiteral("*.")}) {
        combo.lineEdit()->clear();
        QTest::keyClicks(combo.lineEdit(), typed);
        QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo.currentText(), typed);
    }
}
