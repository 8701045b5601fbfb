#include "controls/PrintRoutines.h"

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace rw
{

bool runPrintDialog(QWidget* parent, QPrinter* printer,
                    const std::function<void(QPrintDialog&)>& setUp)
{
    QPrintDialog dialog(printer, parent);
    if (setUp)
        setUp(dialog);
    return dialog.exec() == QDialog::Accepted;
}

QPrinter* choosePrinter(QWidget* parent, QPrinter* preset, QPrinter& fallback)
{
    if (preset)
        return preset;
    return runPrintDialog(parent, &fallback) ? &fallback : nullptr;
}

QRect imageRectOnPage(QSize image, const QRect& page, double maxScale)
{
    if (image.isEmpty() || page.isEmpty())
        return QRect();
    double scale =
        std::min(double(page.width()) / image.width(), double(page.height()) / image.height());
    if (maxScale > 0)
        scale = std::min(scale, maxScale);
    return QRect(0, 0, int(image.width() * scale), int(image.height() * scale));
}

bool printImage(QPrinter* printer, const QImage& image, double maxScale)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    painter.drawImage(imageRectOnPage(image.size(), painter.viewport(), maxScale), image);
    return painter.end();
}

} // namespace rw
