#include "about/GradientBack.h"

#include <QEvent>
#include <QPainter>

namespace rw
{

const std::array<QColor, 256>& TGradientBack::allBlueTable()
{
    static const std::array<QColor, 256> table = [] {
        std::array<QColor, 256> t;
        for (int i = 0; i < 256; ++i)
            t[i] = QColor(0, 0, 255 - i);
        return t;
    }();
    return table;
}

const std::array<QColor, 256>& TGradientBack::blueRedTable()
{
    static const std::array<QColor, 256> table = [] {
        std::array<QColor, 256> t;
        for (int i = 0; i < 256; ++i)
            t[i] = QColor(i, 0, 255 - i);
        return t;
    }();
    return table;
}

TGradientBack::TGradientBack(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GradientBack"));
    // Every pixel is painted, so nothing needs erasing first: no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
    lower();
}

bool TGradientBack::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void TGradientBack::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const auto& table = m_allBlue ? allBlueTable() : blueRedTable();
    const float step = float(height()) / 255.0f;
    const int band = int(step + 1.0f);
    for (int i = 0; i < 256; ++i)
        painter.fillRect(0, int(float(i) * step), width(), band, table[i]);
}

} // namespace rw
