#pragma once

#include <QDialog>
#include <QStringList>

#include "tools/dirhog/core/DirHogScan.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace rw
{

class CheckListBox;
class ResultGridController;
class ResultGridView;
class ScanSession;

// The folder hog window ("Folder Hogs"): the user ticks drives and lists
// either the main folders of each drive with their whole sub-trees ("&Main
// folders") or every folder by itself ("&All Folders"), largest first. The
// grid has no marking: sorting, printing, the clipboard, browsing and
// deleting (or recycling) a folder all work on the selected row.
class TfrmDirHog : public QDialog
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

    void pckDriveClick();
    void btTopClick();
    void btAllClick();
    void btPrintClick();
    void btClipClick();
    // Deletes or recycles the folder of the selected row, after the
    // confirmation window; refuses roots, system folders and the home folder.
    void btDeleteClick();
    void btBrowseClick();
    // Sorts by a sort item with its direction flag (then inverts the flag).
    void SortbySize1Click(SortItem item);

    // The result lines in list order, the abort notice first after an abort
    // (what the clipboard receives).
    QStringList lb() const;
    // The title of the printed list.
    QString printTitle() const;
    ResultGridController* gridController() const { return m_controller; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void setResultButtonsVisible(bool visible);
    void FormResize();
    bool lastClickOnDataRow() const;

    QFrame* m_pnlTop = nullptr;
    QPushButton* m_btTop = nullptr;
    QPushButton* m_btAll = nullptr;
    QPushButton* m_btAbort = nullptr;
    QPushButton* m_btClose = nullptr;
    QPushButton* m_btPrint = nullptr;
    QPushButton* m_btClip = nullptr;
    QPushButton* m_btDelete = nullptr;
    QPushButton* m_btBrowse = nullptr;
    CheckListBox* m_pckDrive = nullptr;
    QComboBox* m_cbDrive = nullptr;
    ResultGridView* m_grid = nullptr;
    QLabel* m_pnlScan = nullptr;
    ResultGridController* m_controller = nullptr;
    ScanSession* m_session = nullptr;
    // Data row of the last click in the grid; -1 after a header click or
    // when there was none since the grid was filled.
    int m_lastClickRow = -1;
    bool m_shown = false;
};

} // namespace rw
