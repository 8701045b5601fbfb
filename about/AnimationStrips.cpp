#include "about/AnimationStrips.h"

#include <QPainter>
#include <QPainterPath>

namespace rw
{

namespace
{
constexpr int kFrame = 32;
constexpr int kFrames = 5;

QPixmap emptyStrip()
{
    QPixmap strip(kFrame * kFrames, kFrame);
    strip.fill(stripKeyColor());
    return strip;
}
} // namespace

QColor stripKeyColor()
{
    return QColor(255, 0, 255);
}

QPixmap diskStrip()
{
    QPixmap strip = emptyStrip();
    QPainter p(&strip);
    // No smoothing: blended edge pixels would not match the key colour.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int f = 0; f < kFrames; ++f) {
        const QRect disk(f * kFrame + 2, 2, 27, 27);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(192, 192, 192));
        p.drawEllipse(disk);
        // The lit sector: Qt angles are sixteenths of a degree, counter-clockwise.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 160));
        p.drawPie(disk.adjusted(2, 2, -2, -2), (90 - f * 72) * 16, 40 * 16);
        p.setBrush(QColor(255, 255, 0));
        p.drawPie(disk.adjusted(2, 2, -2, -2), (90 - f * 72 - 180) * 16, 20 * 16);
        // Hub.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(disk.center(), 3, 3);
    }
    return strip;
}

QPixmap folderStrip()
{
    QPixmap strip = emptyStrip();
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor folder(255, 204, 0);
    const QColor folderDark(176, 128, 0);
    for (int f = 0; f < kFrames; ++f) {
        const int x = f * kFrame;
        // Back of the folder with its tab.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(folderDark);
        p.drawRect(x + 2, 10, 27, 19);
        p.drawRect(x + 2, 7, 10, 3);
        // The page rises out of the folder: 2 pixels more each frame.
        const int top = 12 - 2 * f;
        p.setBrush(Qt::white);
        p.drawRect(x + 7, top, 17, 16);
        p.setPen(QPen(QColor(0, 0, 128), 1));
        for (int line = top + 3; line < top + 13 && line < 20; line += 3)
            p.drawLine(x + 9, line, x + 21, line);
        // Front flap of the folder.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(folder);
        p.drawRect(x + 2, 18, 27, 11);
    }
    return strip;
}

} // namespace rw
