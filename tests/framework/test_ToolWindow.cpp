#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "controls/CheckListBox.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolWindow.h"
#include "framework/ToolWindowParts.h"
#include "framework/core/WalkStrategy.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

using namespace rw;
using rwtest::ScriptedResponder;

namespace
{

// Counts the files of the walk.
class CountingScan : public WalkStrategy
{
public:
    Verdict fileMatched(const FileRecord&) override
    {
        ++count;
        return Verdict::Keep;
    }
    std::int64_t count = 0;
};

// The smallest tool window: one label on the top panel and the frame's own
// parts; a run counts the files of the checked drives.
// A tool window whose scan counts the files of the checked drives.
class CountingWindow : public ToolWindow
{
public:
    using ToolWindow::ToolWindow;
    std::int64_t found = 0;

protected:
    void countFiles(const QString& suffix)
    {
        hideResultButtons();
        {
            ScanSession::Run run(*m_session);
            CountingScan scan;
            walkCheckedDrives(scan);
            found = scan.count;
        }
        reportFound(found, QString::number(found) + suffix);
    }
};

class ProbeWindow : public CountingWindow
{
public:
    explicit ProbeWindow(SharedPlace shared)
        : CountingWindow(nullptr, QStringLiteral("frmProbe"), 640, 8, 3)
    {
        m_label = new QLabel(QStringLiteral("Probe"), topPanel());
        m_label->setGeometry(8, 8, 300, 16);
        addDriveList();
        addButtons(shared);
        addStatusPanel(QStringLiteral("pnlSel"), true);
        addGridView();
        ResultGridConfig c;
        c.headers = {QStringLiteral("Size"), QStringLiteral("FileName")};
        c.markColumn = 1;
        c.sizeColumn = 0;
        setController(c);
        stackWindow();
        startSession({}, {QStringLiteral("probe.ini"), QStringLiteral("frmProbe"), {}});
    }

    void btScanClick() override { countFiles(QStringLiteral(" files found")); }
    QString printTitle() const override { return QStringLiteral("Probe"); }
    int driveListMinLeft() const override { return m_label->geometry().right() + 8; }

    QPushButton* button(const char* name) const { return findChild<QPushButton*>(name); }
    QString status() const { return findChild<QLabel*>("pnlSel")->text(); }

    QLabel* m_label = nullptr;
};

void checkOnlyDrive(ToolWindow& w, char letter)
{
    DriveInfo d;
    ASSERT_TRUE(findDrive(QChar(letter), &d));
    w.driveList()->uncheckAll();
    ASSERT_TRUE(w.driveList()->checkLine(d.entryText()));
}

} // namespace

TEST(ToolWindow, LaysOutTheButtonRowAndKeepsTheDriveListAtTheRight)
{
    ProbeWindow w(ToolWindow::SharedPlace::MarkOnAbort);
    w.show();
    EXPECT_EQ(w.objectName(), "frmProbe");
    EXPECT_TRUE(w.isSizeGripEnabled());
    // Start, Close, Abort (Mark on its place), Delete, Print, Clipboard,
    // Browse, Details: 65 x 25 each, 3 pixels apart, from (3, 140).
    const char* placed[] = {"btScan",  "btClose", "btAbort",  "btDelete",
                            "btPrint", "btClip",  "btBrowse", "btDetails"};
    for (int i = 0; i < 8; ++i) {
        QPushButton* b = w.button(placed[i]);
        ASSERT_NE(b, nullptr) << placed[i];
        EXPECT_EQ(b->geometry(), QRect(3 + i * 68, 140, 65, 25)) << placed[i];
    }
    EXPECT_EQ(w.button("btMark")->geometry(), w.button("btAbort")->geometry());

    // Nothing found yet: no result buttons, no Abort.
    for (const char* name : {"btAbort", "btMark", "btDelete", "btPrint", "btDetails"})
        EXPECT_FALSE(w.button(name)->isVisible()) << name;
    EXPECT_TRUE(w.button("btClose")->isEnabled());

    EXPECT_EQ(w.driveList()->geometry(), QRect(640 - 8 - 150, 8, 150, 126));
    w.resize(900, 478);
    EXPECT_EQ(w.driveList()->x(), 900 - 8 - 150);
    // Narrower than the content: the list stays right of the label.
    w.setMinimumSize(0, 0);
    w.resize(320, 478);
    EXPECT_EQ(w.driveList()->x(), 307 + 8);
}

