#include <gtest/gtest.h>

#include "controls/CheckListBox.h"
#include "framework/DriveCheckList.h"
#include "tests/support/FixtureBuilder.h"

#include <QComboBox>
#include <QDir>

namespace
{

// Drives D: and E: point at fixture folders; the current folder is on E:.
QString setUpDrives(rwtest::FixtureBuilder& fx)
{
    fx.folder(QStringLiteral("d"));
    const QString e = fx.folder(QStringLiteral("e"));
    fx.folder(QStringLiteral("e/sub"));
    fx.mapDrive('D', QStringLiteral("d"));
    fx.mapDrive('E', QStringLiteral("e"));
    EXPECT_TRUE(QDir::setCurrent(fx.path(QStringLiteral("e/sub"))));
    return QStringLiteral("e: [") + e + QLatin1Char(']');
}

} // namespace

TEST(DriveCheckList, ComboListsEveryDriveWithTheCurrentOneSelected)
{
    rwtest::FixtureBuilder fx;
    const QString current = setUpDrives(fx);
    QComboBox combo;
    rw::FillDriveCombo(&combo);
    ASSERT_GE(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("c: [/]"));
    EXPECT_EQ(combo.currentText(), current);
    EXPECT_NE(combo.findText(QStringLiteral("d: [") + fx.path(QStringLiteral("d")) + ']'), -1);
}

TEST(DriveCheckList, OnlyTheComboBoxDriveIsTicked)
{
    rwtest::FixtureBuilder fx;
    const QString current = setUpDrives(fx);
    QComboBox combo;
    rw::FillDriveCombo(&combo);
    rw::CheckListBox list;
    list.setLines({QStringLiteral("old line")});
    list.checkAll();

    rw::FillDriveCheckList(&list, &combo);
    QStringList comboLines;
    for (int i = 0; i < combo.count(); ++i)
        comboLines << combo.itemText(i);
    EXPECT_EQ(list.lines(), comboLines);
    EXPECT_EQ(list.checkedLines(), QStringList{current});

    // A current entry that is not listed ticks nothing.
    rw::FillDriveCheckList(&list, {QStringLiteral("c: [/]")}, QStringLiteral("a: [/floppy]"));
    EXPECT_EQ(list.checkedCount(), 0);
}
