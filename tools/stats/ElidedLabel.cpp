#include "tools/stats/ElidedLabel.h"

#include <QPainter>

namespace rw
{

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width() - 6);
}

QSize ElidedLabel::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 2 * frameWidth() + 4);
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(0, sizeHint().height());
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.drawText(contentsRect().adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     shownText());
}

} // namespace rw
