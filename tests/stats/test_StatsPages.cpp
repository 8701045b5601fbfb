#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QRadioButton>
#include <QTabWidget>

#include <QAbstractAxis>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QScrollBar>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QValueAxis>

#include "controls/CheckListBox.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/stats/BarDepthItem.h"
#include "tools/stats/ChartMarks.h"
#include "tools/stats/ElidedLabel.h"
#include "tools/stats/OverlapBarsItem.h"
#include "tools/stats/TfrmStatistics.h"
#include "tools/stats/core/ChartFormats.h"

using rw::TfrmStatistics;

namespace
{

// Lets the window's timers run for `ms` milliseconds.
void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // What a chart let go of is deleted as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A drive with files of many sizes, ages, hours and attributes, and a deep
// folder with a long path.
class StatsPages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QDateTime now = QDateTime::currentDateTime();
        const int ages[] = {0, 3, 12, 45, 90, 200, 500, 900, 1300, 2000};
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("r/f%1.txt").arg(i);
            fx.file(name, 100 + i * 150);
            const QDateTime when = now.addDays(-ages[i % 10]).addSecs(-3600 * (i % 7));
            fx.setTimes(name, when, when);
        }
        fx.file("r/a.doc", 40000);
        fx.file("r/b.doc", 200000);
        fx.sparseFile("r/big.iso", 3 * 1048576);
        fx.sparseFile("r/huge.iso", 20 * 1048576);
        fx.file("r/.hidden1", 5000);
        fx.file("r/.hidden2", 7000);
        fx.file("r/locked.dat", 9000);
        fx.setMode("r/locked.dat", 0444);
        const QString longName(70, QLatin1Char('n'));
        fx.file("r/" + longName + "/" + longName + "/" + longName + "/deep.txt", 10);
        fx.file("s/one.bin", 1000);
        fx.mapDrive('R', "r");
        fx.mapDrive('S', "s");
        ASSERT_TRUE(rw::findDrive('R', &r));
        ASSERT_TRUE(rw::findDrive('S', &s));
        window = std::make_unique<TfrmStatistics>();
        window->show();
    }

    // The window's image on page `page`, written to the test's folder.
    QImage grabPage(TfrmStatistics::Page page, const QString& name)
    {
        window->showPage(page);
        runFor(50);
        const QImage image = window->grab().toImage();
        const QString dir = qEnvironmentVariable("RW_GRAB_DIR", rwtest::testRoot());
        image.save(dir + "/" + name + ".png");
        return image;
    }

    QChart* chart(const char* name) const
    {
        auto* view = window->findChild<QChartView*>(QLatin1String(name));
        return view ? view->chart() : nullptr;
    }

    // Clicks the radio button `text` on page `page`.
    void choose(TfrmStatistics::Page page, const QString& text)
    {
        auto* notebook = window->findChild<QTabWidget*>("OvcNotebook1");
        for (QRadioButton* rb : notebook->widget(page)->findChildren<QRadioButton*>())
            if (rb->text() == text)
                rb->click();
    }

    // The centre height of a widget in window coordinates.
    static double centreY(QWidget* w) { return w->mapTo(w->window(), w->rect().center()).y(); }
    // The centre height of a chart point in window coordinates.
    double centreY(const char* chartName, const QPointF& value) const
    {
        auto* view = window->findChild<QChartView*>(QLatin1String(chartName));
        QChart* c = view->chart();
        const QPointF inChart = c->mapToPosition(value, c->series().first());
        const QPoint inView = view->mapFromScene(c->mapToScene(inChart));
        return view->mapTo(window.get(), inView).y();
    }

    QLabel* labelOn(TfrmStatistics::Page page, const QString& text) const
    {
        auto* notebook = window->findChild<QTabWidget*>("OvcNotebook1");
        for (QLabel* l : notebook->widget(page)->findChildren<QLabel*>())
            if (l->text() == text)
                return l;
        return nullptr;
    }

    rwtest::FixtureBuilder fx;
    rw::DriveInfo r;
    rw::DriveInfo s;
    std::unique_ptr<TfrmStatistics> window;
};

