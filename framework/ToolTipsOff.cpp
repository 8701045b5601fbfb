#include "framework/ToolTipsOff.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace rw
{

ToolTipsOff::ToolTipsOff(QWidget* window) : m_window(window)
{
    qApp->installEventFilter(this);
}

ToolTipsOff::~ToolTipsOff()
{
    qApp->removeEventFilter(this);
}

bool ToolTipsOff::eventFilter(QObject* watched, QEvent* event)
{
    if (m_window && event->type() == QEvent::ToolTip) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == m_window || m_window->isAncestorOf(w)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rw
