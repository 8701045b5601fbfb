#pragma once

#include <QGraphicsObject>
#include <QPolygonF>

class QAbstractBarSeries;
class QChart;

namespace rw
{

// The depth of the bars of a bar chart: for every bar part the oblique side
// face and, on the topmost part, the top face of a three-dimensional bar,
// drawn over a flat Qt Charts bar series (which draws only the front
// faces). The depth is a percentage of the bar width, so 60 draws the side
// faces 60 % of a bar wide, slanting up and to the right at 45 degrees.
// The item is a child of the chart (which owns it) and follows its plot.
class BarDepthItem : public QGraphicsObject
{
    Q_OBJECT
public:
    // Puts a depth item on `chart` for `series` (owned by the chart),
    // replacing one already there.
    static BarDepthItem* attach(QChart* chart, QAbstractBarSeries* series, int depthPercent);
    static BarDepthItem* of(const QChart* chart);
    static void detach(QChart* chart);

    int depth() const { return m_depth; }
    void setDepth(int percent);

    // The faces as drawn, in chart coordinates: side faces of every part,
    // then the top faces. Empty while the depth is 0.
    QList<QPolygonF> faces() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    BarDepthItem(QChart* chart, QAbstractBarSeries* series, int depthPercent);
    // Faces with the colour each is filled with.
    QList<QPair<QPolygonF, QColor>> colouredFaces() const;

    QChart* m_chart;
    QAbstractBarSeries* m_series;
    int m_depth;
};

} // namespace rw