TEST_F(StatsPages, EveryPageDrawsAfterACollection)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    auto* drives = window->findChild<rw::CheckListBox*>("pckStatDrive");
    drives->uncheckAll();
    drives->checkLine(r.entryText());
    drives->checkLine(s.entryText());
    window->showPage(TfrmStatistics::Deleted);
    window->showPage(TfrmStatistics::Space);
    // The bars grow to their full depth.
    runFor(700);
    const char* names[] = {"space",   "deleted",  "types",    "sizes",     "overhang", "access",
                           "created", "modified", "combined", "attribute", "time"};
    for (int p = 0; p <= TfrmStatistics::Time; ++p) {
        const QImage image = grabPage(TfrmStatistics::Page(p), QString::fromLatin1(names[p]));
        EXPECT_EQ(image.width(), window->width()) << names[p];
    }
    // What "Print page" puts on paper for a chart page.
    window->showPage(TfrmStatistics::Sizes);
    runFor(20);
    const QImage printed = window->printImage();
    printed.save(qEnvironmentVariable("RW_GRAB_DIR", rwtest::testRoot()) + "/print-sizes.png");
    EXPECT_EQ(printed.pixelColor(2, printed.height() - 2), QColor(Qt::white));
}

QString plain(const QString& html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

// True when the axis's ticks are whole numbers at least 1 apart.
bool wholeSteps(const QValueAxis* axis)
{
    const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
    return step >= 1 && std::abs(step - std::round(step)) < 1e-9 && axis->labelFormat() == "%.0f";
}

QValueAxis* valueAxis(QChart* c)
{
    for (QAbstractAxis* a : c->axes())
        if (auto* v = qobject_cast<QValueAxis*>(a))
            return v;
    return nullptr;
}

TEST_F(StatsPages, AgeChartsShowSharesOnTheBarsAndEveryLabel)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    window->showPage(TfrmStatistics::Access);
    choose(TfrmStatistics::Access, "Chart by Number of Files");
    QChart* c = chart("chartAccess");
    EXPECT_EQ(c->title(), "Access Date (Number of files)");
    ASSERT_EQ(c->series().size(), 1);
    auto* series = qobject_cast<QStackedBarSeries*>(c->series().first());
    ASSERT_NE(series, nullptr);
    ASSERT_EQ(series->count(), 10);

    // One legend entry per bar, last bar on top, each with its label only.
    EXPECT_TRUE(c->legend()->isVisible());
    EXPECT_TRUE(c->legend()->reverseMarkers());
    const QList<QLegendMarker*> markers = c->legend()->markers();
    ASSERT_EQ(markers.size(), 10);
    EXPECT_EQ(plain(markers[0]->label()), "Not recorded");
    EXPECT_EQ(plain(markers[1]->label()), "<= 7 days");
    EXPECT_EQ(plain(markers[9]->label()), "Over 4 years");

    // Shares of the 48 files on the bars: 16 touched this week, 4 in each
    // older class, none unrecorded.
    const rw::ChartMarks* marks = rw::ChartMarks::of(c);
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(marks->marks().size(), 10);
    EXPECT_EQ(marks->marks()[0].text, "0 %");
    EXPECT_EQ(marks->marks()[1].text, "33.3 %");
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(marks->marks()[i].text, "8.3 %") << i;

    // Category labels are shown in full, the value axis in whole files.
    QBarCategoryAxis* categories = nullptr;
    for (QAbstractAxis* a : c->axes())
        if (auto* ca = qobject_cast<QBarCategoryAxis*>(a))
            categories = ca;
    ASSERT_NE(categories, nullptr);
    EXPECT_TRUE(categories->isVisible());
    EXPECT_TRUE(categories->labelsVisible());
    EXPECT_FALSE(categories->truncateLabels());
    ASSERT_EQ(categories->count(), 10);
    EXPECT_EQ(plain(categories->at(1)), "<= 7\ndays");
    QValueAxis* values = valueAxis(c);
    ASSERT_NE(values, nullptr);
    EXPECT_GE(values->max(), 16);
    EXPECT_TRUE(wholeSteps(values));

    // By size: megabytes on a round scale, never "4.76837".
    choose(TfrmStatistics::Access, "Chart by Size (in MB)");
    c = chart("chartAccess");
    EXPECT_EQ(c->title(), "Access Date (file sizes in MB)");
    values = valueAxis(c);
    ASSERT_NE(values, nullptr);
    const rw::AxisScale scale = rw::niceScale(values->max(), false);
    EXPECT_NEAR(scale.max, values->max(), 1e-9) << "the top of the axis is a round figure";
    EXPECT_EQ(values->labelFormat(), "%." + QString::number(scale.decimals) + "f");
}

