#include "tools/stats/OverlapBarsItem.h"

#include <QAbstractSeries>
#include <QChart>
#include <QPainter>

namespace rw
{

OverlapBarsItem::OverlapBarsItem(QChart* chart, QAbstractSeries* series, const QList<Layer>& layers)
    : QGraphicsObject(chart), m_chart(chart), m_series(series), m_layers(layers)
{
    setObjectName(QStringLiteral("OverlapBarsItem"));
    setZValue(400);
    auto refresh = [this] {
        prepareGeometryChange();
        update();
    };
    connect(chart, &QChart::plotAreaChanged, this, refresh);
    connect(chart, &QGraphicsWidget::geometryChanged, this, refresh);
}

OverlapBarsItem* OverlapBarsItem::attach(QChart* chart, QAbstractSeries* series,
                                         const QList<Layer>& layers)
{
    detach(chart);
    return new OverlapBarsItem(chart, series, layers);
}

OverlapBarsItem* OverlapBarsItem::of(const QChart* chart)
{
    for (QGraphicsItem* item : chart->childItems())
        if (auto* bars = dynamic_cast<OverlapBarsItem*>(item))
            return bars;
    return nullptr;
}

void OverlapBarsItem::detach(QChart* chart)
{
    delete of(chart);
}

QRectF OverlapBarsItem::barRect(int layer, int category) const
{
    const Layer& l = m_layers[layer];
    const double v = category < l.values.size() ? l.values[category] : 0;
    const QPointF a = m_chart->mapToPosition(QPointF(0, category - l.width / 2), m_series);
    const QPointF b = m_chart->mapToPosition(QPointF(v, category + l.width / 2), m_series);
    return QRectF(a, b).normalized();
}

QRectF OverlapBarsItem::boundingRect() const
{
    return m_chart->rect();
}

void OverlapBarsItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setClipRect(m_chart->plotArea());
    for (int k = 0; k < m_layers.size(); ++k) {
        painter->setPen(QPen(m_layers[k].colour.darker(160), 1));
        painter->setBrush(m_layers[k].colour);
        for (int c = 0; c < m_layers[k].values.size(); ++c)
            if (m_layers[k].values[c] > 0)
                painter->drawRect(barRect(k, c));
    }
}

} // namespace rw
