#include <gtest/gtest.h>

#include "controls/CheckListBox.h"
#include "controls/PickList.h"
#include "framework/TfrmStatList.h"
#include "framework/TfrmWhichDrive.h"
#include "framework/core/FileTypes.h"
#include "framework/core/StatFileLists.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using rw::TfrmWhichDrive;

namespace
{

class WhichDriveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* d : {"a", "b", "c", "d/work"})
            m_fx.folder(QString::fromLatin1(d));
        m_fx.mapDrive('A', QStringLiteral("a"));
        m_fx.mapDrive('B', QStringLiteral("b"));
        m_fx.mapDrive('C', QStringLiteral("c"));
        m_fx.mapDrive('D', QStringLiteral("d"));
        ASSERT_TRUE(QDir::setCurrent(m_fx.path(QStringLiteral("d/work"))));
    }

    QString entry(char letter, const char* folder) const
    {
        return QString(QChar::fromLatin1(letter)) + QStringLiteral(": [") +
               m_fx.path(QString::fromLatin1(folder)) + QLatin1Char(']');
    }

    template <typename T> T* child(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    void goToTypes(TfrmWhichDrive& dlg, const char* choice)
    {
        child<QPushButton>(dlg, "btNext1")->click();
        child<QRadioButton>(dlg, choice)->setChecked(true);
        child<QPushButton>(dlg, "btNext2")->click();
    }

    rwtest::FixtureBuilder m_fx;
};

} // namespace

TEST_F(WhichDriveTest, FloppyLettersAreLeftOutAndTheCurrentDriveIsTicked)
{
    TfrmWhichDrive dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Which drives and file types?"));
    EXPECT_EQ(dlg.size(), QSize(284, 316));
    EXPECT_EQ(dlg.currentPage(), 1);

    const QStringList lines = dlg.pckDrive()->lines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.mid(0, 2), (QStringList{entry('c', "c"), entry('d', "d")}));
    for (const QString& l : lines)
        EXPECT_FALSE(l.startsWith('a') || l.startsWith('b')) << qPrintable(l);
    EXPECT_EQ(dlg.pckDrive()->checkedLines(), QStringList{entry('d', "d")});

    auto* next = child<QPushButton>(dlg, "btNext1");
    EXPECT_TRUE(next->isEnabled());
    dlg.pckDrive()->uncheckAll();
    EXPECT_FALSE(next->isEnabled());
    dlg.pckDrive()->setChecked(0, true);
    EXPECT_TRUE(next->isEnabled());
    EXPECT_EQ(child<QLabel>(dlg, "lblOf")->text(), QStringLiteral("0/3"));
}

TEST_F(WhichDriveTest, AllFilesEndsTheWizardOnPageTwo)
{
    TfrmWhichDrive dlg;
    dlg.show();
    goToTypes(dlg, "rbAllFiles");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.currentPage(), 2);
    EXPECT_TRUE(dlg.allFiles());
    EXPECT_FALSE(dlg.includeSelected() || dlg.excludeSelected());
    EXPECT_EQ(dlg.checkedDrives(), QStringList{entry('d', "d")});
}

TEST_F(WhichDriveTest, SelectedTypesNeedAtLeastOneChosenType)
{
    TfrmWhichDrive dlg;
    dlg.show();
    goToTypes(dlg, "rbInclude");
    ASSERT_EQ(dlg.currentPage(), 3);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(child<QLabel>(dlg, "lblSelect")->text(), QStringLiteral("Selected file types only"));
    auto* lblOf = child<QLabel>(dlg, "lblOf");
    auto* ok = child<QPushButton>(dlg, "btOK");
    EXPECT_EQ(lblOf->text(), QStringLiteral("0/3"));
    EXPECT_FALSE(ok->isEnabled());

    const QString exe = QStringLiteral("*.exe\t") + rw::FileTypeDescription(QStringLiteral(".exe"));
    ASSERT_EQ(dlg.pickList1()->item(2)->text(), exe);
    dlg.pickList1()->item(2)->setSelected(true);
    EXPECT_EQ(lblOf->text(), QStringLiteral("1/3"));
    EXPECT_TRUE(ok->isEnabled());
    dlg.pickList1()->clearSelection();
    EXPECT_FALSE(ok->isEnabled());
    dlg.pickList1()->item(2)->setSelected(true);

    ok->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.allFiles());
    EXPECT_TRUE(dlg.includeSelected());
    EXPECT_FALSE(dlg.excludeSelected());
    EXPECT_EQ(dlg.selectedTypes(), QStringList{exe});
}

TEST_F(WhichDriveTest, ExcludeUsesItsOwnStoredListAndPreviousGoesBack)
{
    ASSERT_TRUE(rw::WriteStatFilesToDisk({QStringLiteral("*.tmp"), QStringLiteral("*.bak")},
                                         QStringLiteral("Exclude")));
    TfrmWhichDrive dlg;
    dlg.show();
    goToTypes(dlg, "rbExclude");
    EXPECT_EQ(child<QLabel>(dlg, "lblSelect")->text(), QStringLiteral("All file types except ..."));
    EXPECT_EQ(child<QLabel>(dlg, "lblOf")->text(), QStringLiteral("0/2"));
    child<QPushButton>(dlg, "btPrevious3")->click();
    EXPECT_EQ(dlg.currentPage(), 2);
    child<QPushButton>(dlg, "btPrevious2")->click();
    EXPECT_EQ(dlg.currentPage(), 1);
    child<QPushButton>(dlg, "btCancel1")->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(WhichDriveTest, AddDeleteEditsTheChosenListAndRefills)
{
    TfrmWhichDrive dlg;
    dlg.show();
    goToTypes(dlg, "rbInclude");
    dlg.pickList1()->item(0)->setSelected(true);
    ASSERT_TRUE(child<QPushButton>(dlg, "btOK")->isEnabled());

    rwtest::onNextModal(
        [](QWidget* w) {
            auto* editor = static_cast<rw::TfrmStatList*>(w);
            EXPECT_EQ(editor->listName(), QStringLiteral("Include"));
            editor->pickList()->item(0)->setSelected(true);
            editor->findChild<QPushButton*>(QStringLiteral("btDelete"))->click();
            editor->findChild<QPushButton*>(QStringLiteral("btClose"))->click();
        },
        QStringLiteral("rw::TfrmStatList"));
    child<QPushButton>(dlg, "btAddDelete")->click();
    ASSERT_TRUE(rwtest::lastModalHandled());

    EXPECT_EQ(dlg.pickList1()->count(), 2);
    EXPECT_EQ(dlg.pickList1()->selectedCount(), 0);
    EXPECT_EQ(child<QLabel>(dlg, "lblOf")->text(), QStringLiteral("0/2"));
    EXPECT_FALSE(child<QPushButton>(dlg, "btOK")->isEnabled());
}