TEST_F(StatsPages, TimeChartHoldsBothSeries)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    QChart* c = chart("chartTime");
    ASSERT_EQ(c->series().size(), 2);
    double highest = 0;
    for (QAbstractSeries* s : c->series()) {
        auto* line = qobject_cast<QLineSeries*>(s);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->count(), 24);
        for (const QPointF& p : line->points())
            highest = std::max(highest, p.y());
    }
    // Every file was created this hour: that peak is the highest point.
    EXPECT_EQ(highest, 48);
    auto* y = qobject_cast<QValueAxis*>(c->axes(Qt::Vertical).first());
    ASSERT_NE(y, nullptr);
    EXPECT_GE(y->max(), highest);
    EXPECT_TRUE(wholeSteps(y)) << "tick labels would repeat";
    EXPECT_EQ(y->titleText(), "Numer of files");
    auto* x = qobject_cast<QCategoryAxis*>(c->axes(Qt::Horizontal).first());
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->titleText(),
              "Time of day file was modified/created (access time is not recorded by Win95)");
    EXPECT_EQ(c->legend()->alignment(), Qt::AlignTop);
}

TEST_F(StatsPages, CombinedSeriesLieOverEachOther)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    window->showPage(TfrmStatistics::Combined);
    choose(TfrmStatistics::Combined, "Chart by Number of Files");
    runFor(20);
    QChart* c = chart("chartCombined");
    EXPECT_EQ(c->title(), "Combination Access/Created/Modified Chart");
    ASSERT_EQ(c->series().size(), 3);
    for (QAbstractSeries* s : c->series())
        EXPECT_NE(qobject_cast<QHorizontalBarSeries*>(s), nullptr) << "neither stacked nor grouped";
    const rw::OverlapBarsItem* bars = rw::OverlapBarsItem::of(c);
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->layers().size(), 3);
    EXPECT_EQ(bars->layers()[0].colour, QColor(255, 0, 0));
    EXPECT_EQ(bars->layers()[1].colour, QColor(0, 128, 0));
    EXPECT_EQ(bars->layers()[2].colour, QColor(255, 255, 0));
    // "<= 7 days": 16 accessed, 48 created, 16 modified, in one band.
    EXPECT_EQ(bars->layers()[1].values[1], 48);
    const QRectF a = bars->barRect(0, 1);
    const QRectF b = bars->barRect(1, 1);
    const QRectF m = bars->barRect(2, 1);
    EXPECT_NEAR(a.center().y(), b.center().y(), 0.5);
    EXPECT_NEAR(a.center().y(), m.center().y(), 0.5);
    EXPECT_GT(a.height(), b.height());
    EXPECT_GT(b.height(), m.height());
    EXPECT_GT(a.height(), 6) << "hair-thin bars";
    EXPECT_NEAR(b.width(), 3 * a.width(), 1);
    // The age labels get the room they need.
    QBarCategoryAxis* labels = qobject_cast<QBarCategoryAxis*>(c->axes(Qt::Vertical).first());
    ASSERT_NE(labels, nullptr);
    EXPECT_FALSE(labels->truncateLabels());
    EXPECT_GT(c->plotArea().left(),
              QFontMetricsF(labels->labelsFont()).horizontalAdvance("121 - 365 days"));
}

TEST_F(StatsPages, OverhangMarksArePercentsBesideTheirRows)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    window->showPage(TfrmStatistics::Overhang);
    runFor(20);
    QChart* c = chart("chartOverhang");
    const rw::ChartMarks* marks = rw::ChartMarks::of(c);
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(marks->marks().size(), 5);
    const rw::StatsCollector& stats = window->stats();
    const double total = double(stats.totalBytes());
    const char* rows[5] = {"64K", "32K", "16K", "8K", "4K"};
    for (int i = 0; i < 5; ++i) {
        const double slack = double(stats.slack(4 - i));
        EXPECT_EQ(marks->marks()[i].text, rw::wholePercentMark(slack * 100 / (slack + total)));
        EXPECT_TRUE(marks->marks()[i].text.endsWith(" %"));
        EXPECT_TRUE(c->rect().contains(marks->markRects()[i])) << "mark " << i << " is cut";
        QLabel* row = labelOn(TfrmStatistics::Overhang, QLatin1String(rows[i]));
        ASSERT_NE(row, nullptr) << rows[i];
        EXPECT_NEAR(centreY("chartOverhang", QPointF(0, i)), centreY(row), 3) << rows[i];
    }
}

