#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <stdexcept>

#include "app/WinPlace.h"
#include "base/PlacementValue.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

namespace
{

QString entry(const QString& file, const QString& section, const QString& id)
{
    return ProfileFile(file).readString(section, id, QStringLiteral("<none>"));
}

// A window with its placement component set up the way the tool windows do.
struct Placed {
    QWidget window;
    TWinPlace* place;
    Placed()
    {
        window.setObjectName(QStringLiteral("frmMods"));
        place = new TWinPlace(&window);
        place->setIniFileName(QStringLiteral("roomwse.ini"));
        place->setSection(QStringLiteral("frmDups"));
    }
};

} // namespace

TEST(TWinPlace, DefaultsAndProfileFolder)
{
    QWidget w;
    TWinPlace place(&w);
    EXPECT_EQ(place.iniFileName(), "WinPlace.INI");
    EXPECT_EQ(place.section(), QCoreApplication::applicationFilePath());
    EXPECT_EQ(place.delimiter(), " ");
    w.setObjectName(QStringLiteral("frmBrowse"));
    EXPECT_EQ(place.identifier(), "frmBrowse") << "a name given later still counts";

    w.setGeometry(10, 20, 200, 100);
    ASSERT_TRUE(place.savePlacement());
    EXPECT_TRUE(QFile::exists(rwtest::testRoot() + "/config/roomwise/WinPlace.INI"));
}

TEST(TWinPlace, HidingSavesTenNumbersUnderSectionAndIdentifier)
{
    Placed p;
    p.window.setGeometry(100, 120, 300, 200);
    p.window.show();
    const QRect frame = p.window.frameGeometry();
    p.window.hide();
    const QString expected = QStringLiteral("0 1 -1 -1 -1 -1 %1 %2 %3 %4 ")
                                 .arg(frame.left())
                                 .arg(frame.top())
                                 .arg(frame.left() + frame.width())
                                 .arg(frame.top() + frame.height());
    QFile f(rwtest::settingsFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // The trailing delimiter is in the file; a profile read trims it away.
    EXPECT_EQ(f.readAll(), "[frmDups]\nfrmMods=" + expected.toUtf8() + "\n");
}

TEST(TWinPlace, CustomDelimiterAndSeparateProfile)
{
    Placed p;
    p.place->setIniFileName(QStringLiteral("roomws95"));
    p.place->setDelimiter(QStringLiteral(","));
    p.window.setGeometry(5, 6, 70, 80);
    ASSERT_TRUE(p.place->savePlacement());
    const QString file = rwtest::testRoot() + "/config/roomwise/roomws95";
    EXPECT_TRUE(entry(file, "frmDups", "frmMods").startsWith("0,1,-1,-1,-1,-1,"));
    EXPECT_TRUE(entry(file, "frmDups", "frmMods").endsWith(","));
    EXPECT_EQ(entry(rwtest::settingsFilePath(), "frmDups", "frmMods"), "<none>");
}

TEST(TWinPlace, RestoreAppliesOnlyAUsableRectangle)
{
    Placed p;
    p.window.setGeometry(10, 10, 100, 100);
    ProfileFile ini(QStringLiteral("roomwse.ini"));
    ASSERT_TRUE(ini.writeString("frmDups", "frmMods", "0 1 -1 -1 -1 -1 50 60 450 360 "));
    ASSERT_TRUE(p.place->restorePlacement());
    const int frameW = p.window.frameGeometry().width() - p.window.width();
    const int frameH = p.window.frameGeometry().height() - p.window.height();
    EXPECT_EQ(p.window.pos(), QPoint(50, 60));
    EXPECT_EQ(p.window.size(), QSize(400 - frameW, 300 - frameH));

    for (const char* damaged : {"0 1 -1 -1 -1 -1 500 60 450 360 ", "0 0 0 0 0 0 0 0 0 0 ",
                                "0 1 -1 -1 -1 -1 50 60", "garbage"}) {
        ASSERT_TRUE(ini.writeString("frmDups", "frmMods", damaged));
        EXPECT_FALSE(p.place->restorePlacement()) << damaged;
        EXPECT_EQ(p.window.pos(), QPoint(50, 60)) << damaged;
    }
}

TEST(TWinPlace, NewWindowIsCentred)
{
    Placed p;
    p.window.resize(200, 100);
    p.window.move(0, 0);
    EXPECT_FALSE(p.place->centreIfNew());
    QScreen* screen = p.window.screen() ? p.window.screen() : QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_LE((p.window.frameGeometry().center() - screen->availableGeometry().center())
                  .manhattanLength(),
              2);

    ASSERT_TRUE(p.place->savePlacement());
    p.window.move(0, 0);
    EXPECT_TRUE(p.place->centreIfNew());
    EXPECT_EQ(p.window.pos(), QPoint(0, 0)) << "a window with an entry keeps its place";
}

TEST(TWinPlace, AttachSetsTheEntryAndCentresANewWindow)
{
    QWidget window;
    window.resize(200, 100);
    window.move(0, 0);
    TWinPlace* place = TWinPlace::attach(&window, QStringLiteral("roomwse.ini"),
                                         QStringLiteral("frmProbe"), QStringLiteral("frmDups"));
    EXPECT_EQ(place->parent(), &window);
    EXPECT_EQ(place->iniFileName(), "roomwse.ini");
    EXPECT_EQ(place->identifier(), "frmProbe");
    EXPECT_EQ(place->section(), "frmDups");
    EXPECT_NE(window.pos(), QPoint(0, 0));

    // Without a section the profile's default one stays.
    QWidget other;
    EXPECT_EQ(TWinPlace::attach(&other, QStringLiteral("roomwse.ini"), QStringLiteral("frmProbe"))
                  ->section(),
              TWinPlace(&other).section());
}

TEST(TWinPlace, DamagedEntryIsNotAppliedAndTheWindowOpensCentred)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    ProfileFile ini(QStringLiteral("roomwse.ini"));
    for (const char* damaged :
         {"0 0 0 0 0 0 0 0 0 0 ", "0 1 -1 -1 -1 -1 310 232 ", "0,1,-1,-1,-1,-1,310,232,950,710,"}) {
        ASSERT_TRUE(ini.writeString("frmDups", "frmMods", damaged));
        Placed p;
        p.window.resize(200, 100);
        p.window.move(0, 0);
        EXPECT_FALSE(p.place->centreIfNew()) << damaged;
        EXPECT_LE((p.window.frameGeometry().center() - screen->availableGeometry().center())
                      .manhattanLength(),
                  2)
            << damaged;
        const QPoint centred = p.window.pos();
        EXPECT_FALSE(p.place->restorePlacement()) << damaged;
        EXPECT_EQ(p.window.pos(), centred) << damaged;
        p.place->setSaveOnDestroy(false);
    }
}

