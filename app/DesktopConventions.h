#pragma once

#include <QObject>

namespace rw
{

// Holds every window of the program to the desktop's conventions as it is
// shown: it fits the available screen area (see fitWindowToScreen) and each
// control carries a name for assistive technology (see nameForAccessibility).
// One instance watches the whole application; installDesktopConventions()
// makes it.
class DesktopConventions : public QObject
{
    Q_OBJECT
public:
    explicit DesktopConventions(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs the one DesktopConventions filter on the application (once; later
// calls do nothing). Call after the QApplication is made.
void installDesktopConventions();

} // namespace rw