TEST_F(StatsPages, SpaceBarsHaveUnitsDepthAndTheWholeWidth)
{
    auto* drives = window->findChild<rw::CheckListBox*>("pckStatDrive");
    drives->uncheckAll();
    drives->checkLine(r.entryText());
    drives->checkLine(s.entryText());
    window->showPage(TfrmStatistics::Deleted);
    window->showPage(TfrmStatistics::Space);
    QChart* c = chart("chartSpaceBar");
    auto* categories = qobject_cast<QBarCategoryAxis*>(c->axes(Qt::Horizontal).first());
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->categories(), QStringList({"R", "S", "Total"}));
    QValueAxis* y = valueAxis(c);
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->labelFormat(), "%.0f MB");
    auto* series = qobject_cast<QStackedBarSeries*>(c->series().first());
    ASSERT_NE(series, nullptr);
    const rw::ChartMarks* marks = rw::ChartMarks::of(c);
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(marks->marks().size(), 6);
    EXPECT_EQ(marks->marks()[0].text, rw::unitMark(series->barSets()[0]->at(0), "MB"));
    EXPECT_EQ(marks->marks()[1].text, rw::unitMark(series->barSets()[1]->at(0), "MB"));
    runFor(20);
    for (const QRectF& rect : marks->markRects())
        EXPECT_TRUE(c->rect().contains(rect));

    // The depth grows from 1 to 60 percent in steps of 6, then stops.
    const rw::BarDepthItem* depth = rw::BarDepthItem::of(c);
    ASSERT_NE(depth, nullptr);
    EXPECT_LE(depth->depth(), 7);
    runFor(800);
    EXPECT_EQ(depth->depth(), 60);
    // A side face for each of six parts and a top face on each of three bars.
    EXPECT_EQ(depth->faces().size(), 9);

    // The bars take the place a pie would have; nothing is left empty.
    auto* bar = window->findChild<QChartView*>("chartSpaceBar");
    auto* page = bar->parentWidget();
    EXPECT_FALSE(window->findChild<QChartView*>("chartSpacePie")->isVisible());
    EXPECT_GT(bar->geometry().right(), page->width() - 20);
}

TEST_F(StatsPages, SpacePieKeepsItsLabelsWholeWhenTurned)
{
    auto* drives = window->findChild<rw::CheckListBox*>("pckStatDrive");
    drives->uncheckAll();
    drives->checkLine(r.entryText());
    window->showPage(TfrmStatistics::Space);
    choose(TfrmStatistics::Space, "Pie - percent");
    auto* view = window->findChild<QChartView*>("chartSpacePie");
    ASSERT_TRUE(view->isVisible());
    auto* pie = qobject_cast<QPieSeries*>(view->chart()->series().first());
    ASSERT_NE(pie, nullptr);
    QStringList whole;
    for (QPieSlice* slice : pie->slices())
        whole << plain(slice->label());
    whole.sort();
    ASSERT_EQ(whole.size(), 2);
    EXPECT_TRUE(whole[0].startsWith("Free space ") && whole[0].endsWith(" %"))
        << whole[0].toStdString();

    // Turned by the scroll bar, as the animation turns it.
    auto* bar = window->findChild<QScrollBar*>("ScrollBar1");
    for (int angle = 0; angle < 360; angle += 15) {
        bar->setValue(angle);
        runFor(5);
        QStringList drawn;
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* t = dynamic_cast<QGraphicsTextItem*>(item))
                if (t->isVisible() && !t->toPlainText().isEmpty())
                    drawn << t->toPlainText();
        drawn.sort();
        EXPECT_EQ(drawn, whole) << drawn.join(" | ").toStdString() << " at " << angle << " degrees";
        if (angle == 120)
            grabPage(TfrmStatistics::Space, "space-pie-turned");
    }
}

TEST_F(StatsPages, AttributeChartsShowValueMarksOnly)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    window->showPage(TfrmStatistics::Attribute);
    runFor(20);
    const char* names[2] = {"chartAttrCount", "chartAttrSize"};
    for (const char* name : names) {
        QChart* c = chart(name);
        EXPECT_TRUE(c->title().isEmpty());
        EXPECT_FALSE(c->legend()->isVisible());
        EXPECT_EQ(c->backgroundPen().style(), Qt::NoPen) << name;
        for (QAbstractAxis* a : c->axes())
            EXPECT_FALSE(a->isVisible()) << name;
        ASSERT_EQ(c->series().size(), 1);
        EXPECT_NE(qobject_cast<QHorizontalStackedBarSeries*>(c->series().first()), nullptr);
        // Bars archive, system, read-only, hidden from the bottom, beside
        // the rows "Hidden" (top) to "Archive" (bottom).
        const char* rows[4] = {"Archive", "System", "Read-only", "Hidden"};
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(centreY(name, QPointF(0, i)),
                        centreY(labelOn(TfrmStatistics::Attribute, QLatin1String(rows[i]))), 3)
                << name << " " << rows[i];
    }
    // Two hidden files and one read-only file among the counted.
    const rw::ChartMarks* marks = rw::ChartMarks::of(chart("chartAttrCount"));
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(marks->marks().size(), 4);
    EXPECT_EQ(marks->marks()[2].text, "33.333");
    EXPECT_EQ(marks->marks()[3].text, "66.667");
}

