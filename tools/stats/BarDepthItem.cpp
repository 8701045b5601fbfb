#include "tools/stats/BarDepthItem.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QPainter>

namespace rw
{

BarDepthItem::BarDepthItem(QChart* chart, QAbstractBarSeries* series, int depthPercent)
    : QGraphicsObject(chart), m_chart(chart), m_series(series), m_depth(depthPercent)
{
    setObjectName(QStringLiteral("BarDepthItem"));
    // Over the flat bars, under the value marks.
    setZValue(500);
    auto refresh = [this] {
        prepareGeometryChange();
        update();
    };
    connect(chart, &QChart::plotAreaChanged, this, refresh);
    connect(chart, &QGraphicsWidget::geometryChanged, this, refresh);
}

BarDepthItem* BarDepthItem::attach(QChart* chart, QAbstractBarSeries* series, int depthPercent)
{
    detach(chart);
    return new BarDepthItem(chart, series, depthPercent);
}

BarDepthItem* BarDepthItem::of(const QChart* chart)
{
    for (QGraphicsItem* item : chart->childItems())
        if (auto* depth = dynamic_cast<BarDepthItem*>(item))
            return depth;
    return nullptr;
}

void BarDepthItem::detach(QChart* chart)
{
    delete of(chart);
}

void BarDepthItem::setDepth(int percent)
{
    m_depth = percent;
    update();
}

QList<QPair<QPolygonF, QColor>> BarDepthItem::colouredFaces() const
{
    QList<QPair<QPolygonF, QColor>> sides;
    QList<QPair<QPolygonF, QColor>> tops;
    if (m_depth <= 0 || m_series->barSets().isEmpty())
        return sides;
    const QList<QBarSet*> sets = m_series->barSets();
    const qreal half = m_series->barWidth() / 2;
    int categories = 0;
    for (QBarSet* set : sets)
        categories = std::max(categories, int(set->count()));
    for (int i = 0; i < categories; ++i) {
        const QPointF left = m_chart->mapToPosition(QPointF(i - half, 0), m_series);
        const QPointF right = m_chart->mapToPosition(QPointF(i + half, 0), m_series);
        const qreal offset = (right.x() - left.x()) * m_depth / 100.0 * 0.7071;
        const QPointF back(offset, -offset);
        double base = 0;
        int topSet = -1;
        double topBase = 0;
        for (int k = 0; k < sets.size(); ++k) {
            const double v = i < sets[k]->count() ? sets[k]->at(i) : 0;
            if (v <= 0)
                continue;
            const QPointF bottomRight = m_chart->mapToPosition(QPointF(i + half, base), m_series);
            const QPointF topRight = m_chart->mapToPosition(QPointF(i + half, base + v), m_series);
            sides.append({QPolygonF({bottomRight, topRight, topRight + back, bottomRight + back}),
                          sets[k]->color().darker(150)});
            topSet = k;
            topBase = base;
            base += v;
        }
        if (topSet >= 0) {
            const double top = topBase + sets[topSet]->at(i);
            const QPointF topLeft = m_chart->mapToPosition(QPointF(i - half, top), m_series);
            const QPointF topRight = m_chart->mapToPosition(QPointF(i + half, top), m_series);
            tops.append({QPolygonF({topLeft, topRight, topRight + back, topLeft + back}),
                         sets[topSet]->color().lighter(140)});
        }
    }
    return sides + tops;
}

QList<QPolygonF> BarDepthItem::faces() const
{
    QList<QPolygonF> polygons;
    for (const auto& face : colouredFaces())
        polygons.append(face.first);
    return polygons;
}

QRectF BarDepthItem::boundingRect() const
{
    return m_chart->rect();
}

void BarDepthItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setRenderHint(QPainter::Antialiasing);
    for (const auto& [polygon, colour] : colouredFaces()) {
        painter->setPen(QPen(colour.darker(170), 1));
        painter->setBrush(colour);
        painter->drawPolygon(polygon);
    }
}

} // namespace rw
