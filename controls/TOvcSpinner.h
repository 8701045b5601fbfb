#pragma once

#include <QWidget>

namespace rw
{

// A pair of step buttons in one control, vertical (upper and lower half) or
// horizontal (left and right half). A click reports the half pressed. The
// spinner never takes the focus, so the control it steps keeps it.
class TOvcSpinner : public QWidget
{
    Q_OBJECT
public:
    enum class Half { Up, Down, Left, Right };
    Q_ENUM(Half)

    explicit TOvcSpinner(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }
    // The half under a point of the control.
    Half halfAt(const QPoint& pos) const;

signals:
    void clicked(rw::TOvcSpinner::Half half);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect halfRect(Half half) const;

    Qt::Orientation m_orientation;
    int m_pressed = -1; // the Half pressed, -1 for none
};

} // namespace rw
