#pragma once

class QWidget;

namespace rw
{

// Makes a top-level window fit the available area of its screen before it
// is shown: a resizable window larger than the area is made smaller (its
// minimum size too, down to the area); a window of fixed size that would
// not fit keeps its design inside a scroll area the size of the screen, so
// every control stays reachable; and the frame is moved onto the area.
// Returns true when the window had to change.
bool fitWindowToScreen(QWidget* window);

} // namespace rw
