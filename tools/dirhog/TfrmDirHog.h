#pragma once

#include <QStringList>

#include "framework/ToolWindow.h"
#include "history/core/HistoryTap.h"
#include "tools/dirhog/core/DirHogScan.h"

class QComboBox;
class QPushButton;

namespace rw
{

// The folder hog window ("Folder Hogs"): the user ticks drives and lists
// either the main folders of each drive with their whole sub-trees ("&Main
// folders") or every folder by itself ("&All Folders"), largest first. The
// grid has no marking: sorting, printing, the clipboard, browsing and
// deleting (or recycling) a folder all work on the selected row. The frame
// is the tool windows' one with a low top panel: two start buttons of its
// own instead of Start, no Mark, Delete on Abort's place, and a reset on the
// first showing only (a window shown again keeps its list).
class TfrmDirHog : public ToolWindow
{
    Q_OBJECT
public:
    // Grid columns.
    enum Column { colSize, colUsed, colFiles, colSubFolders, colAccess, colName };
    // Items of the sort menu, in menu order.
    enum SortItem { sortSize, sortFiles, sortSubFolders, sortDate, sortName };

    explicit TfrmDirHog(QWidget* parent = nullptr);
    ~TfrmDirHog() override;

    // One whole run in the given mode over the ticked drives: clears the
    // grid, walks, lists the folder lines (descending text order) and sorts
    // them by size, largest first.
    void scan(DirHogMode mode);

    void btTopClick();
    void btAllClick();
    // Deletes or recycles the folder of the selected row, after the
    // confirmation window; refuses roots, system folders and the home folder.
    void btDeleteClick() override;
    // The browser on the selected row's folder, all files shown.
    void btBrowseClick() override;
    // Sorts by a sort item with its direction flag (then inverts the flag).
    void SortbySize1Click(SortItem item);

    // The result lines in list order, the abort notice first after an abort
    // (what the clipboard receives).
    QStringList lb() const;
    // The title of the printed list.
    QString printTitle() const override;

protected:
    // The first showing: results cleared, the focus on "&Main folders", the
    // window centred.
    void FormShow() override;
    // The drive list's right edge and 3 pixels.
    int minimumContentWidth() const override;
    int driveListMinLeft() const override;
    // Through the hidden drive combo box: the current drive is ticked, or
    // the first one when no drive holds the working folder.
    void fillDriveList() override;

private:
    void buildControls();
    void buildGrid();
    bool lastClickOnDataRow() const;
    // Keeps the roots of a whole run in the scan history (unless the
    // settings turn it off), written on the background worker.
    void keepScan(std::vector<TappedRoot> roots, const QString& kind, std::int64_t taken);

    QPushButton* m_btTop = nullptr;
    QPushButton* m_btAll = nullptr;
    QComboBox* m_cbDrive = nullptr;
    // Data row of the last click in the grid; -1 after a header click or
    // when there was none since the grid was filled.
    int m_lastClickRow = -1;
};

} // namespace rw
