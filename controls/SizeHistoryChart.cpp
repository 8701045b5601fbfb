#include "controls/SizeHistoryChart.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace rw
{

SizeHistoryChart::SizeHistoryChart(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(tr("Size over the kept scans"));
}

void SizeHistoryChart::setPoints(std::vector<Point> points)
{
    std::sort(points.begin(), points.end(),
              [](const Point& a, const Point& b) { return a.time < b.time; });
    m_points = std::move(points);
    update();
}

void SizeHistoryChart::setChosen(std::int64_t first, std::int64_t second)
{
    m_chosen[0] = first;
    m_chosen[1] = second;
    update();
}

QSize SizeHistoryChart::sizeHint() const
{
    return {400, fontMetrics().height() * 6};
}

QSize SizeHistoryChart::minimumSizeHint() const
{
    return {160, fontMetrics().height() * 6};
}

void SizeHistoryChart::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(pal.color(QPalette::Text));
    if (m_points.empty()) {
        p.drawText(rect(), Qt::AlignCenter, tr("No kept scans"));
        return;
    }
    const QLocale locale;
    const QFontMetrics fm = fontMetrics();
    auto [lowIt, highIt] =
        std::minmax_element(m_points.begin(), m_points.end(),
                            [](const Point& a, const Point& b) { return a.bytes < b.bytes; });
    const std::int64_t low = lowIt->bytes;
    const std::int64_t high = highIt->bytes;
    const QString highText = locale.formattedDataSize(high);
    const QString lowText = locale.formattedDataSize(low);
    const int labelWidth = std::max(fm.horizontalAdvance(highText), fm.horizontalAdvance(lowText));
    // The plot area: sizes written at its left, dates below it.
    const QRect plot =
        rect().adjusted(labelWidth + 12, fm.height() / 2 + 4, -10, -(fm.height() + 8));
    if (plot.width() < 10 || plot.height() < 10)
        return;
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.setPen(pal.color(QPalette::Text));
    p.drawText(QRect(2, plot.top() - fm.height() / 2, labelWidth + 6, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, highText);
    p.drawText(QRect(2, plot.bottom() - fm.height() / 2, labelWidth + 6, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, lowText);
    const std::int64_t first = m_points.front().time;
    const std::int64_t last = m_points.back().time;
    const auto dateText = [&locale](std::int64_t t) {
        return locale.toString(QDateTime::fromSecsSinceEpoch(t).date(), QLocale::ShortFormat);
    };
    const QRect dates(plot.left(), plot.bottom() + 4, plot.width(), fm.height());
    p.drawText(dates, Qt::AlignLeft | Qt::AlignTop, dateText(first));
    if (last != first)
        p.drawText(dates, Qt::AlignRight | Qt::AlignTop, dateText(last));

    const auto at = [&](const Point& pt) {
        const double x = last == first ? plot.center().x()
                                       : plot.left() + double(pt.time - first) * plot.width() /
                                                           double(last - first);
        const double y = high == low ? plot.center().y()
                                     : plot.bottom() - double(pt.bytes - low) * plot.height() /
                                                           double(high - low);
        return QPointF(x, y);
    };
    const QColor line = pal.color(QPalette::Highlight);
    QPainterPath path;
    path.moveTo(at(m_points.front()));
    for (const Point& pt : m_points)
        path.lineTo(at(pt));
    p.setPen(QPen(line, 2));
    p.drawPath(path);
    p.setBrush(line);
    for (const Point& pt : m_points)
        p.drawEllipse(at(pt), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.color(QPalette::Text), 1.5));
    for (const Point& pt : m_points)
        if (pt.time == m_chosen[0] || pt.time == m_chosen[1])
            p.drawEllipse(at(pt), 5.5, 5.5);
}

} // namespace rw
