#pragma once

class QWidget;

namespace rw
{

// Gives every control of a shown window that assistive technology would
// find nameless an accessible name: a button without a caption its hint; an
// input field the caption label beside or above it; a part of a composite
// control (the edit field of a spin box) the name of its control; anything
// else its role ("Table", "List", "Calendar"). Names Qt already reads out
// (a button's caption, a label's buddy) are left alone, so they follow the
// caption when it changes. Returns how many names were given.
int nameForAccessibility(QWidget* window);

} // namespace rw
