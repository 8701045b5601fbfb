#include "tools/stats/StatsCharts.h"

#include "tools/stats/core/StatsTexts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QValueAxis>

#include <cmath>

namespace rw
{

const QList<QColor>& statsColourTable()
{
    static const QList<QColor> table{
        QColor(255, 0, 0), QColor(128, 0, 0),   QColor(0, 0, 255),     QColor(255, 255, 0),
        QColor(0, 128, 0), QColor(0, 255, 0),   QColor(255, 0, 255),   QColor(0, 128, 128),
        QColor(0, 0, 128), QColor(0, 255, 255), QColor(255, 255, 255), QColor(128, 128, 128)};
    return table;
}

namespace
{

void clearChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
}

QString percentText(double value, double whole)
{
    return QString::number(whole > 0 ? value * 100 / whole : 0, 'f', 1) + QStringLiteral(" %");
}

} // namespace

void showPie(QChart* chart, const QList<ChartPoint>& points, double rotation)
{
    clearChart(chart);
    auto* pie = new QPieSeries(chart);
    double whole = 0;
    for (const ChartPoint& p : points)
        whole += p.value > 0 ? p.value : 0;
    for (const ChartPoint& p : points) {
        if (p.value <= 0)
            continue;
        QPieSlice* slice =
            pie->append(p.label + QStringLiteral(" ") + percentText(p.value, whole), p.value);
        slice->setColor(p.colour);
        slice->setLabelVisible(true);
    }
    pie->setPieStartAngle(rotation);
    pie->setPieEndAngle(rotation + 360);
    chart->addSeries(pie);
    chart->legend()->setVisible(false);
}

void setPieRotation(QChart* chart, double rotation)
{
    for (QAbstractSeries* s : chart->series()) {
        if (auto* pie = qobject_cast<QPieSeries*>(s)) {
            pie->setPieStartAngle(rotation);
            pie->setPieEndAngle(rotation + 360);
        }
    }
}

void showBars(QChart* chart, const QString& title, const QList<ChartPoint>& points, bool horizontal,
              bool legend)
{
    clearChart(chart);
    chart->setTitle(title);
    // One set per bar, holding its value only in its own category: stacked,
    // every bar stands on its own and keeps its own colour and legend entry.
    QAbstractBarSeries* series =
        horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalStackedBarSeries(chart))
                   : static_cast<QAbstractBarSeries*>(new QStackedBarSeries(chart));
    double whole = 0;
    for (const ChartPoint& p : points)
        whole += p.value;
    QStringList categories;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const ChartPoint& p = points[i];
        categories.append(p.label);
        auto* set = new QBarSet(p.label + QStringLiteral(" (") + percentText(p.value, whole) +
                                QStringLiteral(")"));
        for (qsizetype j = 0; j < points.size(); ++j)
            set->append(j == i ? p.value : 0);
        set->setColor(p.colour);
        set->setBorderColor(p.colour.darker(150));
        series->append(set);
    }
    chart->addSeries(series);
    auto* categoryAxis = new QBarCategoryAxis(chart);
    categoryAxis->append(categories);
    auto* valueAxis = new QValueAxis(chart);
    valueAxis->setLabelFormat(QStringLiteral("%g"));
    valueAxis->applyNiceNumbers();
    // The legend or the rows beside the chart name the bars; labels in the
    // narrow band along the axis would only be cut short.
    categoryAxis->setLabelsVisible(false);
    if (!legend) {
        // A chart without a legend shows its values on the bars instead of an axis.
        valueAxis->setLabelsVisible(false);
        series->setLabelsVisible(true);
        series->setLabelsFormat(QStringLiteral("@value"));
        series->setLabelsPrecision(3);
    }
    chart->addAxis(categoryAxis, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(valueAxis, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(categoryAxis);
    series->attachAxis(valueAxis);
    chart->legend()->setVisible(legend);
    chart->legend()->setAlignment(Qt::AlignRight);
    // The legend lists the bars top down as they stand.
    chart->legend()->setReverseMarkers(horizontal);
}

void showSpaceBars(QChart* bar, const SpaceFigures& f)
{
    clearChart(bar);
    auto* series = new QStackedBarSeries(bar);
    auto* freeSet = new QBarSet(QStringLiteral("Free"));
    auto* usedSet = new QBarSet(QStringLiteral("Used"));
    freeSet->setColor(QColor(255, 0, 255));
    usedSet->setColor(QColor(0, 0, 255));
    QStringList categories;
    for (const SpaceFigures::Drive& d : f.drives) {
        categories.append(QString(d.letter) +
                          (d.megabytes ? QStringLiteral(" (MB)") : QStringLiteral(" (KB)")));
        freeSet->append(std::round(d.free));
        usedSet->append(std::round(d.used));
    }
    if (f.totalBars) {
        categories.append(QStringLiteral("Total"));
        freeSet->append(std::round(f.free));
        usedSet->append(std::round(f.used()));
    }
    series->append(freeSet);
    series->append(usedSet);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    bar->addSeries(series);
    auto* xAxis = new QBarCategoryAxis(bar);
    xAxis->append(categories);
    auto* yAxis = new QValueAxis(bar);
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    bar->addAxis(xAxis, Qt::AlignBottom);
    bar->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
}

QChartView* makeChartView(QWidget* parent, const char* name)
{
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QTableWidget* makeStatsGrid(QWidget* parent, const char* name, const QStringList& headers, int rows)
{
    auto* grid = new QTableWidget(rows, int(headers.size()), parent);
    grid->setObjectName(QLatin1String(name));
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->setVisible(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

void setGridCell(QTableWidget* grid, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
    grid->setItem(row, column, item);
}

} // namespace rw
