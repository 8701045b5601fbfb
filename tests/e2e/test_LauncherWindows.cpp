#include <gtest/gtest.h>

#include "app/HelpWindow.h"
#include "base/AppGlobals.h"
#include "launcher/LongLivedWindows.h"
#include "launcher/ProgramWiring.h"
#include "launcher/TfrmMain.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;
using namespace e2e;

// Every launcher button opens its window, in front of the launcher; Esc
// closes it and the launcher takes input again.
TEST(LauncherWindowSystem, EachButtonOpensItsWindowAndEscReturns)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a.txt", 10);
    fb.fileWithContent("roomwise.hlp", "<html><body><a name=\"1\"></a><h1>Help</h1></body></html>");
    fb.mapDrive('D', "tree");
    QDir::setCurrent(fb.path("tree"));
    wireProgram();
    TfrmMain launcher;
    launcher.setProgramFolder(rwtest::fixtureRoot());
    LongLivedWindows longLived;
    launcher.show();
    ASSERT_TRUE(XSession::waitForShown(&launcher));

    const struct {
        const char* button;
        const char* windowClass;
        const char* title;
    } modal[] = {
        {"btDuplicate", "rw::TfrmDup", "Find and delete duplicate files"},
        {"btFileHog", "rw::TfrmDup", "Find and delete file hogs"},
        {"btFiles", "rw::TfrmMods", "Files in a range of dates"},
        {"btDirHogs", "rw::TfrmDirHog", "Folder Hogs"},
        {"btClean", "rw::TfrmClean", "Find and delete temporary files"},
        {"btBrowse", "rw::TfrmBrowse", "Browse through folders"},
        {"btReach", "rw::TfrmAbout", "How to contact us"},
    };
    for (const auto& t : modal) {
        SCOPED_TRACE(t.button);
        QString title;
        QString nameOnScreen;
        bool covers = false;
        onModal(t.windowClass, [&](QDialog& w) {
            title = w.windowTitle();
            // The window system has it in front, where it stands.
            nameOnScreen = XSession::windowNameAt(w.mapToGlobal(w.rect().center()));
            covers = w.frameGeometry().intersects(launcher.frameGeometry());
            XSession::key(&w, {"Escape"});
            EXPECT_TRUE(XSession::waitFor([&] { return !w.isVisible(); }));
        });
        XSession::click(child(launcher, t.button));
        EXPECT_TRUE(rwtest::lastModalHandled());
        EXPECT_EQ(title, t.title);
        if (covers) {
            EXPECT_EQ(nameOnScreen, t.title);
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        if (QString(t.button) == "btFileHog") {
            EXPECT_FALSE(DuplicateMode);
        }
    }

    // "&Statistics" shows the long-lived window beside the launcher; Esc hides it.
    QWidget* statistics = LongLivedWindows::statistics();
    ASSERT_NE(statistics, nullptr);
    XSession::click(child(launcher, "btStatistic"));
    ASSERT_TRUE(XSession::waitForShown(statistics));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    XSession::key(statistics, {"Escape"});
    EXPECT_TRUE(XSession::waitFor([&] { return !statistics->isVisible(); }));

    // "H&elp" opens the help window on the program's help file.
    XSession::click(child(launcher, "btHelp"));
    HelpWindow* help = HelpWindow::current();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(XSession::waitForShown(help));
    EXPECT_EQ(help->windowTitle(), "Roomwise Help");
    delete help;

    // "E&xit" closes the launcher.
    XSession::click(child(launcher, "btClose"));
    EXPECT_TRUE(XSession::waitFor([&] { return !launcher.isVisible(); }));
}
