#include "controls/CentreOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace rw
{

void centreOnScreen(QWidget* window)
{
    if (!window)
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace rw
