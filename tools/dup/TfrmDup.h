#pragma once

#include <QStringList>

#include <cstdint>
#include <unordered_map>

#include "framework/ToolWindow.h"
#include "framework/core/ResultLines.h"
#include "tools/dup/DupCompareSource.h"
#include "tools/dup/core/ContentDupFinder.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;

namespace rw
{

class DupScan;
class FolderDupScan;
class SizeFilter;
class WildcardBox;

// The duplicate finder and the file-hog finder: one window in two modes,
// chosen by DuplicateMode when the window is made. It scans the checked
// drives for files matching a pattern and a size condition and lists, in the
// file-hog mode, every such file largest first, in the duplicate mode the
// files that share a key (one of seven matching rules) with another file.
// The rows can be marked, printed, copied, opened and deleted through the
// shared result grid; in the duplicate mode the pair comparison window
// steps through the list (this window is its DupCompareSource).
class TfrmDup : public ToolWindow, public DupCompareSource
{
    Q_OBJECT
public:
    explicit TfrmDup(QWidget* owner = nullptr);
    ~TfrmDup() override;

    // True for the duplicate finder, false for the file-hog finder.
    bool duplicateMode() const { return m_duplicateMode; }

    // The lines that reached the grid, in the order they were added.
    QStringList lbFiles() const;
    // The collection list of the last run, sorted.
    QStringList lbList() const;

    // "&Start": checks the bounds, then runs a scan.
    void btScanClick() override;
    // One whole run: walk, fill the grid, report.
    void scan();
    // The groups of the last "Size and contents" or "Folders with the same
    // contents" run (empty otherwise).
    const ContentGroups& contentGroups() const { return m_content; }
    // How many threads hash contents (0: one per core); for tests.
    void setHashThreads(int threads) { m_hashThreads = threads; }
    // "Delete": the confirmation window on the marked files; closes this
    // window (accepted) unless the confirmation was cancelled. With "Size
    // and contents" the last copy of a group never goes; with "Folders with
    // the same contents" each marked folder goes through the folder-delete
    // confirmation, and the last copy of a group stays.
    void btDeleteClick() override;
    // "Replace marked with &links to the kept copy" (Size and contents): the
    // link confirmation on the marked files; closes this window (accepted)
    // after a run.
    void replaceMarkedClick();
    // "P&airs": shows the pair comparison window on this window's list.
    void btCompareClick();
    // Title of the printed report ("Duplicates larger or equal to 250 KB ...").
    QString printTitle() const override;

    // DupCompareSource: rows counted with the header as row 0.
    int rowCount() const override;
    QString cell(int col, int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    int matchMode() const override { return m_matchMode; }
    QByteArray pathBytes(int row) const override;
    void MarkThisFile(int row) override;
    QWidget* window() const override;

protected:
    void FormShow() override;
    int driveListMinLeft() const override;
    void setResultButtonsVisible(bool visible) override;

private:
    void buildControls();
    void makeGridController(int matchMode);
    void sizeChoiceChanged();
    bool between() const;
    std::int64_t number(const QDoubleSpinBox* box) const;
    // "Size and contents": hashes the candidates of the walk and returns
    // the rows, group by group; shades every other group.
    std::vector<std::uint32_t> contentRows(DupScan& strategy);
    // "Folders with the same contents": compares the folders of the walk
    // and returns their rows, group by group; shades every other group.
    std::vector<std::uint32_t> folderRows(FolderDupScan& strategy, const SizeFilter& filter);
    void takeGroups(ResultSet& set, const ContentGroups& groups);
    // Deletes the marked folder rows one by one through runFolderDelete.
    void deleteMarkedFolders();
    // The group and file number of a record of the last content run; -1
    // for none.
    std::int64_t contentGroupOf(std::uint32_t record) const;
    std::int64_t contentFileOf(std::uint32_t record) const;

    bool m_duplicateMode;
    int m_matchMode = 0;
    int m_gridMatchMode = 0; // the line layout the grid controller was made for
    bool m_pairShown = false;
    // The collection of the last run, sorted when first asked for.
    mutable std::vector<std::uint32_t> m_lbList;
    mutable bool m_lbListSorted = false;
    std::shared_ptr<ResultLines> m_lbLines;
    ContentGroups m_content;
    std::unordered_map<std::uint32_t, std::uint32_t> m_contentIndex; // record -> index in rows
    int m_hashThreads = 0;

    QRadioButton* m_rbLarger = nullptr;
    QRadioButton* m_rbSmaller = nullptr;
    QRadioButton* m_rbBetween = nullptr;
    QDoubleSpinBox* m_num1 = nullptr;
    QDoubleSpinBox* m_num2 = nullptr;
    QLabel* m_lblAnd = nullptr;
    QComboBox* m_cbKB1 = nullptr;
    QLabel* m_lblMatching = nullptr;
    QComboBox* m_cbWildCard = nullptr;
    QLabel* m_lblWild = nullptr;
    WildcardBox* m_wildcard = nullptr;
    QLabel* m_lblDup = nullptr;
    QComboBox* m_cbDup = nullptr;
    QPushButton* m_btCompare = nullptr;
};

} // namespace rw
