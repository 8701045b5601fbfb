#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

namespace rw
{

// The marker bitmap of the result grids, drawn in code: 32 by 16 pixels whose
// left 16 by 16 show a red tick with a black shadow on a purple background.
// Purple (128, 0, 128) is the transparent colour.
class MarkerPicture
{
public:
    static QColor transparentColor() { return QColor(128, 0, 128); }
    // The whole 32 x 16 bitmap, purple background opaque.
    static const QImage& image();
    // The left 16 x 16 pixels with purple made transparent: what a marked
    // cell draws.
    static const QPixmap& tick();
};

} // namespace rw
