#include "about/Animated.h"

#include <QImage>
#include <QPainter>
#include <QTimer>

namespace rw
{

TAnimated::TAnimated(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(30, 30);
}

void TAnimated::setInterval(int ms)
{
    if (ms == m_interval)
        return;
    dropTimer();
    m_interval = ms;
    if (m_play && m_interval > 0)
        startTimer();
}

void TAnimated::setFrameCount(int count)
{
    m_frameCount = qMax(1, count);
}

void TAnimated::setFrame(int frame)
{
    const int next = frame < 0 ? m_frameCount - 1 : frame % m_frameCount;
    if (next == m_frame)
        return;
    m_frame = next;
    emit changeFrame();
    update();
}

void TAnimated::setBitMap(const QPixmap& strip)
{
    m_bitmap = strip.copy();
    resize(width(), m_bitmap.height() > 0 ? m_bitmap.height() : 30);
    update();
}

void TAnimated::setPlay(bool play)
{
    if (play == m_play)
        return;
    m_play = play;
    if (m_play && m_interval > 0)
        startTimer();
    else if (!m_play)
        dropTimer();
}

void TAnimated::setTransparentColor(const QColor& color)
{
    if (color == m_transparent)
        return;
    m_transparent = color;
    update();
}

QColor TAnimated::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Window);
}

void TAnimated::setColor(const QColor& color)
{
    m_color = color;
    update();
}

bool TAnimated::timerRunning() const
{
    return m_timer && m_timer->isActive();
}

void TAnimated::step()
{
    if (m_reverse) {
        setFrame(m_frame - 1);
        if (m_frame == 0 && !m_loop)
            setPlay(false);
    } else {
        setFrame(m_frame + 1);
        if (m_frame == m_frameCount - 1 && !m_loop)
            setPlay(false);
    }
}

void TAnimated::startTimer()
{
    dropTimer();
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &TAnimated::step);
    m_timer->start(m_interval);
}

void TAnimated::dropTimer()
{
    delete m_timer;
    m_timer = nullptr;
}

void TAnimated::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_bitmap.height() <= 0) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    const QRect source(width() * m_frame, 0, width(), height());
    // A frame past the end of the strip still leaves no stale pixels.
    painter.fillRect(rect(), color());
    if (!m_transparent.isValid()) {
        painter.drawPixmap(rect(), m_bitmap, source);
        return;
    }
    // The frame with every pixel of the transparent colour replaced by the
    // control's colour.
    QImage scratch = m_bitmap.copy(source).toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb key = m_transparent.rgb();
    const QRgb face = color().rgb();
    for (int y = 0; y < scratch.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(scratch.scanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (line[x] == key)
                line[x] = face;
        }
    }
    painter.drawImage(0, 0, scratch);
}

} // namespace rw
