#pragma once

#include <QDialog>
#include <QStringList>

#include <cstdint>

#include "framework/ToolButtonRow.h"

class QFrame;
class QLabel;
class QPushButton;

namespace rw
{

class CheckListBox;
class CleanScan;
class PickList;
class ResultGridController;
class ResultGridView;
class ScanSession;
class TWinPlace;

// "Find and delete temporary files": walks the checked drives for files
// matching the selected temporary-file patterns and lists them with size,
// dates, full path and type. A file in a folder of the program search path is
// tagged in its path column and, like every other row, is marked only by the
// user. Marked rows are deleted through the shared confirmation window.
class TfrmClean : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmClean(QWidget* owner = nullptr);
    ~TfrmClean() override;

    ResultGridController* gridController() const { return m_grid; }
    PickList* extensionList() const { return m_pickList; }
    CheckListBox* driveList() const { return m_pckDrive; }

    // Fills the pattern list from the settings file.
    void ReadInFromDisk();
    void selectAllExtensions();
    void SelectAll2Click() { selectAllExtensions(); }
    void DeselectAll2Click();
    // "Add/Delete": the pattern list editor, then the list is read again
    // with no entry selected.
    void btEditClick();
    // "&Start": with at least one pattern selected, a whole run followed by
    // the sort by size; otherwise the error "Select at least one file
    // extension".
    void btScanClick();
    // One run: walk, rows into the grid, report.
    void scan();
    // "Delete": the confirmation window on the marked files; this window
    // closes unless the confirmation was cancelled.
    void btDeleteClick();
    // Title of the printed report ("Temporary files on drive(s) C D ").
    QString printTitle() const;
    // Rows found by the last run.
    std::int64_t foundCount() const { return m_found; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildGrid();
    void FormShow();
    void layoutButtons();
    void placeDriveList();
    void applyMinimumSize();
    void pckDriveClick();
    void setResultButtonsVisible(bool visible);

    std::int64_t m_found = 0;
    CleanScan* m_running = nullptr; // the scan of a run in progress

    QFrame* m_topPanel = nullptr;
    QLabel* m_lblHeading = nullptr;
    PickList* m_pickList = nullptr;
    QPushButton* m_btEdit = nullptr;
    CheckListBox* m_pckDrive = nullptr;

    ToolButtonRow m_buttons{nullptr};
    QPushButton* m_btScan = nullptr;
    QPushButton* m_btClose = nullptr;
    QPushButton* m_btAbort = nullptr;
    QPushButton* m_btMark = nullptr;
    QPushButton* m_btDelete = nullptr;
    QPushButton* m_btPrint = nullptr;
    QPushButton* m_btClip = nullptr;
    QPushButton* m_btBrowse = nullptr;
    QPushButton* m_btDetails = nullptr;

    ResultGridView* m_gridView = nullptr;
    ResultGridController* m_grid = nullptr;
    QLabel* m_pnlSel = nullptr;
    ScanSession* m_session = nullptr;
    TWinPlace* m_place = nullptr;
};

} // namespace rw
