#include "tools/stats/ElidedLabel.h"

#include <QPainter>

namespace rw
{

ElidedLabel::ElidedLabel(QWidget* parent) : QFrame(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(m_text, Qt::ElideMiddle, contentsRect().width() - 6);
}

QSize ElidedLabel::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 2 * frameWidth() + 4);
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(0, sizeHint().height());
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawText(contentsRect().adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     shownText());
}

} // namespace rw
