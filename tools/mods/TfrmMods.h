#pragma once

#include <QString>

#include "framework/ToolWindow.h"
#include "tools/mods/core/ModsScan.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace rw
{

class WildcardBox;

// "Files in a range of dates": scans the checked drives for files whose
// last-access, creation or last-modification day lies on or before a date,
// between two dates or on or after a date, and whose name matches a pattern.
// Each row shows all three dates, the size, the folder and the type; rows can
// be marked, sorted, printed, copied, opened and deleted through the shared
// result grid. The tested time, the range and the pattern stay usable during
// a scan and take effect at once; the dates are fixed while it runs.
class TfrmMods : public ToolWindow
{
    Q_OBJECT
public:
    explicit TfrmMods(QWidget* owner = nullptr);
    ~TfrmMods() override;

    // Data rows of the last scan.
    std::int64_t rowsFilled() const;

    // The choices as they stand.
    TestedTime testedTime() const;
    DateRange dateRange() const;

    // "&Start": checks the dates in use, then runs a scan (with hints off).
    void btOKClick();
    void btScanClick() override { btOKClick(); }
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
    // Title of the printed report ("Files Last accessed between ... and ...").
    QString printTitle() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormShow() override;
    int minimumContentWidth() const override;
    int driveListMinLeft() const override;
    // Mark and Delete come and go with the other result buttons.
    void setResultButtonsVisible(bool visible) override;

private:
    void buildControls();
    void buildGrid();
    // ClearGrid, then the one empty data row an empty grid shows.
    void clearToOneEmptyRow();
    void pickDate(QLineEdit* field, QLineEdit* other);
    bool checkDate(QLineEdit* field, const QString& error);

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

    ModsScan* m_activeScan = nullptr; // the strategy of the run going, if any
    std::int64_t m_rowsFilled = 0;    // rows the last scan found
    bool m_checkingDate = false;
};

} // namespace rw
