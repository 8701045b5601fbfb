#include <gtest/gtest.h>

#include "about/Animated.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using rw::TAnimated;

namespace
{

struct FrameCase {
    int set;
    int expected;
};

void PrintTo(const FrameCase& c, std::ostream* os)
{
    *os << "frame " << c.set;
}

class AnimatedFrame : public ::testing::TestWithParam<FrameCase>
{
};

TEST_P(AnimatedFrame, WrapsIntoTheStrip)
{
    TAnimated a;
    a.setFrameCount(5);
    a.setFrame(GetParam().set);
    EXPECT_EQ(a.frame(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, AnimatedFrame,
                         ::testing::Values(FrameCase{-1, 4}, FrameCase{-7, 4}, FrameCase{7, 2},
                                           FrameCase{5, 0}, FrameCase{3, 3}));

TEST(Animated, ChangeFrameOnlyOnARealChange)
{
    TAnimated a;
    a.setFrameCount(5);
    QSignalSpy spy(&a, &TAnimated::changeFrame);
    a.setFrame(2);
    EXPECT_EQ(spy.count(), 1);
    a.setFrame(2);
    a.setFrame(7); // also frame 2
    EXPECT_EQ(spy.count(), 1);
    a.setFrame(0);
    EXPECT_EQ(spy.count(), 2);
}

struct StepCase {
    bool reverse;
    bool loop;
    int start;
    int after;
    bool playing;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << (c.reverse ? "reverse" : "forward") << (c.loop ? " loop" : "") << " from " << c.start;
}

class AnimatedStep : public ::testing::TestWithParam<StepCase>
{
};

TEST_P(AnimatedStep, StopsAtTheEndUnlessLooping)
{
    const StepCase& c = GetParam();
    TAnimated a;
    a.setFrameCount(5);
    a.setInterval(1000);
    a.setFrame(c.start);
    a.setReverse(c.reverse);
    a.setLoop(c.loop);
    a.setPlay(true);
    a.step();
    EXPECT_EQ(a.frame(), c.after);
    EXPECT_EQ(a.play(), c.playing);
    EXPECT_EQ(a.timerRunning(), c.playing);
}

INSTANTIATE_TEST_SUITE_P(Values, AnimatedStep,
                         ::testing::Values(
                             // forward without loop stops on the last frame
                             StepCase{false, false, 3, 4, false},
                             StepCase{false, false, 2, 3, true},
                             // reverse without loop stops on frame 0
                             StepCase{true, false, 1, 0, false}, StepCase{true, false, 3, 2, true},
                             // looping wraps both ways and goes on
                             StepCase{false, true, 4, 0, true}, StepCase{true, true, 0, 4, true},
                             StepCase{false, true, 3, 4, true}, StepCase{true, true, 1, 0, true}));

TEST(Animated, ZeroIntervalPausesAndAPositiveOneResumes)
{
    TAnimated a;
    a.setPlay(true);
    EXPECT_FALSE(a.timerRunning()); // no interval yet
    a.setInterval(100);
    EXPECT_TRUE(a.timerRunning());
    a.setInterval(0);
    EXPECT_FALSE(a.timerRunning());
    EXPECT_TRUE(a.play());
    a.setInterval(50);
    EXPECT_TRUE(a.timerRunning());
    a.setPlay(false);
    EXPECT_FALSE(a.timerRunning());
}

TEST(Animated, TimerStepsTheFrames)
{
    TAnimated a;
    a.setFrameCount(3);
    a.setInterval(5);
    QSignalSpy spy(&a, &TAnimated::changeFrame);
    a.setPlay(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() >= 3; }, 2000));
}

TEST(Animated, BitmapSetsTheHeight)
{
    TAnimated a;
    EXPECT_EQ(a.size(), QSize(30, 30));
    a.setBitMap(QPixmap(64, 20));
    EXPECT_EQ(a.height(), 20);
    a.setBitMap(QPixmap());
    EXPECT_EQ(a.height(), 30);
}

// A strip of two 4 x 4 frames: frame 0 red, frame 1 green with a magenta
// top-left pixel.
QPixmap twoFrameStrip()
{
    QImage img(8, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            img.setPixelColor(x, y, Qt::green);
    img.setPixelColor(4, 0, QColor(255, 0, 255));
    return QPixmap::fromImage(img);
}

TEST(Animated, PaintsTheCurrentFrameWithTransparentPixelsInItsColour)
{
    TAnimated a;
    a.resize(4, 4);
    a.setBitMap(twoFrameStrip());
    a.setFrameCount(2);
    a.setColor(Qt::blue);
    EXPECT_EQ(a.grab().toImage().pixelColor(1, 1), QColor(Qt::red));

    a.setFrame(1);
    QImage shown = a.grab().toImage();
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 255));

    a.setTransparentColor(QColor(255, 0, 255));
    shown = a.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(Qt::green));
}

TEST(Animated, NoBitmapPaintsWhite)
{
    TAnimated a;
    EXPECT_EQ(a.grab().toImage().pixelColor(15, 15), QColor(Qt::white));
}

} // namespace
