#include <gtest/gtest.h>

#include "controls/CheckListBox.h"
#include "controls/PickList.h"

#include <QAction>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>

using rw::CheckListBox;
using rw::PickList;

TEST(CheckListBox, LinesStartUntickedAndTickedLinesKeepListOrder)
{
    CheckListBox box;
    box.setLines({"c: [/]", "d: [/home]", "e: [/srv]"});
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.checkedCount(), 0);

    EXPECT_TRUE(box.checkLine(QStringLiteral("e: [/srv]")));
    EXPECT_FALSE(box.checkLine(QStringLiteral("z: [/none]")));
    box.setChecked(0, true);
    EXPECT_EQ(box.checkedLines(), (QStringList{"c: [/]", "e: [/srv]"}));

    // New lines replace the old ones and carry no ticks over.
    box.setLines({"c: [/]"});
    EXPECT_EQ(box.checkedCount(), 0);
    EXPECT_EQ(box.lines(), QStringList{"c: [/]"});
}

TEST(CheckListBox, EveryWayOfChangingTicksIsSignalledOnce)
{
    CheckListBox box;
    box.setLines({"a", "b", "c"});
    QSignalSpy spy(&box, &CheckListBox::checksChanged);

    box.item(1)->setCheckState(Qt::Checked); // as a click on the tick does
    EXPECT_EQ(spy.count(), 1);
    box.checkAll();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(box.checkedCount(), 3);
    box.uncheckAll();
    EXPECT_EQ(spy.count(), 3);
    EXPECT_TRUE(box.checkedLines().isEmpty());
}

TEST(CheckListBox, SpaceBarAndClickOnTheTickToggleTheCurrentLine)
{
    CheckListBox box;
    box.setLines({"a", "b"});
    box.resize(200, 100);
    box.show();
    QSignalSpy spy(&box, &CheckListBox::checksChanged);
    box.setCurrentRow(1);
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(box.checkedLines(), QStringList{"b"});

    QStyleOptionViewItem opt;
    opt.initFrom(&box);
    opt.rect = box.visualItemRect(box.item(0));
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect tick =
        box.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, &box);
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, tick.center());
    EXPECT_EQ(box.checkedLines(), (QStringList{"a", "b"}));
    EXPECT_EQ(spy.count(), 2);
}

TEST(CheckListBox, RightClickMenuTicksAndUnticksAll)
{
    CheckListBox box;
    box.setLines({"a", "b"});
    auto* all = box.findChild<QAction*>(QStringLiteral("SelectAll1"));
    auto* none = box.findChild<QAction*>(QStringLiteral("DeselectAll1"));
    ASSERT_TRUE(all && none);
    EXPECT_EQ(all->text(), QStringLiteral("Select All"));
    EXPECT_EQ(none->text(), QStringLiteral("Deselect All"));
    all->trigger();
    EXPECT_EQ(box.checkedCount(), 2);
    none->trigger();
    EXPECT_EQ(box.checkedCount(), 0);
}

TEST(PickList, SortedListPlacesLinesWithoutRegardToCase)
{
    PickList list;
    list.setSorted(true);
    list.setLines({"*.zip\tZ", "*.Bak\tB", "*.doc\tD"});
    list.addLine(QStringLiteral("*.exe\tE"));
    list.addLine(QStringLiteral("*.AAA\tA"));
    EXPECT_EQ(list.lines(),
              (QStringList{"*.AAA\tA", "*.Bak\tB", "*.doc\tD", "*.exe\tE", "*.zip\tZ"}));
    EXPECT_TRUE(list.containsLine(QStringLiteral("*.bak\tb"), Qt::CaseInsensitive));
    EXPECT_FALSE(list.containsLine(QStringLiteral("*.bak\tb")));
}

TEST(PickList, SelectionIsReportedAndRemoved)
{
    PickList list;
    list.setLines({"a", "b", "c", "d"});
    QSignalSpy spy(&list, &PickList::selectedLinesChanged);
    list.item(1)->setSelected(true);
    list.item(3)->setSelected(true);
    EXPECT_GE(spy.count(), 2);
    EXPECT_EQ(list.selectedLines(), (QStringList{"b", "d"}));
    EXPECT_EQ(list.selectedCount(), 2);
    EXPECT_EQ(list.removeSelected(), 2);
    EXPECT_EQ(list.lines(), (QStringList{"a", "c"}));

    list.findChild<QAction*>(QStringLiteral("SelectAll1"))->trigger();
    EXPECT_EQ(list.selectedCount(), 2);
    list.findChild<QAction*>(QStringLiteral("DeselectAll1"))->trigger();
    EXPECT_EQ(list.selectedCount(), 0);
}
