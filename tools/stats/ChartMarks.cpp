#include "tools/stats/ChartMarks.h"

#include <QAbstractSeries>
#include <QChart>
#include <QFontMetricsF>
#include <QPainter>

namespace rw
{

namespace
{

const qreal kPad = 2;

} // namespace

ChartMarks::ChartMarks(QChart* chart, QAbstractSeries* series, const QList<Mark>& marks)
    : QGraphicsObject(chart), m_chart(chart), m_series(series), m_marks(marks)
{
    setObjectName(QStringLiteral("ChartMarks"));
    setZValue(1000);
    auto refresh = [this] {
        prepareGeometryChange();
        update();
    };
    connect(chart, &QChart::plotAreaChanged, this, refresh);
    connect(chart, &QGraphicsWidget::geometryChanged, this, refresh);
}

ChartMarks* ChartMarks::attach(QChart* chart, QAbstractSeries* series, const QList<Mark>& marks)
{
    detach(chart);
    return new ChartMarks(chart, series, marks);
}

ChartMarks* ChartMarks::of(const QChart* chart)
{
    for (QGraphicsItem* item : chart->childItems())
        if (auto* marks = dynamic_cast<ChartMarks*>(item))
            return marks;
    return nullptr;
}

void ChartMarks::detach(QChart* chart)
{
    // Deleted at once: the series it reads is about to go.
    delete of(chart);
}

QList<QRectF> ChartMarks::markRects() const
{
    QList<QRectF> rects;
    const QFontMetricsF fm(m_chart->font());
    const QRectF bounds = m_chart->rect().adjusted(1, 1, -1, -1);
    for (const Mark& m : m_marks) {
        const QPointF at = m_chart->mapToPosition(m.value, m_series);
        const QSizeF size(fm.horizontalAdvance(m.text) + 2 * kPad, fm.height() + kPad);
        QRectF r(QPointF(), size);
        switch (m.place) {
        case Place::Above:
            r.moveCenter(at);
            r.moveBottom(at.y() - 3);
            break;
        case Place::Right:
            r.moveCenter(at);
            r.moveLeft(at.x() + 3);
            break;
        case Place::Centre:
            r.moveCenter(at);
            break;
        }
        // Marks of one bar that would cover each other are moved apart,
        // the later one upwards.
        for (const QRectF& earlier : rects)
            if (r.intersects(earlier) && std::abs(r.center().x() - earlier.center().x()) < 1)
                r.moveBottom(earlier.top() - 1);
        // Never cut by the chart's edge.
        if (r.right() > bounds.right())
            r.moveRight(bounds.right());
        if (r.left() < bounds.left())
            r.moveLeft(bounds.left());
        if (r.top() < bounds.top())
            r.moveTop(bounds.top());
        if (r.bottom() > bounds.bottom())
            r.moveBottom(bounds.bottom());
        rects.append(r);
    }
    return rects;
}

QRectF ChartMarks::boundingRect() const
{
    return m_chart->rect();
}

void ChartMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setFont(m_chart->font());
    const QList<QRectF> rects = markRects();
    for (int i = 0; i < rects.size(); ++i) {
        painter->setPen(QColor(128, 128, 128));
        painter->setBrush(QColor(255, 255, 225));
        painter->drawRect(rects[i]);
        painter->setPen(Qt::black);
        painter->drawText(rects[i], Qt::AlignCenter, m_marks[i].text);
    }
}

} // namespace rw
