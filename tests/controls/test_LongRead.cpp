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

TEST(LongRead, WorkOnAHelperThreadKeepsTheWindowsEventsRunningAndStopsOnCancel)
{
    QWidget window;
    window.show();
    CancelWhenShown canceller(&window);
    bool workOnOtherThread = false;
    std::int64_t reports = 0;
    LongRead read(&window, QStringLiteral("Looking for strings"));
    const bool done = read.runOffThread([&](const rw::ReadProgress& progress) {
        workOnOtherThread = QThread::currentThread() != window.thread();
        for (;; ++reports) {
            QThread::msleep(1);
            if (!progress(reports, 1000000))
                return true; // stopped from outside
        }
    });
    EXPECT_FALSE(done) << "a cancelled read is no finished one";
    EXPECT_TRUE(read.cancelled());
    EXPECT_TRUE(workOnOtherThread);
    EXPECT_TRUE(canceller.sawBox);
    EXPECT_GT(canceller.ticks, 10);

    // Work that ends by itself gives its own result.
    LongRead quick(&window, QStringLiteral("Quick"));
    EXPECT_TRUE(
        quick.runOffThread([](const rw::ReadProgress& progress) { return progress(1, 1); }));
    EXPECT_FALSE(quick.cancelled());
}
