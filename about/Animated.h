#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

class QTimer;

namespace rw
{

// Plays a short frame animation from a strip bitmap: the frames stand side by
// side in the strip, each as wide as the control. While playing, a timer
// steps the frame every `interval` milliseconds, forwards or in reverse,
// looping or stopping at the end. The control paints its whole rectangle.
class TAnimated : public QWidget
{
    Q_OBJECT
public:
    explicit TAnimated(QWidget* parent = nullptr);

    int interval() const { return m_interval; }
    // Milliseconds per frame. A change drops the timer; while playing, an
    // interval above 0 starts a new one (so 0 pauses and `play` stays true).
    void setInterval(int ms);

    int frameCount() const { return m_frameCount; }
    // Number of frames in the strip; values below 1 count as 1.
    void setFrameCount(int count);

    int frame() const { return m_frame; }
    // A negative value selects the last frame, any other value is taken
    // modulo frameCount. Emits changeFrame and repaints only when the frame
    // really changes.
    void setFrame(int frame);

    const QPixmap& bitMap() const { return m_bitmap; }
    // Copies the strip; the control's height becomes the strip's height, or
    // 30 when that is 0.
    void setBitMap(const QPixmap& strip);

    bool play() const { return m_play; }
    // true starts the timer when the interval is above 0; false drops it.
    void setPlay(bool play);

    bool reverse() const { return m_reverse; }
    void setReverse(bool reverse) { m_reverse = reverse; }

    bool loop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }

    // Pixels of this colour show the control's colour instead; an invalid
    // colour (the default) means none.
    QColor transparentColor() const { return m_transparent; }
    void setTransparentColor(const QColor& color);

    // The colour that replaces transparent pixels (default: the palette's
    // window colour).
    QColor color() const;
    void setColor(const QColor& color);

    // True while a timer runs (playing with an interval above 0).
    bool timerRunning() const;

    // One timer step: the next (or previous) frame, stopping at the end of
    // the strip unless looping.
    void step();

signals:
    // The frame changed (OnChangeFrame).
    void changeFrame();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void startTimer();
    void dropTimer();

    int m_interval = 0;
    int m_frameCount = 1;
    int m_frame = 0;
    QPixmap m_bitmap;
    bool m_play = false;
    bool m_reverse = false;
    bool m_loop = true;
    QColor m_transparent;
    QColor m_color;
    QTimer* m_timer = nullptr;
};

} // namespace rw
