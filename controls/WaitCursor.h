#pragma once

#include <QApplication>

namespace rw
{

// Shows the hourglass for the length of a scope and restores the normal
// cursor on every way out of a long action, exceptions included.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace rw
