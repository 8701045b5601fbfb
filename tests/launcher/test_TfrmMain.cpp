#include <gtest/gtest.h>

#include "about/GradientBack.h"
#include "app/HelpWindow.h"
#include "base/AppGlobals.h"
#include "base/SearchPath.h"
#include "framework/WindowHooks.h"
#include "launcher/LongLivedWindows.h"
#include "launcher/ProgramWiring.h"
#include "launcher/TfrmMain.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <QToolTip>

#include <stdexcept>

using rw::TfrmMain;

namespace
{

// Wires the program as start-up does and restores the hooks after each test.
class LauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = rw::windowHooks();
        rw::wireProgram();
        frm = std::make_unique<TfrmMain>();
        frm->setProgramFolder(rwtest::fixtureRoot());
    }
    void TearDown() override
    {
        if (rw::HelpWindow* help = rw::HelpWindow::current())
            delete help;
        frm.reset();
        rw::windowHooks() = m_saved;
    }

    QPushButton* button(const char* name) const { return frm->findChild<QPushButton*>(name); }

    // Clicks `name` and returns the caption of the modal window it opened
    // (closed again at once), or "" when none opened.
    QString captionOfModalFrom(const char* name)
    {
        QString caption;
        rwtest::onNextModal([&](QWidget* w) {
            caption = w->windowTitle();
            w->close();
        });
        button(name)->click();
        return caption;
    }

    std::unique_ptr<TfrmMain> frm;

private:
    rw::WindowHooks m_saved;
};

TEST_F(LauncherTest, WindowFrame)
{
    EXPECT_EQ(frm->windowTitle(), "Roomwise '95 Version 2.7");
    EXPECT_EQ(frm->size(), QSize(546, 413));
    EXPECT_EQ(frm->minimumSize(), frm->maximumSize());
    EXPECT_FALSE(frm->windowFlags() & Qt::WindowMaximizeButtonHint);
    auto* back = frm->findChild<rw::TGradientBack*>("GradientBack1");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->geometry(), frm->rect());
}

struct PanelRow {
    const char* button;
    int top;
    const char* caption;
    const char* label;
};

const PanelRow kPanels[] = {
    {"btDuplicate", 9, "&Duplicate files", "Locate and view duplicate files"},
    {"btFileHog", 60, "&File hogs", "Locate and view file hogs (large files)"},
    {"btFiles", 111, "Files &accessed", "Files accessed within a range of dates"},
    {"btDirHogs", 163, "Folder &hogs", "Displays large folders"},
    {"btClean", 214, "&Quick clean", "Cleans up temporary files"},
    {"btStatistic", 265, "&Statistics", "File/disk statistics"},
    {"btBrowse", 316, "&Browse", "Browse through files and folders"},
};

TEST_F(LauncherTest, ToolPanels)
{
    for (const PanelRow& row : kPanels) {
        SCOPED_TRACE(row.button);
        QPushButton* b = button(row.button);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->text(), row.caption);
        EXPECT_EQ(b->geometry(), QRect(7, 6, 185, 28));
        QWidget* panel = b->parentWidget();
        EXPECT_EQ(panel->geometry(), QRect(22, row.top, 502, 40));
        const QList<QLabel*> labels = panel->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels[0]->text(), row.label);
        EXPECT_EQ(labels[0]->pos(), QPoint(216, 12));
        EXPECT_EQ(labels[0]->font().pixelSize(), 13);
        EXPECT_TRUE(labels[0]->font().bold());
        EXPECT_EQ(labels[0]->font().families().value(0), "Arial");
    }
}

TEST_F(LauncherTest, BottomButtonsAndTabOrder)
{
    const struct {
        const char* name;
        const char* caption;
        int left;
    } bottom[] = {{"btReach", "Ab&out", 152}, {"btHelp", "H&elp", 283}, {"btClose", "E&xit", 413}};
    for (const auto& b : bottom) {
        ASSERT_TRUE(button(b.name));
        EXPECT_EQ(button(b.name)->text(), b.caption);
        EXPECT_EQ(button(b.name)->geometry(), QRect(b.left, 374, 111, 28));
    }
    EXPECT_EQ(button("btClose")->toolTip(), "Quit and close ");

    QStringList order;
    QWidget* w = button("btDuplicate");
    for (int i = 0; i < 10; ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
    }
    EXPECT_EQ(order, (QStringList{"btDuplicate", "btFileHog", "btFiles", "btDirHogs", "btClean",
                                  "btStatistic", "btBrowse", "btReach", "btHelp", "btClose"}));
}

