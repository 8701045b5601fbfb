#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "base/AppGlobals.h"
#include "browser/TfrmBrowse.h"
#include "framework/DriveListFolders.h"
#include "launcher/CommandLine.h"
#include "launcher/LongLivedWindows.h"
#include "launcher/ProgramWiring.h"
#include "launcher/TfrmMain.h"
#include "platform/ProfileFile.h"
#include "platform/RunDrives.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/dup/TfrmDup.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

constexpr int kPathColumn = 4;

// The drive table of added folders is the process's: each case starts and
// ends without any.
struct FolderDrives : ::testing::Test {
    FolderDrives() { RunDrives::clear(); }
    ~FolderDrives() override { RunDrives::clear(); }
};

QString entryOf(const QByteArray& folder)
{
    for (const DriveInfo& d : driveList())
        if (d.rootPath() == folder)
            return d.entryText();
    return QStringLiteral("<no drive>");
}

// The file-hog finder's scan of the ticked drives for files of 1 KB and up,
// the limit typed as a user types it; waits for `found` in the status.
void scanHogs(QDialog& w, const QString& found)
{
    auto* limit = child<QDoubleSpinBox>(w, "num1");
    XSession::click(limit);
    XSession::key(&w, {"ctrl+a"});
    XSession::type(&w, "1");
    XSession::click(child(w, "btScan"));
    auto* status = child<QLabel>(w, "pnlSel");
    ASSERT_TRUE(XSession::waitFor([&] { return status->text() == found; }))
        << status->text().toStdString();
}

// The right-click menu of the drive list on line `row`, chosen entry `name`
// clicked; returns whether that entry could be chosen (it was enabled). The
// menu runs its own loop inside the right click, so it is acted on from a
// timer once it is on screen.
bool chooseFromMenu(CheckListBox* list, int row, const char* name)
{
    QMenu* menu = list->contextMenu();
    bool acted = false;
    bool chosen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (acted || !XSession::shown(menu))
            return;
        acted = true;
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        if (!action || !action->isEnabled()) {
            XSession::key(menu, {"Escape"});
            return;
        }
        chosen = true;
        XSession::click(menu, menu->actionGeometry(action).center());
    });
    poll.start(20);
    XSession::rightClick(list->viewport(), list->visualItemRect(list->item(row)).center());
    EXPECT_TRUE(XSession::waitFor([&] { return acted && !menu->isVisible(); }));
    return chosen;
}

// Answers the next folder picker with `folder`, typed into its name box.
void answerFolderPicker(const QString& folder)
{
    onModal("QFileDialog", [folder](QDialog& d) {
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        XSession::click(name);
        XSession::key(&d, {"ctrl+a"});
        XSession::type(&d, folder);
        XSession::key(&d, {"Return"});
        EXPECT_TRUE(XSession::waitFor([&] { return !d.isVisible(); }));
    });
}

// Qt's drag-enter and drop events of a drag carrying `paths` (file URLs made
// from the bytes), delivered to `target`; true when the drop was taken.
bool dropOn(QWidget* target, const QList<QByteArray>& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QByteArray& p : paths)
        urls << QUrl::fromEncoded("file://" + p.toPercentEncoding("/"));
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

