#include <gtest/gtest.h>

#include <QAbstractAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QPointer>
#include <QStackedBarSeries>
#include <QTextDocumentFragment>
#include <QValueAxis>

#include <memory>

#include "tools/stats/ChartMarks.h"
#include "tools/stats/StatsCharts.h"

namespace
{

QString plain(const QString& html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

std::unique_ptr<QChartView> shownChart()
{
    std::unique_ptr<QChartView> view(rw::makeChartView(nullptr, "chart"));
    view->resize(600, 400);
    view->show();
    return view;
}

TEST(StatsCharts, RedrawingDeletesTheAxesItTakesOff)
{
    auto view = shownChart();
    QChart* chart = view->chart();
    rw::showBars(chart, "t", {{"a", 1, Qt::red}, {"b", 2, Qt::blue}}, {});
    QList<QPointer<QAbstractAxis>> first;
    for (QAbstractAxis* axis : chart->axes())
        first.append(axis);
    ASSERT_EQ(first.size(), 2);
    for (int i = 0; i < 5; ++i)
        rw::showBars(chart, "t", {{"a", 1, Qt::red}}, {});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QAbstractAxis>& axis : first)
        EXPECT_TRUE(axis.isNull()) << "an axis taken off the chart lives on";
    EXPECT_EQ(chart->axes().size(), 2);
    EXPECT_EQ(chart->findChildren<QAbstractAxis*>().size(), 2);
}

TEST(StatsCharts, BarsCarryShareMarksAndEscapedLabels)
{
    auto view = shownChart();
    QChart* chart = view->chart();
    rw::showBars(
        chart, "Access Date (Number of files)",
        {{"Not recorded", 0, Qt::red}, {"<= 7 days", 3, Qt::red}, {"8 - 30 days", 1, Qt::blue}},
        {});
    ASSERT_EQ(chart->series().size(), 1);
    auto* series = qobject_cast<QStackedBarSeries*>(chart->series().first());
    ASSERT_NE(series, nullptr);
    ASSERT_EQ(series->count(), 3);
    // A label beginning with "<" is shown as written, not read as markup.
    EXPECT_EQ(plain(series->barSets()[1]->label()), "<= 7 days");
    const QList<QLegendMarker*> markers = chart->legend()->markers();
    ASSERT_EQ(markers.size(), 3);
    EXPECT_EQ(plain(markers[1]->label()), "<= 7 days");
    for (QLegendMarker* m : markers)
        EXPECT_FALSE(m->label().contains('%')) << "the shares belong on the bars";
    EXPECT_TRUE(chart->legend()->reverseMarkers());

    const rw::ChartMarks* marks = rw::ChartMarks::of(chart);
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(marks->marks().size(), 3);
    EXPECT_EQ(marks->marks()[0].text, "0 %");
    EXPECT_EQ(marks->marks()[1].text, "75 %");
    EXPECT_EQ(marks->marks()[2].text, "25 %");
    for (const QRectF& r : marks->markRects())
        EXPECT_TRUE(chart->rect().contains(r)) << "a mark is cut by the chart's edge";
}

} // namespace

namespace
{

// The slice labels of a chart as they are drawn (Qt Charts shortens a label
// that does not fit), from the text items of its scene.
QStringList drawnLabels(QChartView* view)
{
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item))
            if (t->isVisible() && !t->toPlainText().isEmpty())
                texts << t->toPlainText();
    texts.sort();
    return texts;
}

TEST(StatsCharts, PieLabelsStayWholeAtEveryRotation)
{
    auto view = shownChart();
    QChart* chart = view->chart();
    const QStringList whole = {"Free space 23 %", "Used space 77 %"};
    for (const QSize size : {QSize(420, 300), QSize(700, 250), QSize(600, 400), QSize(450, 600)}) {
        view->resize(size);
        rw::showPie(chart, {{"Used space", 77, Qt::blue}, {"Free space", 23, Qt::magenta}}, 60);
        for (int angle = 0; angle < 360; angle += 15) {
            rw::setPieRotation(chart, angle);
            QCoreApplication::processEvents();
            const QStringList drawn = drawnLabels(view.get());
            EXPECT_EQ(drawn, whole) << drawn.join(" | ").toStdString() << ", " << size.width()
                                    << "x" << size.height() << " at " << angle << " degrees";
        }
    }
}

} // namespace
