#include "tools/stats/StatsCharts.h"

#include "controls/GridCellDelegate.h"
#include "tools/stats/BarDepthItem.h"
#include "tools/stats/ChartMarks.h"
#include "tools/stats/OverlapBarsItem.h"
#include "tools/stats/core/ChartFormats.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>

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

void clearChart(QChart* chart)
{
    ChartMarks::detach(chart);
    BarDepthItem::detach(chart);
    OverlapBarsItem::detach(chart);
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        // removeAxis hands the axis back to the caller; the chart lets go
        // of the axis's drawing only when control returns to the event
        // loop, so the axis goes then too.
        axis->setParent(nullptr);
        axis->deleteLater();
    }
    chart->removeAllSeries();
}

void fitValueAxis(QValueAxis* axis, double highest, bool wholeNumbers)
{
    const AxisScale s = niceScale(highest, wholeNumbers);
    axis->setRange(0, s.max);
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setTickCount(s.ticks);
    axis->setMinorTickCount(0);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(s.decimals) + QLatin1Char('f'));
}

QString chartText(const QString& text)
{
    return text.toHtmlEscaped();
}

namespace
{

// The largest pie (as a share of the plot area's shorter side) whose
// outside labels fit inside the plot area whichever way the pie is turned.
// Qt Charts cuts a label that would reach past the plot area's edge short
// ("Free space 2..."), and turning the pie brings each label beside it or
// above it, so the room left and right, and above and below, must hold the
// widest label at the end of its arm.
qreal pieSizeForLabels(const QPieSeries* pie, const QRectF& plot)
{
    constexpr qreal kLargest = 0.7; // Qt Charts' own size
    constexpr qreal kArmGap = 5;    // between the pie and its label arms
    constexpr qreal kMargin = 4;    // kept free at the plot area's edge
    if (pie->slices().isEmpty() || plot.isEmpty())
        return kLargest;
    // Measured as the chart lays its labels out: as rich text with margins.
    QGraphicsTextItem measure;
    qreal widest = 0;
    qreal tallest = 0;
    for (const QPieSlice* slice : pie->slices()) {
        measure.setFont(slice->labelFont());
        measure.setHtml(slice->label());
        widest = std::max(widest, measure.boundingRect().width());
        tallest = std::max(tallest, measure.boundingRect().height());
    }
    const qreal room =
        std::min(plot.width() / 2 - widest, plot.height() / 2 - tallest) - kArmGap - kMargin;
    const qreal radius = room / (1 + pie->slices().first()->labelArmLengthFactor());
    const qreal side = std::min(plot.width(), plot.height());
    return std::clamp(2 * radius / side, 0.1, kLargest);
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
        QPieSlice* slice = pie->append(
            chartText(p.label + QStringLiteral(" ") + percentMark(p.value * 100 / whole)), p.value);
        slice->setColor(p.colour);
        slice->setLabelVisible(true);
    }
    pie->setPieStartAngle(rotation);
    pie->setPieEndAngle(rotation + 360);
    chart->addSeries(pie);
    chart->legend()->setVisible(false);
    // Sized for its labels now and whenever the chart is resized.
    const auto fit = [chart, pie] { pie->setPieSize(pieSizeForLabels(pie, chart->plotArea())); };
    QObject::connect(chart, &QChart::plotAreaChanged, pie, fit);
    fit();
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

void showBars(QChart* chart, const QString& title, const QList<ChartPoint>& points,
              const BarStyle& style)
{
    clearChart(chart);
    chart->setTitle(chartText(title));
    // One set per bar, holding its value only in its own category: stacked,
    // every bar stands on its own and keeps its own colour and legend entry.
    QAbstractBarSeries* series =
        style.horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalStackedBarSeries(chart))
                         : static_cast<QAbstractBarSeries*>(new QStackedBarSeries(chart));
    series->setBarWidth(0.6);
    double whole = 0;
    double highest = 0;
    for (const ChartPoint& p : points) {
        whole += p.value;
        highest = std::max(highest, p.value);
    }
    QStringList categories;
    QList<ChartMarks::Mark> marks;
    // Ten upright bars leave each label a narrow column: a long label takes
    // two lines, broken at its last blank.
    const bool narrow = !style.horizontal && points.size() > 5;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const ChartPoint& p = points[i];
        QString category = chartText(p.label);
        const qsizetype blank = category.lastIndexOf(QLatin1Char(' '));
        if (narrow && blank > 0)
            category = category.left(blank) + QStringLiteral("<br>") + category.mid(blank + 1);
        categories.append(category);
        auto* set = new QBarSet(chartText(p.label));
        for (qsizetype j = 0; j < points.size(); ++j)
            set->append(j == i ? p.value : 0);
        set->setColor(p.colour);
        set->setBorderColor(p.colour.darker(150));
        series->append(set);
        QString text;
        switch (style.marks) {
        case BarStyle::Marks::Share:
            text = percentMark(whole > 0 ? p.value * 100 / whole : 0);
            break;
        case BarStyle::Marks::WholePercent:
            text = wholePercentMark(p.value);
            break;
        case BarStyle::Marks::Value:
            text = valueMark(p.value);
            break;
        }
        marks.append({style.horizontal ? QPointF(p.value, double(i)) : QPointF(double(i), p.value),
                      text,
                      style.horizontal ? ChartMarks::Place::Right : ChartMarks::Place::Above});
    }
    chart->addSeries(series);
    auto* categoryAxis = new QBarCategoryAxis(chart);
    categoryAxis->append(categories);
    auto* valueAxis = new QValueAxis(chart);
    // Room beyond the longest bar for its mark.
    fitValueAxis(valueAxis, highest * (style.horizontal ? 1.18 : 1.1), style.wholeNumbers);
    chart->addAxis(categoryAxis, style.horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(valueAxis, style.horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(categoryAxis);
    series->attachAxis(valueAxis);
    categoryAxis->setVisible(style.axes);
    // Qt Charts would cut every label to "..." long before they meet.
    categoryAxis->setTruncateLabels(false);
    if (narrow) {
        QFont small = chart->font();
        small.setPixelSize(10);
        categoryAxis->setLabelsFont(small);
    }
    valueAxis->setVisible(style.axes);
    chart->legend()->setVisible(style.legend);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setReverseMarkers(true);
    ChartMarks::attach(chart, series, marks);
}

QChartView* makeChartView(QWidget* parent, const char* name)
{
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setLocalizeNumbers(true);
    chart->setBackgroundBrush(QApplication::palette().color(QPalette::Button));
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
    // A grid that cannot take the focus draws no frame around a cell.
    grid->setFocusPolicy(Qt::NoFocus);
    // Texts 3 pixels in from the cell's edge and 2 below its top, as in
    // every result grid.
    auto* delegate = new GridCellDelegate(grid);
    delegate->setInset(3);
    grid->setItemDelegate(delegate);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

void setGridCell(QTableWidget* grid, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
    item->setFlags(Qt::ItemIsEnabled);
    grid->setItem(row, column, item);
}

} // namespace rw
