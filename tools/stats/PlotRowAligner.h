#pragma once

#include <QList>
#include <QObject>

class QChartView;
class QWidget;

namespace rw
{

// Keeps the plot of a lying-bar chart level with the rows of labels beside
// it: the plot spans from the top of the first row's band to the bottom of
// the last one's, so bar n (counted from the top) stands beside row n
// whatever the fonts and the window size. The chart's own layout would
// place the plot by its margins, title and axes instead. A child of the
// view; follows every resize and move of the view and the rows.
class PlotRowAligner : public QObject
{
    Q_OBJECT
public:
    // `rows` from the top; the chart's bars are added from the bottom, so
    // its last bar stands beside the first row.
    PlotRowAligner(QChartView* view, const QList<QWidget*>& rows);

    // Sets the plot area now.
    void align();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QChartView* m_view;
    QList<QWidget*> m_rows;
};

} // namespace rw