TEST(ToolWindow, AbortCanTakeTheMarkButtonsPlace)
{
    ProbeWindow w(ToolWindow::SharedPlace::AbortOnMark);
    w.show();
    EXPECT_EQ(w.button("btMark")->geometry(), QRect(3 + 2 * 68, 140, 65, 25));
    EXPECT_EQ(w.button("btAbort")->geometry(), w.button("btMark")->geometry());
    EXPECT_EQ(w.button("btDelete")->geometry(), QRect(3 + 3 * 68, 140, 65, 25));
}

TEST(ToolWindow, StartFollowsTheDriveChecksAndARunReportsWhatItFound)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a.txt", 10);
    fb.file("tree/sub/b.txt", 20);
    fb.folder("empty");
    fb.mapDrive('D', "tree");
    fb.mapDrive('E', "empty");
    ScriptedResponder::instance().clear();

    ProbeWindow w(ToolWindow::SharedPlace::MarkOnAbort);
    w.show();
    w.driveList()->uncheckAll();
    EXPECT_FALSE(w.button("btScan")->isEnabled());

    checkOnlyDrive(w, 'D');
    EXPECT_TRUE(w.button("btScan")->isEnabled());
    w.btScanClick();
    EXPECT_EQ(w.found, 2);
    EXPECT_EQ(w.status(), "2 files found");
    for (const char* name : {"btMark", "btDelete", "btPrint", "btClip", "btBrowse"})
        EXPECT_TRUE(w.button(name)->isVisible()) << name;
    EXPECT_FALSE(w.button("btAbort")->isVisible());
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());

    checkOnlyDrive(w, 'E');
    w.btScanClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList{"No files found."});
    for (const char* name : {"btMark", "btDelete", "btPrint", "btDetails"})
        EXPECT_FALSE(w.button(name)->isVisible()) << name;

    // A new showing starts afresh.
    w.hide();
    w.show();
    EXPECT_TRUE(w.status().isEmpty());
}

TEST(ToolWindow, MinimumSizeIsScaledAndNeverWiderThanTheScreen)
{
    QWidget w;
    const int dpi = w.logicalDpiX();
    applyScaledMinimumSize(&w, QSize(400, 300));
    EXPECT_EQ(w.minimumSize(), QSize(400 * dpi / 96, 300 * dpi / 96));

    const int screenWidth = w.screen()->availableGeometry().width();
    applyScaledMinimumSize(&w, QSize(screenWidth * 2, 100));
    EXPECT_EQ(w.minimumWidth(), screenWidth - 10);

    // A tool window: its button row and twice its top panel.
    ProbeWindow probe(ToolWindow::SharedPlace::MarkOnAbort);
    probe.show();
    const int rowRight = probe.button("btDetails")->geometry().right() + 1;
    EXPECT_EQ(probe.minimumSize(), QSize((rowRight + 3) * dpi / 96, 2 * 172 * dpi / 96));
}

namespace
{

// A window on a frame of its own: a low panel, wider buttons further apart,
// two start buttons of its own instead of Start, no Mark, Delete on Abort's
// place, no size grip and the reset on the first showing only.
class OwnFrameWindow : public CountingWindow
{
public:
    static FrameSpec frame()
    {
        FrameSpec f = standardFrame(800, 10, 8);
        f.height = 400;
        f.panelHeight = 100;
        f.driveListTop = 6;
        f.driveListWidth = 140;
        f.driveListHeight = 88;
        f.buttonTop = 70;
        f.buttonWidth = 76;
        f.buttonGap = 6;
        f.statusHeight = 20;
        f.sizeGrip = false;
        f.reset = ShowReset::FirstShowOnly;
        return f;
    }