TEST_F(LauncherTest, AltOOpensTheAboutWindow)
{
    frm->show();
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    QString caption;
    rwtest::onNextModal([&](QWidget* w) {
        caption = w->windowTitle();
        w->close();
    });
    QTest::keyClick(frm.get(), Qt::Key_O, Qt::AltModifier);
    // A mnemonic presses the button with a short animation before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([] { return rwtest::lastModalHandled(); }, 3000));
    EXPECT_EQ(caption, "How to contact us");
    // Destroyed after its modal loop.
    EXPECT_TRUE(frm->findChildren<QDialog*>().isEmpty());
}

TEST_F(LauncherTest, HintsAreYellow)
{
    frm->show();
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 255, 0));
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1000);
}

TEST_F(LauncherTest, DuplicateAndFileHogOpenFreshFindersInTheirMode)
{
    struct Opened {
        bool globalMode;
        bool argument;
        QPointer<QDialog> window;
    };
    QList<Opened> opened;
    rw::windowHooks().dupWindow = [&](QWidget* owner, bool mode) {
        auto d = std::make_unique<QDialog>(owner);
        opened.append({rw::DuplicateMode, mode, d.get()});
        return d;
    };
    rw::DuplicateMode = false;
    captionOfModalFrom("btDuplicate");
    captionOfModalFrom("btFileHog");
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].globalMode);
    EXPECT_TRUE(opened[0].argument);
    EXPECT_FALSE(opened[1].globalMode);
    EXPECT_FALSE(opened[1].argument);
    EXPECT_TRUE(opened[0].window.isNull());
    EXPECT_TRUE(opened[1].window.isNull());
}

TEST_F(LauncherTest, EachButtonOpensItsWiredToolWindow)
{
    const struct {
        const char* button;
        const char* caption;
    } tools[] = {{"btDuplicate", "Find and delete duplicate files"},
                 {"btFileHog", "Find and delete file hogs"},
                 {"btFiles", "Files in a range of dates"},
                 {"btDirHogs", "Folder Hogs"},
                 {"btClean", "Find and delete temporary files"},
                 {"btBrowse", "Browse through folders"}};
    for (const auto& t : tools)
        EXPECT_EQ(captionOfModalFrom(t.button), t.caption);
    EXPECT_TRUE(frm->findChildren<QDialog*>().isEmpty());
}

// A tool window that fails while it is up.
class FailingWindow : public QDialog
{
public:
    using QDialog::QDialog;
    int exec() override { throw std::runtime_error("Scan failed"); }
};

TEST_F(LauncherTest, AFailingToolWindowIsDestroyedAndItsErrorShown)
{
    QPointer<QDialog> made;
    rw::windowHooks().modsWindow = [&](QWidget* owner) -> std::unique_ptr<QDialog> {
        auto d = std::make_unique<FailingWindow>(owner);
        made = d.get();
        return d;
    };
    rw::windowHooks().cleanWindow = [](QWidget*) -> std::unique_ptr<QDialog> {
        throw std::runtime_error("Cannot build window");
    };
    auto& responder = rwtest::ScriptedResponder::instance();
    button("btFiles")->click();
    EXPECT_TRUE(made.isNull());
    button("btClean")->click();
    EXPECT_EQ(responder.texts(), (QStringList{"Scan failed", "Cannot build window"}));
    EXPECT_EQ(responder.entries().value(0).kind, rw::MessageKind::Error);
    EXPECT_TRUE(frm->findChildren<QDialog*>().isEmpty());
}

