#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
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

// The space page as a user sees it: no floppy letters in its drive list,
// and a pie whose labels stay whole while it is turned.
TEST(StatsWindowSystem, SpacePieTurnsWithWholeLabelsAndNoFloppyLettersAreListed)
{
    rwtest::FixtureBuilder fb;
    fb.file("floppy/a.txt", 10);
    fb.file("tree/a.txt", 5000);
    fb.mapDrive('A', "floppy");
    fb.mapDrive('B', "floppy");
    fb.mapDrive('D', "tree");

    std::unique_ptr<QWidget> made = createStatisticsWindow();
    auto* w = static_cast<TfrmStatistics*>(made.get());
    w->show();
    ASSERT_TRUE(XSession::waitForShown(w));
    auto* drives = w->findChild<CheckListBox*>("pckStatDrive");
    for (const QString& entry : drives->lines())
        EXPECT_FALSE(entry.startsWith('a') || entry.startsWith('b')) << entry.toStdString();
    tickOnly(drives, 'D');

    for (QRadioButton* rb : w->findChildren<QRadioButton*>())
        if (rb->text() == "Pie - percent")
            XSession::click(rb);
    auto* view = w->findChild<QChartView*>("chartSpacePie");
    ASSERT_TRUE(XSession::waitFor([view] { return view->isVisible(); }));
    // The scroll bar turns the pie: clicks beside its handle, a page at a time.
    auto* bar = child<QScrollBar>(*w, "ScrollBar1");
    const auto drawnLabels = [view] {
        QStringList texts;
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* t = dynamic_cast<QGraphicsTextItem*>(item))
                if (t->isVisible() && !t->toPlainText().isEmpty())
                    texts << t->toPlainText();
        return texts;
    };
    int turns = 0;
    while (bar->value() < 300 && turns++ < 40) {
        XSession::click(bar, QPoint(bar->width() - 30, bar->height() / 2));
        const QStringList labels = drawnLabels();
        EXPECT_EQ(labels.size(), 2) << "at " << bar->value() << " degrees";
        for (const QString& label : labels)
            EXPECT_TRUE(label.endsWith(" %"))
                << label.toStdString() << " at " << bar->value() << " degrees";
        if (bar->value() >= 110 && bar->value() < 140)
            saveShot(w, "stats-space-pie-turned");
    }
    EXPECT_GE(bar->value(), 300);
}