// `roomwise ~/Photos`: the folder is a drive of its own, the only one ticked
// in a tool window, and a scan lists its files alone; the browser opens on
// it. A PATH that is no folder is said and left out; nothing is written.
TEST_F(FolderDrives, StartedWithAPathToolWindowsWalkOnlyIt)
{
    rwtest::FixtureBuilder fb;
    fb.file("Photos/a.jpg", 3000);
    fb.file("Photos/trip/b.jpg", 4000);
    fb.file("elsewhere/c.jpg", 5000);
    QDir::setCurrent(fb.path("elsewhere"));
    const QByteArray photos = QFile::encodeName(fb.path("Photos"));
    const QByteArray missing = QFile::encodeName(fb.path("nowhere"));
    const QByteArray file = QFile::encodeName(fb.path("elsewhere/c.jpg"));

    CommandLine commandLine({"roomwise", photos, missing, file});
    commandLine.process();
    EXPECT_EQ(commandLine.folders(), QList<QByteArray>({photos, missing, file}));
    DriveListFolders::addFolders(commandLine.folders());
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList({QString::fromUtf8(missing) + " does not exist.",
                           QString::fromUtf8(file) + " is not a folder."}));
    const QString photosEntry = entryOf(photos);
    ASSERT_EQ(RunDrives::entries().size(), 1);

    wireProgram();
    TfrmMain launcher;
    LongLivedWindows longLived;
    launcher.show();
    ASSERT_TRUE(XSession::waitForShown(&launcher));

    QStringList ticked, lines, paths;
    onModal("rw::TfrmDup", [&](QDialog& w) {
        auto* list = w.findChild<CheckListBox*>("pckDrive");
        ASSERT_NE(list, nullptr);
        ticked = list->checkedLines();
        lines = list->lines();
        scanHogs(w, "2 file hogs found");
        paths = columnTexts(*w.findChild<ResultGridView*>(), kPathColumn);
        saveShot(&w, "folder-drive-hogs");
        XSession::key(&w, {"Escape"});
        EXPECT_TRUE(XSession::waitFor([&] { return !w.isVisible(); }));
    });
    XSession::click(child(launcher, "btFileHog"));
    ASSERT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(ticked, QStringList({photosEntry}));
    EXPECT_TRUE(lines.contains("c: [/]")) << "the other drives are still offered";
    EXPECT_TRUE(photosEntry.endsWith(": [" + fb.path("Photos") + "]")) << photosEntry.toStdString();
    ASSERT_EQ(paths.size(), 2);
    for (const QString& p : paths)
        EXPECT_TRUE(p.startsWith(fb.path("Photos") + "/")) << p.toStdString();

    QByteArray browsed;
    onModal("rw::TfrmBrowse", [&](QDialog& w) {
        browsed = static_cast<TfrmBrowse&>(w).folder();
        XSession::key(&w, {"Escape"});
        EXPECT_TRUE(XSession::waitFor([&] { return !w.isVisible(); }));
    });
    XSession::click(child(launcher, "btBrowse"));
    ASSERT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(browsed, photos);

    QFile settings(rwtest::settingsFilePath());
    if (settings.open(QIODevice::ReadOnly)) {
        EXPECT_FALSE(settings.readAll().contains(photos)) << "the folder is for this run only";
    }
}

// The drive list's menu: "Add folder…" adds a chosen folder ticked,
// "Keep this folder" writes it to [Drives], "Remove folder" takes an added
// one away; a drive of the system offers neither.
TEST_F(FolderDrives, DriveListMenuAddsKeepsAndRemovesFolders)
{
    rwtest::FixtureBuilder fb;
    fb.file("Music/song.mp3", 2000);
    fb.file("Films/film.mkv", 2000);
    QDir::setCurrent(fb.base());
    const QByteArray music = QFile::encodeName(fb.path("Music"));
    const QByteArray films = QFile::encodeName(fb.path("Films"));

    DuplicateMode = false;
    std::unique_ptr<QDialog> made = createDupWindow(nullptr, DuplicateMode);
    runModal(*made, [&] {
        QDialog& w = *made;
        auto* list = w.findChild<CheckListBox*>("pckDrive");
        ASSERT_NE(list, nullptr);
        const QStringList tickedBefore = list->checkedLines();
        ASSERT_EQ(tickedBefore.size(), 1) << "the current drive";
        EXPECT_FALSE(chooseFromMenu(list, 0, "RemoveFolder1")) << "c: is no added folder";
        EXPECT_FALSE(chooseFromMenu(list, 0, "KeepFolder1"));

        answerFolderPicker(fb.path("Music"));
        ASSERT_TRUE(chooseFromMenu(list, 0, "AddFolder1"));
        ASSERT_TRUE(rwtest::lastModalHandled());
        const QString musicEntry = entryOf(music);
        EXPECT_EQ(list->checkedLines(), QStringList(tickedBefore) << musicEntry)
            << "added ticked, the others as they were";
        saveShot(&w, "folder-drive-added");

        answerFolderPicker(fb.path("Films"));
        ASSERT_TRUE(chooseFromMenu(list, 0, "AddFolder1"));
        const QString filmsEntry = entryOf(films);
        ASSERT_TRUE(list->lines().contains(filmsEntry));

        // Keep: [Drives] names it, and it is a drive of the settings now.
        const int musicRow = int(list->lines().indexOf(musicEntry));
        ASSERT_TRUE(chooseFromMenu(list, musicRow, "KeepFolder1"));
        ProfileFile ini(QStringLiteral("roomwse.ini"));
        EXPECT_EQ(ini.readString("Drives", QString(musicEntry.at(0).toUpper()), ""),
                  fb.path("Music"));
        EXPECT_FALSE(RunDrives::isRunOnly(musicEntry.at(0)));
        EXPECT_TRUE(list->lines().contains(musicEntry));
        EXPECT_FALSE(chooseFromMenu(list, int(list->lines().indexOf(musicEntry)), "RemoveFolder1"))
            << "a kept folder is removed in the settings, not here";

        // Remove: gone from the list and the drives; never written.
        ASSERT_TRUE(chooseFromMenu(list, int(list->lines().indexOf(filmsEntry)), "RemoveFolder1"));
        EXPECT_FALSE(list->lines().contains(filmsEntry));
        EXPECT_EQ(entryOf(films), "<no drive>");
        EXPECT_EQ(ini.readString("Drives", QString(filmsEntry.at(0).toUpper()), "none"), "none");
    });
}

