// The folder map as a user meets it: opened from Folder Hogs and from the
// browser, a double click that zooms into a folder, and a file sent to the
// recycle bin through the tile's context menu, checked on the disk, in the
// bin and on the map.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

#include "browser/BrowserHooks.h"
#include "framework/ResultGridController.h"
#include "launcher/ProgramWiring.h"
#include "platform/Trash.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dirhog/TfrmDirHog.h"
#include "tools/map/MapView.h"
#include "tools/map/TfrmMap.h"

using namespace rw;
using namespace e2e;
using rwtest::ScriptedResponder;

namespace
{

std::uint32_t nodeNamed(const MapTree& tree, const char* name)
{
    for (std::uint32_t i = 0; i < tree.nodeCount(); ++i)
        if (!tree.node(i).removed && tree.name(i) == name)
            return i;
    return MapTree::kNone;
}

void chooseOnTile(MapView& view, std::uint32_t node, const char* action)
{
    EXPECT_TRUE(chooseFromMenu(&view, view.rectOf(node).center(), action));
}

// Acts on the folder map once it is the modal window and its walk is done.
// The walk lets events run while it goes, so the action is not started from
// inside it (where waiting for its end could never return).
void onMapReady(std::function<void(TfrmMap&)> act, bool* handled)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), handled] {
        auto* map = qobject_cast<TfrmMap*>(QApplication::activeModalWidget());
        if (!map || map->tree().isEmpty())
            return;
        poll->stop();
        poll->deleteLater();
        *handled = true;
        act(*map);
    });
    poll->start(20);
}

} // namespace

TEST(MapWindowSystem, FromFolderHogsZoomInAndSendAFileToTheBin)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/top/big/a.bin", 400000);
    fb.file("tree/top/big/b.bin", 200000);
    fb.file("tree/top/small/c.txt", 50000);
    fb.file("tree/top/d.dat", 100000);
    fb.file("tree/other/e.bin", 1000);
    fb.mapDrive('D', "tree");
    const QByteArray top = QFile::encodeName(fb.path("tree/top"));
    wireProgram();

    std::unique_ptr<QDialog> made = createDirHogWindow(nullptr);
    auto* w = static_cast<TfrmDirHog*>(made.get());
    bool mapped = false;
    runModal(*w, [&] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        XSession::click(child(*w, "btTop"));
        ResultGridView& grid = *w->gridController()->grid();
        ASSERT_TRUE(XSession::waitFor([&] { return grid.model()->rowCount() >= 2; }));
        const int row = rowEndingWith(grid, TfrmDirHog::colName, "/top");
        ASSERT_GE(row, 0);
        clickCell(grid, row, TfrmDirHog::colName);

        // "Show folder map" on the row walks the folder and opens its map.
        bool opened = false;
        onMapReady(
            [&](TfrmMap& map) {
                MapView& view = *map.view();
                const MapTree& tree = map.tree();
                EXPECT_EQ(tree.pathBytes(tree.root()), top);
                EXPECT_EQ(tree.node(tree.root()).size, 750000);

                // A click selects a tile and the status line names it.
                const std::uint32_t a = nodeNamed(tree, "a.bin");
                ASSERT_NE(a, MapTree::kNone);
                XSession::click(&view, view.rectOf(a).center());
                EXPECT_EQ(view.selectedNode(), a);
                EXPECT_TRUE(child<QLabel>(map, "lblStatus")->text().contains("a.bin"));

                // A double click zooms into the folder holding the tile.
                XSession::doubleClick(&view, view.rectOf(a).center());
                ASSERT_TRUE(
                    XSession::waitFor([&] { return view.topNode() == nodeNamed(tree, "big"); }));
                saveShot(&map, "map-zoomed");

                // The tile's Delete opens the confirmation window; the recycle
                // bin takes the file (Yes to the note).
                const std::uint32_t b = nodeNamed(tree, "b.bin");
                ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
                onModal("rw::TfrmReallyDelete", [&](QDialog& confirm) {
                    XSession::click(child(confirm, "btRecycle"));
                    EXPECT_TRUE(XSession::waitFor([&] { return !confirm.isVisible(); }));
                });
                chooseOnTile(view, b, "actDelete");
                ASSERT_TRUE(XSession::waitFor([&] { return tree.node(b).removed; }));
                // The map shows the folder without it, sized without it.
                EXPECT_EQ(tree.node(tree.root()).size, 550000);
                EXPECT_EQ(tree.node(view.topNode()).size, 400000);
                QApplication::processEvents();
                for (const MapTile& t : view.layout().tiles())
                    EXPECT_NE(t.node, b);
                // Backspace goes back up to the whole tree.
                XSession::key(&map, {"BackSpace"});
                EXPECT_TRUE(XSession::waitFor([&] { return view.topNode() == tree.root(); }));
                mapped = true;
                XSession::key(&map, {"Escape"});
                EXPECT_TRUE(XSession::waitFor([&] { return !map.isVisible(); }));
            },
            &opened);
        EXPECT_TRUE(chooseFromMenu(grid.viewport(), cellPoint(grid, row, TfrmDirHog::colName),
                                   "ShowFolderMap1"));
        EXPECT_TRUE(XSession::waitFor([&] { return opened; }));
    });
    EXPECT_TRUE(mapped);
    EXPECT_FALSE(exists(top + "/big/b.bin"));
    EXPECT_TRUE(exists(Trash::homeTrashPath() + "/files/b.bin"));
    EXPECT_TRUE(exists(top + "/big/a.bin"));
}

// The browser's folder tree opens the map of the folder right-clicked.
TEST(MapWindowSystem, TheBrowsersFolderTreeOpensTheMap)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/inner/x.bin", 5000);
    const QByteArray inner = QFile::encodeName(fb.path("tree/inner"));
    QDir::setCurrent(fb.path("tree"));
    wireProgram();
    std::unique_ptr<QDialog> made = createBrowseWindow(nullptr);
    QByteArray shown;
    runModal(*made, [&] {
        auto* folders = made->findChild<QTreeWidget*>("DirectoryListBox1");
        ASSERT_NE(folders, nullptr);
        QTreeWidgetItem* item = nullptr;
        ASSERT_TRUE(XSession::waitFor([&] {
            const auto found = folders->findItems("inner", Qt::MatchRecursive | Qt::MatchExactly);
            item = found.isEmpty() ? nullptr : found.first();
            return item != nullptr;
        }));
        folders->scrollToItem(item);
        bool opened = false;
        onMapReady(
            [&](TfrmMap& map) {
                shown = map.tree().pathBytes(map.tree().root());
                XSession::key(&map, {"Escape"});
                EXPECT_TRUE(XSession::waitFor([&] { return !map.isVisible(); }));
            },
            &opened);
        EXPECT_TRUE(chooseFromMenu(folders->viewport(), folders->visualItemRect(item).center(),
                                   "ShowFolderMap1"));
        EXPECT_TRUE(XSession::waitFor([&] { return opened; }));
    });
    EXPECT_EQ(shown, inner);
}
