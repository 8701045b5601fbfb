#include "about/BevelPanel.h"

#include <QPainter>
#include <qdrawutil.h>

namespace rw
{

TBevelPanel::TBevelPanel(QWidget* parent) : QWidget(parent) {}

void TBevelPanel::setBevelOuter(Bevel bevel)
{
    m_outer = bevel;
    update();
}

void TBevelPanel::setBevelInner(Bevel bevel)
{
    m_inner = bevel;
    update();
}

void TBevelPanel::setBevelWidth(int width)
{
    m_width = qMax(0, width);
    update();
}

void TBevelPanel::setFaceColor(const QColor& color)
{
    m_face = color;
    update();
}

int TBevelPanel::frameThickness() const
{
    return (m_outer != Bevel::None ? m_width : 0) + (m_inner != Bevel::None ? m_width : 0);
}

void TBevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect r = rect();
    if (m_face.isValid())
        painter.fillRect(r, m_face);
    for (Bevel bevel : {m_outer, m_inner}) {
        if (bevel == Bevel::None || m_width == 0)
            continue;
        qDrawShadePanel(&painter, r, palette(), bevel == Bevel::Lowered, m_width);
        r.adjust(m_width, m_width, -m_width, -m_width);
    }
}

} // namespace rw
