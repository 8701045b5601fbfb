#include "app/WinPlace.h"

#include "base/PlacementValue.h"
#include "controls/CentreOnScreen.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <stdexcept>

namespace rw
{

TWinPlace::TWinPlace(QWidget* window)
    : QObject(window), m_window(window), m_iniFileName(QStringLiteral("WinPlace.INI")),
      m_section(programPath()), m_delimiter(QStringLiteral(" "))
{
    if (m_window)
        m_window->installEventFilter(this);
}

TWinPlace::~TWinPlace() = default;

QString TWinPlace::identifier() const
{
    if (m_identifier.isEmpty() && m_window)
        return m_window->objectName();
    return m_identifier;
}

QString TWinPlace::storedValue() const
{
    return ProfileFile(m_iniFileName).readString(m_section, identifier());
}

TWinPlace* TWinPlace::attach(QWidget* window, const QString& iniFileName, const QString& identifier,
                             const QString& section)
{
    auto* place = new TWinPlace(window);
    place->setIniFileName(iniFileName);
    if (!section.isEmpty())
        place->setSection(section);
    place->setIdentifier(identifier);
    place->centreIfNew();
    return place;
}

bool TWinPlace::centreIfNew()
{
    // A damaged entry (all zeros, too few numbers, another delimiter) is
    // never applied, so the window opens as with none.
    if (PlacementValue::fromText(storedValue(), m_delimiter).isUsable())
        return true;
    centreOnScreen(m_window);
    return false;
}

bool TWinPlace::restorePlacement()
{
    const PlacementValue v = PlacementValue::fromText(storedValue(), m_delimiter);
    if (!m_window || !v.isUsable())
        return false;
    // The stored rectangle is the normal (restored) frame rectangle.
    m_window->move(v.left, v.top);
    m_window->resize(
        qMax(1, v.right - v.left - (m_window->frameGeometry().width() - m_window->width())),
        qMax(1, v.bottom - v.top - (m_window->frameGeometry().height() - m_window->height())));
    if (v.showState == 3)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
    else if (v.showState == 2)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
    return true;
}

bool TWinPlace::savePlacement()
{
    if (!m_window)
        throw std::runtime_error("TWinPlace: Unable to retrieve window placement");
    PlacementValue v;
    v.flags = 0;
    v.showState = m_window->isMaximized() ? 3 : (m_window->isMinimized() ? 2 : 1);
    // A normal main window of a minimised application is stored as minimised.
    if (v.showState == 1 && m_window == QApplication::activeWindow() &&
        QApplication::applicationState() == Qt::ApplicationHidden)
        v.showState = 2;
    v.minX = v.minY = v.maxX = v.maxY = -1;
    // The stored rectangle is the frame of the normal (restored) window. A
    // maximised or minimised window only knows its normal client area; the
    // frame margins are added so both cases store the same kind of rectangle.
    QRect normal = m_window->frameGeometry();
    if (m_window->isMaximized() || m_window->isMinimized()) {
        const QRect frame = m_window->frameGeometry();
        const QRect client = m_window->geometry();
        normal = m_window->normalGeometry().adjusted(
            frame.left() - client.left(), frame.top() - client.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom());
    }
    v.left = normal.left();
    v.top = normal.top();
    v.right = normal.left() + normal.width();
    v.bottom = normal.top() + normal.height();
    return ProfileFile(m_iniFileName).writeString(m_section, identifier(), v.toText(m_delimiter));
}

bool TWinPlace::eventFilter(QObject* watched, QEvent* event)
{
    // A window is hidden right before it is destroyed (end of its modal loop
    // or close); that is the last moment its geometry is whole. A minimised
    // window is hidden that way too and is stored as minimised. Minimising
    // itself hides the window only as the window system sees it (a
    // spontaneous hide), which is no end of the window.
    if (watched == m_window && event->type() == QEvent::Hide && m_saveOnDestroy &&
        !event->spontaneous())
        savePlacement();
    return QObject::eventFilter(watched, event);
}

} // namespace rw
