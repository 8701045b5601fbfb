#include "app/DesktopConventions.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include "app/AccessibleNames.h"
#include "app/ScreenFit.h"

namespace rw
{

DesktopConventions::DesktopConventions(QObject* parent) : QObject(parent) {}

bool DesktopConventions::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Polish || type == QEvent::Show) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType kind = widget->windowType();
        // Menus, tips and other popups place themselves.
        if (widget->isWindow() && (kind == Qt::Window || kind == Qt::Dialog)) {
            if (type == QEvent::Polish) {
                // Before the first showing, while a design that needs a
                // scroll area can still be rearranged unseen.
                fitWindowToScreen(widget);
            } else {
                // A window restores its stored place in its own show
                // handling, after this filter: fit once that is done.
                QPointer<QWidget> shown(widget);
                QMetaObject::invokeMethod(
                    widget, [shown] { fitWindowToScreen(shown); }, Qt::QueuedConnection);
                // Laid out and with its children shown: name what has no name.
                nameForAccessibility(widget);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void installDesktopConventions()
{
    auto* app = qApp;
    if (!app || app->findChild<DesktopConventions*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new DesktopConventions(app));
}

} // namespace rw