TEST_F(LauncherTest, StatisticsShowsTheLongLivedWindowModelessly)
{
    rw::LongLivedWindows windows;
    QWidget* statistics = rw::LongLivedWindows::statistics();
    ASSERT_TRUE(statistics);
    EXPECT_TRUE(statistics->windowTitle().startsWith("File Statistics")) << "the real window";
    EXPECT_FALSE(statistics->isVisible());
    button("btStatistic")->click();
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(LongLivedWindows, CreatedInOrderAndReachableWhileTheyLive)
{
    const rw::WindowHooks saved = rw::windowHooks();
    QStringList made;
    auto factory = [&](const QString& name) {
        return [&made, name] {
            made << name;
            auto w = std::make_unique<QWidget>();
            w->setObjectName(name);
            return w;
        };
    };
    rw::windowHooks().statisticsWindow = factory("statistics");
    rw::windowHooks().findDialog = factory("find");
    rw::windowHooks().dupCompareWindow = factory("compare");
    {
        rw::LongLivedWindows windows;
        EXPECT_EQ(made, (QStringList{"statistics", "find", "compare"}));
        EXPECT_EQ(rw::LongLivedWindows::statistics()->objectName(), "statistics");
        EXPECT_EQ(rw::LongLivedWindows::findDialog()->objectName(), "find");
        EXPECT_EQ(rw::LongLivedWindows::dupCompare()->objectName(), "compare");
        EXPECT_FALSE(rw::LongLivedWindows::statistics()->isVisible());
    }
    EXPECT_EQ(rw::LongLivedWindows::statistics(), nullptr);
    EXPECT_EQ(rw::LongLivedWindows::dupCompare(), nullptr);
    rw::windowHooks() = saved;
}

TEST_F(LauncherTest, HelpOpensTheHelpFileBesideTheProgramAtTopicOne)
{
    const QString file = rwtest::FixtureBuilder().fileWithContent(
        "roomwise.hlp", "<html><body><a name=\"1\"></a><h1>Guide</h1><p>Text</p></body></html>");
    button("btHelp")->click();
    EXPECT_EQ(frm->helpFile(), file);
    rw::HelpWindow* help = rw::HelpWindow::current();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source().toLocalFile(), file);
    EXPECT_TRUE(help->browser()->toPlainText().contains("Guide"));
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST_F(LauncherTest, HelpOpensTheInstalledHelpFileUnderShareRoomwise)
{
    // An installed tree: <prefix>/bin holds the program, <prefix>/share/roomwise the help.
    const QString prefix = rwtest::fixtureRoot() + "/prefix";
    QDir().mkpath(prefix + "/bin");
    const QString file = rwtest::FixtureBuilder().fileWithContent(
        "prefix/share/roomwise/roomwise.hlp",
        "<html><body><a name=\"1\"></a><h1>Installed</h1></body></html>");
    frm->setProgramFolder(prefix + "/bin");
    button("btHelp")->click();
    EXPECT_EQ(frm->helpFile(), file);
    rw::HelpWindow* help = rw::HelpWindow::current();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->browser()->toPlainText().contains("Installed"));
}

TEST_F(LauncherTest, AMissingHelpFileIsReported)
{
    // No installed copy on this machine may stand in for the missing one.
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", (rwtest::testRoot() + "/none").toLocal8Bit());
    button("btHelp")->click();
    if (saved.isNull())
        qunsetenv("XDG_DATA_DIRS");
    else
        qputenv("XDG_DATA_DIRS", saved);
    EXPECT_EQ(rw::HelpWindow::current(), nullptr);
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{"Cannot find the help file " + rwtest::fixtureRoot() + "/roomwise.hlp."});
}

TEST_F(LauncherTest, ExitClosesTheLauncher)
{
    frm->show();
    QSignalSpy closed(frm.get(), &TfrmMain::closed);
    button("btClose")->click();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST(Launcher, SearchPathIsBuiltWhenTheLauncherIsCreated)
{
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", "/opt/rw/bin:/usr/bin:");
    TfrmMain frm;
    qputenv("PATH", saved);
    EXPECT_EQ(frm.lb1(), (QStringList{"/OPT/RW/BIN", "/USR/BIN", "/USR/LIB", "/ETC"}));
    EXPECT_TRUE(frm.IsOnSearchPath("/opt/rw/bin"));
    EXPECT_FALSE(frm.IsOnSearchPath("/opt/rw/bin/"));
    // The cleaner asks the same list.
    EXPECT_TRUE(rw::IsOnSearchPath("/usr/bin"));
    EXPECT_FALSE(rw::IsOnSearchPath("/usr/local/bin"));
}

} // namespace
