#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>
#include <QWindow>

namespace rw
{

namespace
{

// The frame the window system adds around the client area; known once the
// window has been mapped, assumed from the first mapped window before.
QMargins frameMargins(const QWidget* window)
{
    static QMargins seen;
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (window->testAttribute(Qt::WA_WState_Created) && frame != client)
        seen = QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    return seen;
}

// Moves what the window holds (its layout, or its directly placed
// children) onto a content widget of the design size inside a scroll area
// that fills the window.
void scrollDesign(QWidget* window, QSize design, QSize fitted)
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("designArea"));
    content->setFixedSize(design);
    if (QLayout* layout = window->layout()) {
        // setLayout() takes a layout from another widget with its widgets.
        content->setLayout(layout);
    } else {
        const auto children = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (child->isWindow())
                continue;
            const QRect at = child->geometry();
            const bool shown = !child->isHidden();
            child->setParent(content);
            child->setGeometry(at);
            child->setVisible(shown);
        }
    }
    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("designScroller"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(content);
    auto* stack = new QVBoxLayout(window);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(area);
    window->setFixedSize(fitted);
}

} // namespace

bool fitWindowToScreen(QWidget* window)
{
    if (!window || !window->isWindow())
        return false;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameMargins(window);
    const QSize room(area.width() - frame.left() - frame.right(),
                     area.height() - frame.top() - frame.bottom());
    bool changed = false;

    const QSize size = window->size().expandedTo(window->minimumSizeHint());
    const bool fixed = window->minimumSize() == window->maximumSize();
    if (fixed && (size.width() > room.width() || size.height() > room.height())) {
        scrollDesign(window, size, size.boundedTo(room));
        changed = true;
    } else {
        const QSize minimum = window->minimumSize();
        if (minimum.width() > room.width() || minimum.height() > room.height()) {
            window->setMinimumSize(minimum.boundedTo(room));
            changed = true;
        }
        if (window->width() > room.width() || window->height() > room.height()) {
            window->resize(window->size().boundedTo(room));
            changed = true;
        }
    }

    // Keep the whole frame on the area (a stored or centred place may not be).
    const QSize outer = window->size().grownBy(frame);
    QPoint at = window->pos();
    at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - outer.width())));
    at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() + 1 - outer.height())));
    if (at != window->pos()) {
        window->move(at);
        changed = true;
    }
    return changed;
}

} // namespace rw
