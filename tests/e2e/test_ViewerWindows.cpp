#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "controls/FileViewer.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XSession.h"
#include "viewer/TfrmView.h"

using namespace rw;
using rwtest::XSession;

namespace
{

// Opens the viewer on `path` the way every "View" command does (a modal
// loop) and runs `drive` inside it; the viewer is closed afterwards.
void runViewer(const QByteArray& path, const std::function<void(TfrmView&)>& drive)
{
    TfrmView view;
    view.setFilePath(path);
    QTimer::singleShot(0, &view, [&view, &drive] {
        XSession::waitFor([&view] { return view.isVisible() && view.windowHandle()->isExposed(); });
        drive(view);
        if (view.isVisible())
            view.done(QDialog::Rejected);
    });
    view.exec();
}

// Presses the left button at one point of `widget` and lets it go at
// another, through the X server, with the pointer moving in between.
void drag(const QWidget* widget, QPoint from, QPoint to)
{
    XSession::settle(50);
    const QPoint a = widget->mapToGlobal(from);
    const QPoint b = widget->mapToGlobal(to);
    const QPoint mid = (a + b) / 2;
    QProcess p;
    p.start(QStringLiteral("xdotool"),
            {"mousemove", QString::number(a.x()), QString::number(a.y()), "mousedown", "1", "sleep",
             "0.05", "mousemove", QString::number(mid.x()), QString::number(mid.y()), "sleep",
             "0.05", "mousemove", QString::number(b.x()), QString::number(b.y()), "sleep", "0.05",
             "mouseup", "1"});
    while (p.state() != QProcess::NotRunning && !p.waitForFinished(10))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    XSession::settle();
}

// The x at which the viewer draws column `n` of a line: its 2-pixel margin
// plus the advance of the text before the column in the viewer's font.
qreal drawnX(const FileViewer& viewer, const QString& line, int n)
{
    return 2 + QFontMetricsF(viewer.fixedFont()).horizontalAdvance(line.left(n));
}

QByteArray numberedLines(int from, int to)
{
    QByteArray data;
    for (int i = from; i < to; ++i)
        data += "line " + QByteArray::number(i) + " of the log\n";
    return data;
}

} // namespace

TEST(ViewerWindowSystem, KeysMoveTheCaretAndADragCopiesTheWordUnderIt)
{
    const QString first = QStringLiteral("The quick brown fox jumps over the lazy dog");
    const QString path = rwtest::FixtureBuilder().fileWithContent(
        "view\tme\\now.txt", first.toLatin1() + "\n" + numberedLines(1, 200));
    runViewer(QFile::encodeName(path), [&](TfrmView& w) {
        FileViewer* viewer = w.viewer();
        XSession::key(&w, {"ctrl+End"});
        EXPECT_EQ(viewer->caret().line, 199);
        EXPECT_EQ(w.statusSection(1), QStringLiteral("Total: 200"));
        XSession::key(&w, {"ctrl+Home"});
        EXPECT_EQ(viewer->caret(), TextPos());
        XSession::key(&w, {"Next"});
        EXPECT_EQ(viewer->topLine(), viewer->visibleLines());
        XSession::key(&w, {"ctrl+Home", "Down", "Down", "Right", "Right", "Right"});
        EXPECT_EQ(viewer->caret(), (TextPos{2, 3}));
        EXPECT_EQ(w.statusSection(0), QStringLiteral("3:4     "));

        // The user drags over "dog" where it is drawn, and copies it.
        XSession::key(&w, {"ctrl+Home"});
        const int dog = static_cast<int>(first.indexOf(QStringLiteral("dog")));
        const int y = viewer->fontMetrics().height() / 2;
        const QPoint from(qCeil(drawnX(*viewer, first, dog)) + 1, y);
        const QPoint to(qFloor(drawnX(*viewer, first, dog + 3)) - 1, y);
        drag(viewer->viewport(), from, to);
        EXPECT_EQ(viewer->selectedText(), QStringLiteral("dog"));
        XSession::key(&w, {"ctrl+c"});
        EXPECT_EQ(XSession::clipboardText(), QStringLiteral("dog"));
    });
}

