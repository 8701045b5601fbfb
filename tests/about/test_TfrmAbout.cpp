#include <gtest/gtest.h>

#include "about/Animated.h"
#include "about/GotoWebPage.h"
#include "about/GradientBack.h"
#include "about/TfrmAbout.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace
{

TEST(TfrmAbout, Layout)
{
    rw::TfrmAbout about;
    EXPECT_EQ(about.windowTitle(), "How to contact us");
    EXPECT_EQ(about.size(), QSize(420, 312));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());

    auto* back = about.findChild<rw::TGradientBack*>("GradientBack1");
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->isAllBlue());
    EXPECT_EQ(back->geometry(), about.rect());

    auto* product = about.findChild<QLabel*>("ProductName");
    ASSERT_TRUE(product);
    EXPECT_EQ(product->text(), "ROOMWISE '95");
    EXPECT_TRUE(product->font().bold());
    auto* version = about.findChild<QLabel*>("Label6");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->text(), "Version 2.7 (32 bits)");
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(0, 0, 128));

    auto* ok = about.findChild<QPushButton*>("OKButton");
    auto* web = about.findChild<QPushButton*>("btWeb");
    ASSERT_TRUE(ok && web);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(web->text(), rw::makerName() + " Home Page");
    EXPECT_EQ(web->toolTip(), "Launch your browser to " + rw::makerName() + " Home Page");
}

TEST(TfrmAbout, AnimationsPlayFromTheStart)
{
    rw::TfrmAbout about;
    rw::TAnimated* left = about.animated1();
    rw::TAnimated* right = about.animated2();
    ASSERT_TRUE(left && right);
    // Left of the name, and the right one to its right.
    auto* product = about.findChild<QLabel*>("ProductName");
    EXPECT_LT(left->geometry().right(), product->geometry().left());
    EXPECT_GT(right->geometry().left(), product->geometry().right());

    struct Expect {
        rw::TAnimated* control;
        int interval, frame;
        bool reverse;
    };
    for (const Expect& e : {Expect{left, 260, 3, false}, Expect{right, 250, 0, true}}) {
        EXPECT_EQ(e.control->size(), QSize(32, 32));
        EXPECT_EQ(e.control->frameCount(), 5);
        EXPECT_EQ(e.control->bitMap().size(), QSize(160, 32));
        EXPECT_EQ(e.control->interval(), e.interval);
        EXPECT_EQ(e.control->frame(), e.frame);
        EXPECT_EQ(e.control->reverse(), e.reverse);
        EXPECT_TRUE(e.control->play());
        EXPECT_TRUE(e.control->timerRunning());
    }
}

TEST(TfrmAbout, OkClosesAndFocusStartsOnIt)
{
    rw::TfrmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto* ok = about.findChild<QPushButton*>("OKButton");
    EXPECT_EQ(about.focusWidget(), ok);
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST(TfrmAbout, HomePageButtonUsesTheShortcutFolder)
{
    QList<QUrl> opened;
    rw::setUrlOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    rw::TfrmAbout about;
    about.setShortcutFolder(rwtest::fixtureRoot());
    about.findChild<QPushButton*>("btWeb")->click();
    rw::setUrlOpener({});
    EXPECT_TRUE(QFile::exists(rwtest::fixtureRoot() + "/ZEPHRA.URL"));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(rw::homePageAddress())});
}

} // namespace