    OwnFrameWindow() : CountingWindow(nullptr, QStringLiteral("frmOwn"), frame())
    {
        for (QPushButton** b : {&m_first, &m_second}) {
            *b = new QPushButton(QStringLiteral("Go"), topPanel());
            addStartButton(*b);
            connect(*b, &QPushButton::clicked, this, [this] { run(); });
        }
        m_first->setObjectName(QStringLiteral("btFirst"));
        m_second->setObjectName(QStringLiteral("btSecond"));
        using Row = ToolButtonRow;
        addButtons({{Row::Abort}, {Row::Close}, {Row::Print}, {Row::Delete, Row::Abort}});
        addDriveList();
        addGridView();
        addStatusPanel(QStringLiteral("pnlScan"), false);
        ResultGridConfig c;
        c.headers = {QStringLiteral("Size"), QStringLiteral("Name")};
        c.markColumn = -1;
        setController(c);
        stackWindow();
        startSession({}, {});
    }

    void run() { countFiles(QStringLiteral(" found")); }
    QString printTitle() const override { return QStringLiteral("Own"); }
    int driveListMinLeft() const override { return 0; }

    QPushButton* button(const char* name) const { return findChild<QPushButton*>(name); }

    QPushButton* m_first = nullptr;
    QPushButton* m_second = nullptr;
    bool enabledDuringRun = true;
};

} // namespace

TEST(ToolWindow, AFrameOfItsOwnPlacesTheChosenButtonsAndKeepsItsResultsWhenShownAgain)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a.txt", 10);
    fb.mapDrive('D', "tree");
    ScriptedResponder::instance().clear();

    OwnFrameWindow w;
    w.driveList()->uncheckAll();
    w.show();
    EXPECT_FALSE(w.isSizeGripEnabled());
    EXPECT_EQ(w.findChild<QWidget*>("pnlTop")->height(), 100);
    EXPECT_EQ(w.findChild<QLabel*>("pnlScan")->height(), 20);
    // Only the chosen buttons, 76 x 25 and 6 pixels apart from (8, 70).
    for (const char* none : {"btScan", "btMark", "btClip", "btBrowse", "btDetails"})
        EXPECT_EQ(w.button(none), nullptr) << none;
    const char* placed[] = {"btAbort", "btClose", "btPrint"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.button(placed[i])->geometry(), QRect(8 + i * 82, 70, 76, 25)) << placed[i];
    EXPECT_EQ(w.button("btDelete")->geometry(), w.button("btAbort")->geometry());
    EXPECT_EQ(w.driveList()->geometry(), QRect(800 - 10 - 140, 6, 140, 88));
    EXPECT_EQ(w.minimumSize(),
              QSize((8 + 2 * 82 + 76 + 3) * w.logicalDpiX() / 96, 2 * 100 * w.logicalDpiX() / 96));
    // Without Mark nothing is marked: the grid writes no totals and leaves
    // Delete alone.
    EXPECT_EQ(w.gridController()->config().statusLabel, nullptr);
    EXPECT_EQ(w.gridController()->config().deleteButton, nullptr);

    // Both own start buttons follow the drive checks and are off during a run.
    EXPECT_FALSE(w.m_first->isEnabled());
    EXPECT_FALSE(w.m_second->isEnabled());
    checkOnlyDrive(w, 'D');
    EXPECT_TRUE(w.m_first->isEnabled());
    EXPECT_TRUE(w.m_second->isEnabled());
    QTimer::singleShot(0, &w, [&w] { w.enabledDuringRun = w.m_second->isEnabled(); });
    w.m_second->click();
    EXPECT_EQ(w.found, 1);
    EXPECT_FALSE(w.enabledDuringRun);
    EXPECT_TRUE(w.m_first->isEnabled());
    EXPECT_TRUE(w.m_second->isEnabled());
    for (const char* name : {"btDelete", "btPrint"})
        EXPECT_TRUE(w.button(name)->isVisible()) << name;

    // Shown again: the list and its buttons stay.
    w.hide();
    w.show();
    EXPECT_EQ(w.findChild<QLabel*>("pnlScan")->text(), "1 found");
    EXPECT_TRUE(w.button("btDelete")->isVisible());
}