TEST(ViewerWindowSystem, AFileCutShortOrGrownWhileShownIsShownAsItNowIs)
{
    const QString path =
        rwtest::FixtureBuilder().fileWithContent("rotated\xff.log", numberedLines(0, 6000));
    runViewer(QFile::encodeName(path), [&](TfrmView& w) {
        FileViewer* viewer = w.viewer();
        XSession::key(&w, {"ctrl+End", "Prior"});
        EXPECT_EQ(viewer->caret().line, 5999 - viewer->visibleLines());

        // The log is rotated: cut to nothing, then a new first line.
        QFile log(path);
        ASSERT_TRUE(log.open(QIODevice::ReadWrite));
        ASSERT_TRUE(log.resize(0));
        XSession::key(&w, {"ctrl+End", "ctrl+Home"});
        EXPECT_EQ(viewer->fileSize(), 0);
        EXPECT_EQ(w.statusSection(3), QStringLiteral("Bytes: 0"));
        EXPECT_EQ(viewer->lineText(0), QString());

        const QByteArray fresh = numberedLines(0, 3);
        ASSERT_EQ(log.write(fresh), fresh.size());
        log.flush();
        XSession::key(&w, {"ctrl+End"});
        EXPECT_EQ(viewer->caret().line, 2);
        EXPECT_EQ(w.statusSection(1), QStringLiteral("Total: 3"));
        EXPECT_EQ(viewer->lineText(2), QStringLiteral("line 2 of the log"));
        XSession::key(&w, {"Up", "Up", "Home", "shift+End"});
        EXPECT_EQ(viewer->selectedText(), QStringLiteral("line 0 of the log"));
    });
}

TEST(ViewerWindowSystem, Utf8TextIsShownDecodedAndFoundByWhatTheUserTypes)
{
    const QString path = rwtest::FixtureBuilder().fileWithContent(
        "caf\xc3\xa9.txt", "Un caf\xc3\xa9 tr\xc3\xa8s na\xc3\xaf"
                           "f\nune id\xc3\xa9"
                           "e NA\xc3\x8fVE\n");
    runViewer(QFile::encodeName(path), [&](TfrmView& w) {
        FileViewer* viewer = w.viewer();
        EXPECT_EQ(viewer->lineText(0), QStringLiteral("Un caf\u00e9 tr\u00e8s na\u00eff"));
        XSession::key(&w, {"End"});
        EXPECT_EQ(w.statusSection(0), QStringLiteral("1:18    ")) << "one column per letter";

        // Search, Find..., the word typed with its diaeresis, Enter.
        rwtest::onNextModal(
            [](QWidget* d) {
                XSession::waitFor(
                    [d] { return d->windowHandle() && d->windowHandle()->isExposed(); });
                auto* edit = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
                edit->clear();
                edit->setFocus();
                // The letter by its key name: xdotool types no letter
                // beyond ASCII as text under a bare X server.
                XSession::type(d, QStringLiteral("na"));
                XSession::key(d, {"idiaeresis"});
                XSession::type(d, QStringLiteral("ve"));
                EXPECT_EQ(edit->text(), QStringLiteral("na\u00efve"));
                XSession::key(d, {"Return"});
            },
            QStringLiteral("rw::TFindDlg"));
        XSession::key(&w, {"alt+s", "f"});
        XSession::waitFor([viewer] { return viewer->hasSelection(); });
        EXPECT_EQ(viewer->selectionStart(), (TextPos{1, 9}));
        EXPECT_EQ(viewer->selectedText(), QStringLiteral("NA\u00cfVE"));
        XSession::key(&w, {"ctrl+c"});
        EXPECT_EQ(XSession::clipboardText(), QStringLiteral("NA\u00cfVE"));
        XSession::grab(&w).save(qEnvironmentVariable("RW_GRAB_DIR", rwtest::testRoot()) +
                                "/viewer-utf8.png");
    });
}
