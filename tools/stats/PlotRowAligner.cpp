#include "tools/stats/PlotRowAligner.h"

#include <QChart>
#include <QChartView>
#include <QEvent>

namespace rw
{

PlotRowAligner::PlotRowAligner(QChartView* view, const QList<QWidget*>& rows)
    : QObject(view), m_view(view), m_rows(rows)
{
    m_view->installEventFilter(this);
    for (QWidget* row : m_rows)
        row->installEventFilter(this);
}

void PlotRowAligner::align()
{
    if (m_rows.size() < 2)
        return;
    // Row centres in the view's coordinates.
    auto centre = [this](QWidget* row) {
        return double(
            m_view->mapFrom(m_view->window(), row->mapTo(m_view->window(), row->rect().center()))
                .y());
    };
    const double first = centre(m_rows.first());
    const double last = centre(m_rows.last());
    const double band = (last - first) / double(m_rows.size() - 1);
    if (band <= 0)
        return;
    const QRectF inView(4, first - band / 2, m_view->width() - 8, band * double(m_rows.size()));
    QChart* chart = m_view->chart();
    const QRectF inChart(chart->mapFromScene(m_view->mapToScene(inView.topLeft().toPoint())),
                         inView.size());
    chart->setPlotArea(inChart);
}

bool PlotRowAligner::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
        align();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rw
