#include "controls/TOvcSpinner.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

namespace rw
{

TOvcSpinner::TOvcSpinner(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    setFocusPolicy(Qt::NoFocus);
}

TOvcSpinner::Half TOvcSpinner::halfAt(const QPoint& pos) const
{
    if (m_orientation == Qt::Vertical)
        return pos.y() < height() / 2 ? Half::Up : Half::Down;
    return pos.x() < width() / 2 ? Half::Left : Half::Right;
}

QRect TOvcSpinner::halfRect(Half half) const
{
    const int w = width();
    const int h = height();
    switch (half) {
    case Half::Up:
        return QRect(0, 0, w, h / 2);
    case Half::Down:
        return QRect(0, h / 2, w, h - h / 2);
    case Half::Left:
        return QRect(0, 0, w / 2, h);
    case Half::Right:
        return QRect(w / 2, 0, w - w / 2, h);
    }
    return QRect();
}

void TOvcSpinner::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    const Half first = m_orientation == Qt::Vertical ? Half::Up : Half::Left;
    const Half second = m_orientation == Qt::Vertical ? Half::Down : Half::Right;
    for (Half half : {first, second}) {
        const QRect r = halfRect(half);
        const bool down = m_pressed == int(half);
        qDrawWinButton(&painter, r, palette(), down, &palette().brush(QPalette::Button));
        QStyleOption arrow;
        arrow.initFrom(this);
        const int side = qMin(r.width(), r.height()) - 4;
        arrow.rect = QRect(0, 0, qMax(side, 4), qMax(side, 4));
        arrow.rect.moveCenter(r.center() + (down ? QPoint(1, 1) : QPoint()));
        const QStyle::PrimitiveElement pe = half == Half::Up     ? QStyle::PE_IndicatorArrowUp
                                            : half == Half::Down ? QStyle::PE_IndicatorArrowDown
                                            : half == Half::Left ? QStyle::PE_IndicatorArrowLeft
                                                                 : QStyle::PE_IndicatorArrowRight;
        style()->drawPrimitive(pe, &arrow, &painter, this);
    }
}

void TOvcSpinner::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = int(halfAt(event->position().toPoint()));
    update();
}

void TOvcSpinner::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressed < 0)
        return;
    const Half pressed = Half(m_pressed);
    m_pressed = -1;
    update();
    // A press moved off its half before the release is no click.
    if (halfRect(pressed).contains(event->position().toPoint()))
        emit clicked(pressed);
}

} // namespace rw
