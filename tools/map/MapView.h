#pragma once

#include <QImage>
#include <QWidget>

#include "tools/map/core/MapLayout.h"
#include "tools/map/core/MapRaster.h"
#include "tools/map/core/MapTree.h"

namespace rw
{

// The folder map's picture: the cushion treemap of one folder of a MapTree
// (not owned; it must outlive the view), laid out afresh when the widget's
// size, the shown folder or the measure changes. The largest tiles carry
// their names. Hovering says what is under the mouse (hovered), a click
// selects a tile and outlines its folder, a double click (or Enter) zooms
// into the folder under it, Backspace zooms out; the context menu is the
// window's (contextMenuAt).
class MapView : public QWidget
{
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);

    // Shows `tree` from its root (nullptr: nothing).
    void setTree(MapTree* tree);
    MapTree* tree() const { return m_tree; }

    void setMeasure(MapTree::Measure measure);
    MapTree::Measure measure() const { return m_measure; }

    // The folder shown (the map's top); kNone when there is no tree.
    std::uint32_t topNode() const { return m_top; }
    // Shows `folder` (a folder of the tree) as the whole map.
    void zoomTo(std::uint32_t folder);
    // The folder above the shown one; false at the root.
    bool zoomOut();
    // Zooms into the folder that holds `node` one level below the shown
    // folder; false when there is none (a file directly in it).
    bool zoomInto(std::uint32_t node);

    std::uint32_t selectedNode() const { return m_selected; }
    void select(std::uint32_t node);

    // The node and tile under a point of the widget (kNone / -1 for none).
    std::uint32_t nodeAt(QPoint p) const;
    int tileAt(QPoint p) const;
    // Where a node's tile or folder stands (empty when not shown).
    QRect rectOf(std::uint32_t node) const;
    const MapLayout& layout() const { return m_layout; }

    // The tree changed (a node was removed): lays out again.
    void refresh();

signals:
    // The mouse is over `tile` (an index into layout().tiles(); -1: none).
    void hovered(int tile);
    void selectionChanged(std::uint32_t node);
    void topChanged(std::uint32_t folder);
    void contextMenuAt(std::uint32_t node, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void relayout();

    MapTree* m_tree = nullptr;
    MapTree::Measure m_measure = MapTree::Measure::Apparent;
    std::uint32_t m_top = MapTree::kNone;
    std::uint32_t m_selected = MapTree::kNone;
    MapLayout m_layout;
    MapRaster m_raster;
    QImage m_image;
    bool m_dirty = true;
};

} // namespace rw