TEST(TWinPlace, MinimisedWindowIsStoredWhenDestroyedAndRestoredMinimised)
{
    QRect normalFrame;
    {
        Placed p;
        p.window.setGeometry(30, 40, 200, 100);
        p.window.show();
        normalFrame = p.window.frameGeometry();
        p.window.showMinimized();
        QCoreApplication::processEvents();
        if (!p.window.isMinimized())
            GTEST_SKIP() << "the window system does not minimise";
    } // destroyed while minimised
    const PlacementValue v = PlacementValue::fromText(
        ProfileFile(QStringLiteral("roomwse.ini")).readString("frmDups", "frmMods"));
    EXPECT_EQ(v.showState, 2);
    EXPECT_EQ(QRect(QPoint(v.left, v.top), QPoint(v.right - 1, v.bottom - 1)), normalFrame);

    Placed again;
    again.window.setGeometry(0, 0, 50, 50);
    ASSERT_TRUE(again.place->restorePlacement());
    EXPECT_TRUE(again.window.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(again.window.pos(), normalFrame.topLeft());
    again.place->setSaveOnDestroy(false);
}

TEST(TWinPlace, NoWindowMeansNoPlacement)
{
    TWinPlace place(nullptr);
    place.setIniFileName(QStringLiteral("roomwse.ini"));
    try {
        place.savePlacement();
        FAIL() << "expected an error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "TWinPlace: Unable to retrieve window placement");
    }
    EXPECT_FALSE(QFile::exists(rwtest::settingsFilePath())) << "nothing is written";
    EXPECT_FALSE(place.restorePlacement());
}

TEST(TWinPlace, SaveOnHideCanBeTurnedOff)
{
    Placed p;
    p.place->setSaveOnDestroy(false);
    p.window.show();
    p.window.hide();
    EXPECT_EQ(entry(rwtest::settingsFilePath(), "frmDups", "frmMods"), "<none>");
}

TEST(TWinPlace, MaximisedWindowStoresItsNormalFrame)
{
    Placed p;
    p.window.setGeometry(30, 40, 200, 100);
    p.window.show();
    const QRect normalFrame = p.window.frameGeometry();
    p.window.showMaximized();
    QCoreApplication::processEvents();
    if (!p.window.isMaximized())
        GTEST_SKIP() << "the window system does not maximise";
    ASSERT_TRUE(p.place->savePlacement());
    const PlacementValue v = PlacementValue::fromText(
        ProfileFile(QStringLiteral("roomwse.ini")).readString("frmDups", "frmMods"));
    EXPECT_EQ(v.showState, 3);
    EXPECT_EQ(QRect(QPoint(v.left, v.top), QPoint(v.right - 1, v.bottom - 1)), normalFrame);
}
