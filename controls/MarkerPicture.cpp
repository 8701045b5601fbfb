#include "controls/MarkerPicture.h"

#include <QPainter>

namespace rw
{

namespace
{

QImage drawMarker()
{
    QImage img(32, 16, QImage::Format_RGB32);
    img.fill(MarkerPicture::transparentColor());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A two-pixel tick: short stroke down to the right, long stroke up.
    const QPoint tick[] = {QPoint(3, 8), QPoint(6, 11), QPoint(12, 3)};
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.translate(1, 1);
    p.drawPolyline(tick, 3);
    p.translate(-1, -1);
    p.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(tick, 3);
    return img;
}

} // namespace

const QImage& MarkerPicture::image()
{
    static const QImage img = drawMarker();
    return img;
}

const QPixmap& MarkerPicture::tick()
{
    static const QPixmap pix = [] {
        QImage left = image().copy(0, 0, 16, 16).convertToFormat(QImage::Format_ARGB32);
        const QRgb purple = transparentColor().rgb();
        for (int y = 0; y < left.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(left.scanLine(y));
            for (int x = 0; x < left.width(); ++x)
                if ((line[x] | 0xff000000u) == purple)
                    line[x] = qRgba(0, 0, 0, 0);
        }
        return QPixmap::fromImage(left);
    }();
    return pix;
}

} // namespace rw
