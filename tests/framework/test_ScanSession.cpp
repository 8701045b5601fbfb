#include "framework/ScanSession.h"

#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace
{

struct Window {
    QWidget window;
    QPushButton* abort = new QPushButton("&Abort", &window);
    QPushButton* start = new QPushButton("&Start", &window);
    QPushButton* print = new QPushButton("&Print", &window);
    QLabel* status = new QLabel(&window);
    QWidget* grid = new QWidget(&window);

    Window()
    {
        abort->hide();
        print->setEnabled(false);
        window.show();
    }
};

TEST(ScanSession, RunDisablesControlsShowsAbortAndRestoresAfterwards)
{
    Window w;
    rw::ScanSession session(&w.window, w.abort, w.status, w.grid);
    session.setDisabledDuringRun({w.start, w.print});
    {
        rw::ScanSession::Run run(session);
        EXPECT_TRUE(session.isRunning());
        EXPECT_FALSE(w.start->isEnabled());
        EXPECT_FALSE(w.print->isEnabled());
        EXPECT_TRUE(w.abort->isVisible());
        EXPECT_EQ(w.grid->cursor().shape(), Qt::WaitCursor);
    }
    EXPECT_FALSE(session.isRunning());
    EXPECT_TRUE(w.start->isEnabled());
    EXPECT_FALSE(w.print->isEnabled()); // had been disabled before the run
    EXPECT_FALSE(w.abort->isVisible());
    EXPECT_NE(w.grid->cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST(ScanSession, AbortClickSetsTheFlagHidesTheButtonAndWarns)
{
    Window w;
    rw::ScanSession session(&w.window, w.abort, w.status, w.grid);
    int signalled = 0;
    QObject::connect(&session, &rw::ScanSession::abortClicked, [&] { ++signalled; });
    session.begin();
    EXPECT_FALSE(session.aborted());
    w.abort->click();
    EXPECT_TRUE(session.aborted());
    EXPECT_TRUE(session.abortFlag());
    EXPECT_FALSE(w.abort->isVisible());
    EXPECT_EQ(signalled, 1);
    auto& responder = rwtest::ScriptedResponder::instance();
    ASSERT_EQ(responder.entries().size(), 1);
    EXPECT_EQ(responder.entries()[0].kind, rw::MessageKind::Warning);
    EXPECT_EQ(responder.entries()[0].text, "LIST INCOMPLETE ... ABORTED BY USER");
    session.end();
    // A new run starts with the flag cleared.
    session.begin();
    EXPECT_FALSE(session.aborted());
    session.end();
}

TEST(ScanSession, OwnAbortNoticeReplacesTheWarning)
{
    Window w;
    rw::ScanSession session(&w.window, w.abort, w.status);
    QString shown;
    session.setAbortNotice([&] { shown = QStringLiteral("plain"); });
    session.begin();
    w.abort->click();
    session.end();
    EXPECT_EQ(shown, "plain");
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST(ScanSession, ProgressShowsTheFolderAndLetsTheAbortClickIn)
{
    Window w;
    rw::ScanSession session(&w.window, w.abort, w.status);
    session.setAbortNotice([] {});
    session.begin();
    rw::WalkFolder folder;
    folder.path = QByteArray("/data/\xc3\xa4rger");
    // A click waiting in the event queue arrives through the callback.
    QMetaObject::invokeMethod(w.abort, &QPushButton::click, Qt::QueuedConnection);
    session.progressCallback()(folder);
    EXPECT_EQ(w.status->text(), QString::fromUtf8("/data/ärger"));
    EXPECT_TRUE(session.aborted());

    session.setStatusFormatter(
        [](const rw::WalkFolder& f) { return "Processing : " + f.displayPath(); });
    QString sunk;
    session.setStatusSink([&](const QString& t) { sunk = t; });
    session.progressCallback()(folder);
    EXPECT_EQ(sunk, QString::fromUtf8("Processing : /data/ärger"));
    session.end();
}

TEST(ScanSession, WindowCannotBeClosedDuringARun)
{
    Window w;
    rw::ScanSession session(&w.window, w.abort, w.status);
    session.begin();
    EXPECT_FALSE(w.window.close());
    EXPECT_TRUE(w.window.isVisible());
    session.end();
    EXPECT_TRUE(w.window.close());
}

} // namespace
