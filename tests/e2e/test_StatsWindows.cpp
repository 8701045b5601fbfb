#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/stats/StatisticsWindowFactory.h"
#include "tools/stats/TfrmStatistics.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

// Clicks a page's tab, first scrolling the tab row with its arrow buttons
// when the tab is out of sight (the window is narrower than its eleven tabs).
void clickTab(QTabWidget& notebook, int index)
{
    QTabBar* tabs = notebook.tabBar();
    for (int step = 0; step < 12; ++step) {
        QToolButton* left = nullptr;
        QToolButton* right = nullptr;
        int visibleRight = tabs->width();
        for (QToolButton* b : tabs->findChildren<QToolButton*>()) {
            if (!b->isVisible())
                continue;
            visibleRight = qMin(visibleRight, b->geometry().left());
            (b->arrowType() == Qt::LeftArrow ? left : right) = b;
        }
        const QRect r = tabs->tabRect(index);
        if (r.left() < 0 && left)
            XSession::click(left);
        else if (r.right() >= visibleRight && right)
            XSession::click(right);
        else
            break;
    }
    XSession::click(tabs, tabs->tabRect(index).center());
}

} // namespace

TEST(StatsWindowSystem, CollectionOnAFixtureDriveFillsThePagesTheTabsShow)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/docs/a.txt", 5000);
    fb.file("tree/docs/b.txt", 7000);
    fb.file("tree/img/c.png", 40000);
    fb.file("tree/d.bak", 300);
    fb.mapDrive('D', "tree");

    // The long-lived window, shown modelessly as the launcher shows it.
    std::unique_ptr<QWidget> made = createStatisticsWindow();
    auto* w = static_cast<TfrmStatistics*>(made.get());
    w->show();
    ASSERT_TRUE(XSession::waitForShown(w));
    auto* notebook = child<QTabWidget>(*w, "OvcNotebook1");

    // "&Collect statistics": the wizard asks for drives ("&Next >>") and file
    // types (all files, "&Next >>").
    onModal("rw::TfrmWhichDrive", [](QDialog& wizard) {
        tickOnly(wizard.findChild<CheckListBox*>("pckDrive"), 'D');
        XSession::click(child(wizard, "btNext1"));
        XSession::click(child(wizard, "btNext2"));
        EXPECT_TRUE(XSession::waitFor([&] { return !wizard.isVisible(); }));
    });
    XSession::click(child(*w, "btOK"));
    ASSERT_TRUE(rwtest::lastModalHandled());
    ASSERT_TRUE(XSession::waitFor([&] { return !w->busy() && w->collected(); }, 10000));
    EXPECT_TRUE(w->windowTitle().startsWith("Statistics completed for drives D:"))
        << w->windowTitle().toStdString();
    EXPECT_TRUE(child<QLabel>(*w, "StatusBar1")->text().startsWith("Finished - 4 files processed"))
        << child<QLabel>(*w, "StatusBar1")->text().toStdString();

    // The type page lists the three types the drive holds.
    clickTab(*notebook, TfrmStatistics::Types);
    EXPECT_EQ(notebook->currentIndex(), TfrmStatistics::Types);
    auto* types = notebook->currentWidget()->findChild<QAbstractItemView*>("gridTypes");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->model()->rowCount(), 3);

    // Each page shows what it drew: a grab of the screen where it stands is
    // more than a blank face.
    for (int page : {int(TfrmStatistics::Space), int(TfrmStatistics::Sizes),
                     int(TfrmStatistics::Access), int(TfrmStatistics::Time)}) {
        SCOPED_TRACE(notebook->tabText(page).toStdString());
        clickTab(*notebook, page);
        ASSERT_EQ(notebook->currentIndex(), page);
        XSession::settle(200);
        const QImage shot = XSession::grab(notebook->currentWidget());
        saveShot(w, "stats-" + notebook->tabText(page));
        EXPECT_GT(XSession::colourCount(shot), 8);
    }

    // Esc closes (hides) it; the figures stay for the next showing.
    XSession::key(w, {"Escape"});
    EXPECT_TRUE(XSession::waitFor([&] { return !w->isVisible(); }));
    EXPECT_TRUE(w->collected());
}
