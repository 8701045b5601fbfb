#pragma once

#include <QWidget>

namespace rw
{

// A panel framed by an outer and an inner bevel, each raised, lowered or
// absent, every bevel `bevelWidth` pixels wide. The face is left unpainted
// (the parent shows through) unless a face colour is set.
class TBevelPanel : public QWidget
{
    Q_OBJECT
public:
    enum class Bevel { None, Raised, Lowered };

    explicit TBevelPanel(QWidget* parent = nullptr);

    Bevel bevelOuter() const { return m_outer; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return m_inner; }
    void setBevelInner(Bevel bevel);
    int bevelWidth() const { return m_width; }
    void setBevelWidth(int width);
    // An invalid colour (the default) leaves the face transparent.
    void setFaceColor(const QColor& color);

    // Pixels taken by the bevels on each side.
    int frameThickness() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    int m_width = 1;
    QColor m_face;
};

} // namespace rw
