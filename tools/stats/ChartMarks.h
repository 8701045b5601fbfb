#pragma once

#include <QGraphicsObject>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QAbstractSeries;
class QChart;

namespace rw
{

// Value marks drawn on top of a chart: small framed texts beside the bars
// or points they belong to. Qt Charts writes only the bare value on a bar
// and clips it at the plot's edge; these marks carry any text (a share in
// percent, a figure with its unit) and always stay inside the chart. The
// item is a child of the chart (which owns it) and follows its plot area.
class ChartMarks : public QGraphicsObject
{
    Q_OBJECT
public:
    enum class Place {
        Above,  // above the anchor (the top of an upright bar)
        Right,  // right of the anchor (the end of a lying bar)
        Centre, // centred on the anchor (the middle of a stacked part)
    };
    struct Mark {
        QPointF value; // in the series' values: (category, value) or (value, category)
        QString text;
        Place place = Place::Above;
    };

    // Puts a marks item on `chart` (replacing one already there) for the
    // values of `series` (owned by the chart).
    static ChartMarks* attach(QChart* chart, QAbstractSeries* series, const QList<Mark>& marks);
    // The marks item of a chart, nullptr when it has none.
    static ChartMarks* of(const QChart* chart);
    // Removes the marks item of a chart, if any.
    static void detach(QChart* chart);

    const QList<Mark>& marks() const { return m_marks; }
    // Where each mark is drawn, in chart coordinates, in the order of marks().
    QList<QRectF> markRects() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    ChartMarks(QChart* chart, QAbstractSeries* series, const QList<Mark>& marks);

    QChart* m_chart;
    QAbstractSeries* m_series;
    QList<Mark> m_marks;
};

} // namespace rw
