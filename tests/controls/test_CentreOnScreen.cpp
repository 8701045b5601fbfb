#include <gtest/gtest.h>

#include <QScreen>
#include <QWidget>

#include "controls/CentreOnScreen.h"

using namespace rw;

TEST(CentreOnScreen, FrameStandsInTheMiddleOfTheAvailableArea)
{
    for (const QSize size : {QSize(300, 200), QSize(641, 479)}) {
        QWidget w;
        w.resize(size);
        w.move(0, 0);
        centreOnScreen(&w);
        const QScreen* screen = w.screen();
        ASSERT_NE(screen, nullptr);
        const QPoint off = w.frameGeometry().center() - screen->availableGeometry().center();
        EXPECT_LE(off.manhattanLength(), 1) << size.width();
        EXPECT_EQ(w.size(), size);
    }
    centreOnScreen(nullptr); // no window: nothing moves, nothing breaks
}
