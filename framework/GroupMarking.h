#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QMenu;

namespace rw
{

class ResultGridController;

// "Mark all but one in each group" for a grid whose rows come in groups of
// equal files (the duplicate finder's "Size and contents"): in every group
// it marks every file but one, the newest, the oldest or the one with the
// shortest path, as the user chooses. Several names of one file (hard
// links) are one file: the kept file keeps all its names, every other file
// is marked with all of its names. Lives as a child of the grid controller.
class GroupMarking : public QObject
{
    Q_OBJECT
public:
    enum class Keep { Newest, Oldest, ShortestPath };

    // Tells the group and the file of a record; a negative group: none.
    using RecordNumber = std::function<std::int64_t(std::uint32_t record)>;

    GroupMarking(ResultGridController* grid, RecordNumber groupOf, RecordNumber fileOf);

    // Adds the submenu "Mark all but one in each group" with "keeping the
    // newest", "keeping the oldest" and "keeping the shortest path" to the
    // grid's "Mark" menu.
    void addToMarkMenu();
    QMenu* menu() const { return m_menu; }

    // Unmarks every row, then marks every row of each group whose file is
    // not the one kept; updates the totals, the status and the Delete
    // button. Ties go to the file that comes first in the grid.
    void markAllButOne(Keep keep);

private:
    ResultGridController* m_grid;
    RecordNumber m_groupOf;
    RecordNumber m_fileOf;
    QMenu* m_menu = nullptr;
};

} // namespace rw