TEST_F(StatsPages, SizeDateAndCombinedGridsTakeNoSelectionOrFocus)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    QApplication::setActiveWindow(window.get());
    const struct {
        TfrmStatistics::Page page;
        const char* grid;
    } grids[] = {{TfrmStatistics::Sizes, "gridSizes"},
                 {TfrmStatistics::Access, "gridAccess"},
                 {TfrmStatistics::Modified, "gridModified"},
                 {TfrmStatistics::Combined, "gridCombined"}};
    for (const auto& g : grids) {
        window->showPage(g.page);
        choose(g.page, "Listing");
        auto* grid = window->findChild<QTableWidget*>(g.grid);
        ASSERT_NE(grid, nullptr);
        ASSERT_TRUE(grid->isVisible()) << g.grid;
        const QRect cell = grid->visualItemRect(grid->item(2, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_FALSE(grid->hasFocus()) << g.grid;
        EXPECT_EQ(grid->focusPolicy(), Qt::NoFocus) << g.grid;
        EXPECT_TRUE(grid->selectedItems().isEmpty()) << g.grid;
        EXPECT_FALSE(grid->item(2, 1)->flags() & Qt::ItemIsSelectable) << g.grid;
    }
}

TEST_F(StatsPages, TypeListingPrintsThroughTheSharedGridPrinting)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    window->showPage(TfrmStatistics::Types);
    choose(TfrmStatistics::Types, "Listing");
    auto* controller = window->findChild<rw::ResultGridController*>();
    ASSERT_NE(controller, nullptr);
    const QString title = "File types for drive " + r.entryText();
    const QStringList lines = controller->printLines(title, QDateTime::currentDateTime());
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], title);
    EXPECT_TRUE(lines[1].startsWith("Printed : "));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    // Cells padded to a sixth of their column's width, not joined by tabs.
    auto* grid = controller->grid();
    EXPECT_TRUE(lines[4].startsWith(QString("Extension").leftJustified(grid->columnWidth(0) / 6) +
                                    " Type"));
    EXPECT_FALSE(lines.join("").contains('\t'));
    EXPECT_EQ(lines.size(), 5 + grid->model()->rowCount());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(rwtest::testRoot() + "/types.pdf");
    EXPECT_TRUE(window->printPage(&printer));
    EXPECT_GT(QFileInfo(rwtest::testRoot() + "/types.pdf").size(), 0);
}

TEST_F(StatsPages, OtherPagesPrintTheWindowOnWhite)
{
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    window->showPage(TfrmStatistics::Sizes);
    runFor(20);
    auto* view = window->findChild<QChartView*>("chartSizes");
    const QColor face = window->palette().color(QPalette::Button);
    ASSERT_NE(face, QColor(Qt::white));
    const QImage image = window->printImage();
    EXPECT_EQ(image.size(), window->size() * image.devicePixelRatio());
    // The window's ground, the notebook page's and the chart's are white.
    EXPECT_EQ(image.pixelColor(2, image.height() - 2), QColor(Qt::white));
    const QPoint chartCorner = view->mapTo(window.get(), QPoint(3, 3));
    EXPECT_EQ(image.pixelColor(chartCorner), QColor(Qt::white));
    // And back to the button face afterwards.
    EXPECT_EQ(view->chart()->backgroundBrush().color(), face);
    EXPECT_EQ(window->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));
}

TEST_F(StatsPages, LongStatusTextsDoNotWidenTheWindow)
{
    window->resize(760, 580);
    runFor(20);
    const int width = window->width();
    ASSERT_TRUE(window->collect({r.entryText()}, rw::TypeFilter::AllFiles));
    runFor(20);
    EXPECT_EQ(window->width(), width);
    auto* status = window->findChild<rw::ElidedLabel*>("StatusBar1");
    ASSERT_NE(status, nullptr);
    const QString path = "Processing drive R: ... standby : " + QString(400, 'n');
    status->setText(path);
    runFor(20);
    EXPECT_EQ(window->width(), width);
    EXPECT_EQ(status->text(), path);
    EXPECT_TRUE(status->shownText().contains(QChar(0x2026))) << "shortened to fit";
    EXPECT_LT(status->fontMetrics().horizontalAdvance(status->shownText()), status->width());
}

} // namespace
