#pragma once

#include <QFrame>
#include <QString>

namespace rw
{

// A one-line status text that never asks for more width than it is given:
// a text too long for the label (a deep folder path during a collection) is
// shortened in the middle with "…", so the window keeps its size. text()
// is the whole text.
class ElidedLabel : public QFrame
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    void clear() { setText(QString()); }
    // The text as it is drawn at the present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

} // namespace rw
