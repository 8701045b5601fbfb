#pragma once

#include <QColor>
#include <QPixmap>

namespace rw
{

// The about window's two animation strips, drawn in code: five 32 x 32
// frames side by side, on a background of stripKeyColor() that the
// animation control shows as its own colour.

// A disk platter whose lit sector turns a fifth of a turn per frame.
QPixmap diskStrip();
// A folder from which a page rises a little further each frame.
QPixmap folderStrip();
// The background colour of both strips (pure magenta).
QColor stripKeyColor();

} // namespace rw
