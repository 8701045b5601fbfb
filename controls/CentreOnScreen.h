#pragma once

class QWidget;

namespace rw
{

// Moves a top-level window so that its frame stands in the middle of the
// available area of its screen (the primary screen when it has none yet).
void centreOnScreen(QWidget* window);

} // namespace rw
