#pragma once

#include <QColor>
#include <QGraphicsObject>
#include <QList>

class QAbstractSeries;
class QChart;

namespace rw
{

// Lying bar series drawn over each other in one band per category, neither
// stacked nor side by side: each later series narrower than the one before,
// so all stay in sight. Qt Charts always puts the bar series of one chart
// side by side; this item draws the bars itself over a chart whose (empty)
// series and axes give the scale and the legend. A child of the chart
// (which owns it); follows its plot area.
class OverlapBarsItem : public QGraphicsObject
{
    Q_OBJECT
public:
    struct Layer {
        QColor colour;
        QList<double> values; // one per category, from the bottom
        double width = 0.8;   // share of a category's band
    };

    // Puts the bars on `chart`, scaled by `series` (owned by the chart),
    // replacing any there.
    static OverlapBarsItem* attach(QChart* chart, QAbstractSeries* series,
                                   const QList<Layer>& layers);
    static OverlapBarsItem* of(const QChart* chart);
    static void detach(QChart* chart);

    const QList<Layer>& layers() const { return m_layers; }
    // The bar of layer `layer` in category `category`, in chart coordinates.
    QRectF barRect(int layer, int category) const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    OverlapBarsItem(QChart* chart, QAbstractSeries* series, const QList<Layer>& layers);

    QChart* m_chart;
    QAbstractSeries* m_series;
    QList<Layer> m_layers;
};

} // namespace rw
