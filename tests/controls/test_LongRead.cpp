#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "controls/LongRead.h"

using rw::LongRead;

namespace
{

// Presses the progress box's Cancel once it shows; counts the checks.
struct CancelWhenShown {
    QWidget* window;
    int ticks = 0;
    bool sawHourglass = false;
    bool sawBox = false;
    QTimer timer;

    explicit CancelWhenShown(QWidget* w) : window(w)
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            ++ticks;
            sawHourglass =
                sawHourglass || (QApplication::overrideCursor() &&
                                 QApplication::overrideCursor()->shape() == Qt::WaitCursor);
            auto* box = window->findChild<QProgressDialog*>(QStringLiteral("LongReadProgress"));
            if (box && box->isVisible()) {
                sawBox = true;
                box->findChild<QPushButton*>()->click();
            }
        });
        timer.start();
    }
};

} // namespace

TEST(LongRead, WorkInSlicesShowsTheHourglassAndABoxWhoseCancelStopsIt)
{
    QWidget window;
    window.show();
    CancelWhenShown canceller(&window);
    int slices = 0;
    bool stopped = false;
    {
        LongRead read(&window, QStringLiteral("Counting lines..."));
        EXPECT_EQ(LongRead::current(), &read);
        // Endless work: only Cancel ends it (the test's timeout otherwise).
        for (;; ++slices) {
            QThread::msleep(1);
            if (!read.step(slices, 1000000)) {
                stopped = true;
                break;
            }
        }
        EXPECT_TRUE(read.cancelled());
    }
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(canceller.sawHourglass);
    EXPECT_TRUE(canceller.sawBox);
    EXPECT_GT(canceller.ticks, 10) << "the events ran while the work went on";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(LongRead::current(), nullptr);
}
