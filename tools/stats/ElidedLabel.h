#pragma once

#include <QLabel>
#include <QString>

namespace rw
{

// A one-line status label that never asks for more width than it is
// given: a text too long for it (a deep folder path during a collection)
// is drawn shortened in the middle with "…", so the window keeps its size.
// text() is the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The text as it is drawn at the present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace rw
