// The folder map as a user meets it: the map of a walked folder, a double
// click that zooms into a folder, and a file sent to the recycle bin through
// the tile's context menu, checked on the disk, in the bin and on the map.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "platform/Trash.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
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

// Right-clicks `node`'s tile and chooses the menu entry `action` once the
// menu is on screen.
void chooseOnTile(MapView& view, std::uint32_t node, const char* action)
{
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (acted || !menu || !XSession::shown(menu))
            return;
        acted = true;
        QAction* a = menu->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        XSession::click(menu, menu->actionGeometry(a).center());
    });
    poll.start(20);
    XSession::rightClick(&view, view.rectOf(node).center());
    EXPECT_TRUE(XSession::waitFor([&] { return acted; }));
}

} // namespace

TEST(MapWindowSystem, ZoomInByDoubleClickAndSendAFileToTheBin)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/big/a.bin", 400000);
    fb.file("tree/big/b.bin", 200000);
    fb.file("tree/small/c.txt", 50000);
    fb.file("tree/d.dat", 100000);
    const QByteArray root = QFile::encodeName(fb.path("tree"));

    TfrmMap map;
    map.show();
    ASSERT_TRUE(XSession::waitForShown(&map));
    ASSERT_TRUE(map.mapFolder(root));
    MapView& view = *map.view();
    const MapTree& tree = map.tree();
    EXPECT_EQ(tree.node(tree.root()).size, 750000);
    runModal(map, [&] {
        // Hovering a tile names it in the status line.
        const std::uint32_t a = nodeNamed(tree, "a.bin");
        ASSERT_NE(a, MapTree::kNone);
        XSession::click(&view, view.rectOf(a).center());
        EXPECT_EQ(view.selectedNode(), a);
        EXPECT_TRUE(child<QLabel>(map, "lblStatus")->text().contains("a.bin"));

        // A double click zooms into the folder holding the tile.
        XSession::doubleClick(&view, view.rectOf(a).center());
        ASSERT_TRUE(XSession::waitFor([&] { return view.topNode() == nodeNamed(tree, "big"); }));
        saveShot(&map, "map-zoomed");

        // The context menu's Delete opens the confirmation window; the
        // recycle bin takes the file (Yes to the note).
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
    });
    EXPECT_FALSE(exists(root + "/big/b.bin"));
    EXPECT_TRUE(exists(Trash::homeTrashPath() + "/files/b.bin"));
    EXPECT_TRUE(exists(root + "/big/a.bin"));
}
