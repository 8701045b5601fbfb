#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QChart;
class QChartView;
class QTableWidget;
class QWidget;

namespace rw
{

struct SpaceFigures;

// The twelve chart colours of the statistics pages, entries 1 to 12 at
// indexes 0 to 11: red, maroon, blue, yellow, green, lime, fuchsia, teal,
// navy, aqua, white, gray.
const QList<QColor>& statsColourTable();

// One value of a chart with its label and colour.
struct ChartPoint {
    QString label;
    double value = 0;
    QColor colour;
};

// Replaces the chart's series by a pie of the points whose value is above 0,
// labelled with the label and the percentage; no legend. `rotation` is the
// angle of the first slice in degrees.
void showPie(QChart* chart, const QList<ChartPoint>& points, double rotation = 60);

// Replaces the chart's series by one bar per point, each in its own colour,
// with its percentage of the whole in the legend (one entry per bar).
// `horizontal` lays the bars along the left axis.
void showBars(QChart* chart, const QString& title, const QList<ChartPoint>& points, bool horizontal,
              bool legend = true);

// Replaces the chart's series by the stacked free (fuchsia) and used (blue)
// bars of every drive, each in its own unit, plus a "Total" pair when the
// figures ask for one.
void showSpaceBars(QChart* chart, const SpaceFigures& figures);

// Sets a pie chart's rotation (degrees).
void setPieRotation(QChart* chart, double rotation);

// A chart view named `name` on `parent`, holding a fresh chart.
QChartView* makeChartView(QWidget* parent, const char* name);

// A read-only table named `name` with the given column heads and rows; no
// cell can be selected.
QTableWidget* makeStatsGrid(QWidget* parent, const char* name, const QStringList& headers,
                            int rows);
// Sets a cell: the first column left-aligned, the others right-aligned.
void setGridCell(QTableWidget* grid, int row, int column, const QString& text);

} // namespace rw
