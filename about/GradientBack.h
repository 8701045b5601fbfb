#pragma once

#include <QColor>
#include <QWidget>

#include <array>

namespace rw
{

// Paints its parent's whole client area as a vertical colour gradient in 256
// bands: blue fading to black (all-blue style) or blue through purple to red.
// It follows the parent's size and stays below the parent's other children.
class TGradientBack : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool isAllBlue READ isAllBlue WRITE setIsAllBlue)
public:
    explicit TGradientBack(QWidget* parent);

    bool isAllBlue() const { return m_allBlue; }
    // Only stores the style; the new colours show at the next painting.
    void setIsAllBlue(bool allBlue) { m_allBlue = allBlue; }

    // Entry i: red 0, green 0, blue 255 - i.
    static const std::array<QColor, 256>& allBlueTable();
    // Entry i: red i, green 0, blue 255 - i.
    static const std::array<QColor, 256>& blueRedTable();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_allBlue = true;
};

} // namespace rw