// Folders dropped on the launcher or on a drive list are added ticked (a
// name that is not UTF-8 included); a drop that is no folder is said; a
// tool window that is scanning refuses the drop. The drops are Qt's drag
// and drop events delivered to the widgets (an X drag cannot be scripted
// with the tools at hand).
TEST_F(FolderDrives, DroppedFoldersAreAddedUnlessAScanRuns)
{
    rwtest::FixtureBuilder fb;
    fb.file("Shots/x.png", 2000);
    const QString note = fb.file("note.txt", 10);
    const QByteArray odd = rwtest::rawFolder(QFile::encodeName(fb.base()) + "/odd\xff");
    rwtest::rawFile(odd + "/y.png", 3000);
    const QByteArray later = QFile::encodeName(fb.folder("Later"));
    // Deep enough that a scan lasts while the drop comes.
    fb.deepChain("deep", 10000, "d", "f");
    fb.mapDrive('D', "deep");
    const QByteArray shots = QFile::encodeName(fb.path("Shots"));

    wireProgram();
    TfrmMain launcher;
    launcher.show();
    ASSERT_TRUE(XSession::waitForShown(&launcher));
    EXPECT_TRUE(dropOn(&launcher, {shots}));
    ASSERT_EQ(RunDrives::entries().size(), 1);
    EXPECT_EQ(RunDrives::entries().first().folder, shots);

    DuplicateMode = false;
    std::unique_ptr<QDialog> made = createDupWindow(&launcher, DuplicateMode);
    runModal(*made, [&] {
        QDialog& w = *made;
        auto* list = w.findChild<CheckListBox*>("pckDrive");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->checkedLines(), QStringList({entryOf(shots)}));

        EXPECT_TRUE(dropOn(list->viewport(), {odd, QFile::encodeName(note)}));
        EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList({note + " is not a folder."}));
        EXPECT_EQ(list->checkedLines(), QStringList({entryOf(shots), entryOf(odd)}));
        EXPECT_TRUE(entryOf(odd).endsWith("odd\\xFF]")) << entryOf(odd).toStdString();
        scanHogs(w, "2 file hogs found");

        // While the deep drive is walked, a drop is refused.
        tickOnly(list, 'D');
        bool sawScan = false;
        bool taken = true;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (sawScan || list->isEnabled())
                return;
            sawScan = true;
            taken = dropOn(list->viewport(), {later});
        });
        poll.start(1);
        XSession::click(child(w, "btScan"));
        ASSERT_TRUE(XSession::waitFor([&] { return list->isEnabled() && sawScan; }, 20000));
        poll.stop();
        EXPECT_FALSE(taken);
        EXPECT_EQ(entryOf(later), "<no drive>");
        EXPECT_FALSE(list->lines().contains(entryOf(later)));
        EXPECT_TRUE(dropOn(list->viewport(), {later})) << "taken again once the scan is over";
    });
}
