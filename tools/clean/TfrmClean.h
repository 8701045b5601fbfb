#pragma once

#include <QStringList>

#include <cstdint>

#include "framework/ToolWindow.h"

class QLabel;
class QPushButton;

namespace rw
{

class CleanScan;
class PickList;

// "Find and delete temporary files": walks the checked drives for files
// matching the selected temporary-file patterns and lists them with size,
// dates, full path and type. A file in a folder of the program search path is
// tagged in its path column and, like every other row, is marked only by the
// user. Marked rows are deleted through the shared confirmation window.
class TfrmClean : public ToolWindow
{
    Q_OBJECT
public:
    explicit TfrmClean(QWidget* owner = nullptr);
    ~TfrmClean() override;

    PickList* extensionList() const { return m_pickList; }

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
    void btScanClick() override;
    // One run: walk, rows into the grid, report.
    void scan();
    // Title of the printed report ("Temporary files on drive(s) C D ").
    QString printTitle() const override;
    // Rows found by the last run.
    std::int64_t foundCount() const { return m_found; }

protected:
    void FormShow() override;
    int driveListMinLeft() const override;

private:
    void buildControls();
    void buildGrid();

    std::int64_t m_found = 0;
    CleanScan* m_running = nullptr; // the scan of a run in progress

    QLabel* m_lblHeading = nullptr;
    PickList* m_pickList = nullptr;
    QPushButton* m_btEdit = nullptr;
};

} // namespace rw
