#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QChart;
class QChartView;
class QTableWidget;
class QValueAxis;
class QWidget;

namespace rw
{

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

// Removes everything a chart shows: its series, its axes (deleted, not only
// taken off) and the marks and faces drawn over it.
void clearChart(QChart* chart);

// Gives a value axis a round scale from 0 that holds `highest`; counts of
// files (`wholeNumbers`) get whole-number ticks only. Labels carry the
// locale's thousands separator.
void fitValueAxis(QValueAxis* axis, double highest, bool wholeNumbers);

// A chart text as the chart shows it: chart labels are rich text, so a
// label such as "<= 7 days" is escaped to be shown as written.
QString chartText(const QString& text);

// Replaces the chart's series by a pie of the points whose value is above 0,
// labelled with the label and the percentage; no legend. `rotation` is the
// angle of the first slice in degrees. The pie is sized, also when the chart
// is resized, so that its labels show whole however it is turned.
void showPie(QChart* chart, const QList<ChartPoint>& points, double rotation = 60);

// How showBars draws its bars.
struct BarStyle {
    enum class Marks {
        Share,        // each bar's share of the whole ("12.3 %")
        WholePercent, // the value itself as whole percent ("9 %")
        Value,        // the value itself ("33.333")
    };
    bool horizontal = false; // bars along the left axis, the first at the bottom
    bool legend = true;      // one entry per bar, last bar first
    bool axes = true;        // category labels and a value axis
    bool wholeNumbers = false;
    Marks marks = Marks::Share;
};

// Replaces the chart's series by one bar per point, each in its own colour,
// with a value mark on every bar.
void showBars(QChart* chart, const QString& title, const QList<ChartPoint>& points,
              const BarStyle& style);

// Sets a pie chart's rotation (degrees).
void setPieRotation(QChart* chart, double rotation);

// A chart view named `name` on `parent`, holding a fresh chart on the
// window's button-face ground, numbers in the user's locale.
QChartView* makeChartView(QWidget* parent, const char* name);

// A read-only table named `name` with the given column heads and rows; no
// cell can be selected or take the focus.
QTableWidget* makeStatsGrid(QWidget* parent, const char* name, const QStringList& headers,
                            int rows);
// Sets a cell: the first column left-aligned, the others right-aligned.
void setGridCell(QTableWidget* grid, int row, int column, const QString& text);

} // namespace rw
