#pragma once

#include <QDialog>
#include <QString>

#include "framework/ToolButtonRow.h"
#include "tools/mods/core/ModsScan.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace rw
{

class CheckListBox;
class ResultGridController;
class ResultGridView;
class ScanSession;
class TWinPlace;
class WildcardBox;

// "Files in a range of dates": scans the checked drives for files whose
// last-access, creation or last-modification day lies on or before a date,
// between two dates or on or after a date, and whose name matches a pattern.
// Each row shows all three dates, the size, the folder and the type; rows can
// be marked, sorted, printed, copied, opened and deleted through the shared
// result grid. The tested time, the range and the pattern stay usable during
// a scan and take effect at once; the dates are fixed while it runs.
class TfrmMods : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmMods(QWidget* owner = nullptr);
    ~TfrmMods() override;

    ResultGridController* gridController() const { return m_grid; }
    // Data rows of the last scan.
    std::int64_t rowsFilled() const;

    // The choices as they stand.
    TestedTime testedTime() const;
    DateRange dateRange() const;

    // "&Start": checks the dates in use, then runs a scan (with hints off).
    void btOKClick();
    // One whole run over the checked drives.
    void scan();
    // Shows the second date and "and" only for "In between".
    void rgWhenClick();
    // The calendar pop-ups of the two date fields.
    void popStartDateClick();
    void popEndDateClick();
    // The check of a date field that loses the focus: false (after the error
    // box, with the focus back in the field) when its text is not a date.
    bool dtStartExit();
    bool dtEndExit();
    // "Delete": the confirmation window on the marked files; closes this
    // window unless the confirmation was cancelled.
    void btDeleteClick();
    // Title of the printed report ("Files Last accessed between ... and ...").
    QString printTitle() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildGrid();
    void layoutButtons();
    void FormShow();
    // ClearGrid, then the one empty data row an empty grid shows.
    void clearToOneEmptyRow();
    void applyMinimumSize();
    void placeDriveList();
    void updateStartButton();
    void setResultButtonsVisible(bool visible);
    void pickDate(QLineEdit* field, QLineEdit* other);
    bool checkDate(QLineEdit* field, const QString& error);

    QFrame* m_topPanel = nullptr;
    QGroupBox* m_rgWhat = nullptr;
    QButtonGroup* m_what = nullptr;
    QGroupBox* m_rgWhen = nullptr;
    QButtonGroup* m_when = nullptr;
    QLineEdit* m_dtStart = nullptr;
    QToolButton* m_popStartDate = nullptr;
    QLabel* m_lblAnd = nullptr;
    QLineEdit* m_dtEnd = nullptr;
    QToolButton* m_popEndDate = nullptr;
    QLabel* m_lblWildCaption = nullptr;
    QComboBox* m_cbWildCard = nullptr;
    QLabel* m_lblWild = nullptr;
    WildcardBox* m_wildcard = nullptr;
    CheckListBox* m_pckDrive = nullptr;

    ToolButtonRow m_buttons{nullptr};
    QPushButton* m_btOK = nullptr;
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
    QLabel* m_pnlScan = nullptr;
    ScanSession* m_session = nullptr;
    TWinPlace* m_place = nullptr;

    ModsScan* m_activeScan = nullptr; // the strategy of the run going, if any
    std::int64_t m_rowsFilled = 0;    // rows the last scan found
    bool m_checkingDate = false;
};

} // namespace rw
