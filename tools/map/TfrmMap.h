#pragma once

#include <QByteArray>
#include <QDialog>

#include <memory>

#include "tools/map/core/MapTree.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace rw
{

class MapView;
class TWinPlace;

// "Folder map": one folder's whole tree as a cushion treemap, coloured by
// type, with a legend, a row of the folders above the one shown, a switch
// between apparent size and disk usage, and the status line saying what is
// under the mouse. Read-only until the user acts: the context menu of a tile
// offers View, Details, Browse, Run and Delete through the windows and
// checks every result grid uses; a deletion takes the tile off the map
// without a new walk. Resizable; its place is remembered.
class TfrmMap : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmMap(QWidget* owner = nullptr);
    ~TfrmMap() override;

    // Walks `folder` (the file system's bytes) and shows its map: progress
    // in the status line, Abort ends the walk early and keeps what was seen.
    // False when the folder could not be opened (said in an error box).
    bool mapFolder(const QByteArray& folder);
    // Shows a tree built elsewhere.
    void setTree(MapTree tree);

    MapView* view() const { return m_view; }
    const MapTree& tree() const { return m_tree; }

    // The actions of the context menu on a node, as the menu runs them.
    void viewNode(std::uint32_t node);
    void detailsOfNode(std::uint32_t node);
    void browseNode(std::uint32_t node);
    void runNode(std::uint32_t node);
    // Deletes a file (the confirmation window of marked files) or a folder
    // (the folder confirmation window); true when it went and left the map.
    bool deleteNode(std::uint32_t node);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showHovered(int tile);
    void showTop(std::uint32_t folder);
    void showMenu(std::uint32_t node, QPoint globalPos);
    QString sizeText(std::uint32_t node) const;

    MapTree m_tree;
    MapView* m_view;
    QWidget* m_crumbs;
    QHBoxLayout* m_crumbRow;
    QPushButton* m_btUp;
    QPushButton* m_btAbort;
    QPushButton* m_btClose;
    QComboBox* m_cbMeasure;
    QLabel* m_status;
    TWinPlace* m_place = nullptr;
    bool m_abort = false;
    bool m_walking = false;
};

// Opens the folder map on `folder`, modal, owned by `parent`.
void openFolderMap(QWidget* parent, const QByteArray& folder);

} // namespace rw
