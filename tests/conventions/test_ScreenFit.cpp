// Every window opens inside the available screen area, with each control it
// shows reachable (on the window, or in a part that scrolls to it), at the
// scale the test program runs at (1× and 2× on a 1280 × 1024 screen).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

#include "app/DesktopConventions.h"
#include "tests/conventions/EveryWindow.h"
#include "tests/support/XSession.h"

using rwtest::XSession;

namespace
{

// True when a user can bring `w` into view: it lies inside each of its
// ancestors up to the window, except where an ancestor scrolls its content.
bool reachable(const QWidget* w, QString* why)
{
    for (const QWidget* c = w; c && !c->isWindow(); c = c->parentWidget()) {
        const QWidget* parent = c->parentWidget();
        // The content of a scroll area is reached by scrolling.
        if (parent && qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()) &&
            parent == static_cast<const QAbstractScrollArea*>(parent->parentWidget())->viewport())
            continue;
        const QRect inParent = c->geometry();
        if (!parent->rect().contains(inParent)) {
            *why = QStringLiteral("%1 (%2) at %3,%4 %5x%6 is outside %7 (%8x%9)")
                       .arg(c->objectName(), QString::fromLatin1(c->metaObject()->className()))
                       .arg(inParent.x())
                       .arg(inParent.y())
                       .arg(inParent.width())
                       .arg(inParent.height())
                       .arg(parent->objectName())
                       .arg(parent->width())
                       .arg(parent->height());
            return false;
        }
    }
    return true;
}

} // namespace

TEST(ScreenFit, EveryWindowFitsTheScreenWithItsControlsReachable)
{
    rw::installDesktopConventions();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const rwtest::WindowMaker& maker : rwtest::everyWindow()) {
        SCOPED_TRACE(maker.name);
        std::unique_ptr<QWidget> window = maker.make();
        window->show();
        ASSERT_TRUE(XSession::waitForShown(window.get()));
        QApplication::processEvents();
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(screen.contains(frame))
            << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
            << frame.height() << " on a screen of " << screen.width() << "x" << screen.height();
        for (const QWidget* c : window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<const QAbstractButton*>(c) ||
                                 (c->focusPolicy() != Qt::NoFocus && c->isEnabled());
            if (!control || !c->isVisible())
                continue;
            QString why;
            EXPECT_TRUE(reachable(c, &why)) << qPrintable(why);
        }
        window->hide();
    }
}

// A window of fixed design larger than the screen keeps its design inside a
// scroll area: it opens within the screen and its far buttons can be reached.
TEST(ScreenFit, AFixedDesignLargerThanTheScreenScrollsToItsControls)
{
    rw::installDesktopConventions();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize design(screen.width() + 200, screen.height() + 150);
    for (const bool laidOut : {false, true}) {
        SCOPED_TRACE(laidOut ? "laid out" : "placed");
        QDialog window;
        auto* corner = new QPushButton(QStringLiteral("Far"), &window);
        corner->setObjectName(QStringLiteral("far"));
        auto* near = new QPushButton(QStringLiteral("Near"), &window);
        if (laidOut) {
            auto* grid = new QGridLayout(&window);
            grid->addWidget(near, 0, 0);
            grid->addWidget(corner, 1, 1, Qt::AlignRight | Qt::AlignBottom);
        } else {
            near->setGeometry(8, 8, 75, 27);
            corner->setGeometry(design.width() - 83, design.height() - 35, 75, 27);
        }
        window.setFixedSize(design);
        window.show();
        ASSERT_TRUE(XSession::waitForShown(&window));
        QApplication::processEvents();
        EXPECT_TRUE(screen.contains(window.frameGeometry()));
        auto* scroller = window.findChild<QScrollArea*>();
        ASSERT_NE(scroller, nullptr);
        QString why;
        EXPECT_TRUE(reachable(corner, &why)) << qPrintable(why);
        // Scrolled to, the far button takes a click through the window system.
        scroller->ensureWidgetVisible(corner);
        QApplication::processEvents();
        bool clicked = false;
        QObject::connect(corner, &QPushButton::clicked, [&clicked] { clicked = true; });
        XSession::click(corner);
        EXPECT_TRUE(XSession::waitFor([&] { return clicked; }));
        EXPECT_TRUE(near->isVisible());
    }
}

// A window that restores a stored place larger than the screen (a place
// saved on a bigger monitor) is brought back within the screen.
class RestoresALargePlace : public QDialog
{
protected:
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        move(-300, -200);
        resize(3000, 2400);
    }
};

TEST(ScreenFit, AStoredPlaceLargerThanTheScreenIsBroughtBack)
{
    rw::installDesktopConventions();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    RestoresALargePlace window;
    window.show();
    ASSERT_TRUE(XSession::waitForShown(&window));
    EXPECT_TRUE(XSession::waitFor([&] { return screen.contains(window.frameGeometry()); }))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
}
