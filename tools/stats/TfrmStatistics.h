#pragma once

#include <QDialog>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

#include "tools/stats/core/StatsCollector.h"

class QAction;
class QButtonGroup;
class QChart;
class QChartView;
class QFrame;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace rw
{

class CheckListBox;
class ScanSession;
class StatsDatePages;
class StatsOverhangPage;

// The statistics window: drive space, the cumulative deletion totals, and
// the figures of a statistics run over chosen drives by type, size class,
// cluster slack, age, attribute and hour, on the pages of one notebook.
// It lives for the whole program run; Close hides it, so the figures of
// the last run stay until the next one.
class TfrmStatistics : public QDialog
{
    Q_OBJECT
public:
    enum Page {
        Space,
        Deleted,
        Types,
        Sizes,
        Overhang,
        Access,
        Created,
        Modified,
        Combined,
        Attribute,
        Time
    };

    explicit TfrmStatistics(QWidget* parent = nullptr);
    ~TfrmStatistics() override;

    // Runs a collection over `driveEntries` (drive list lines) with the given
    // type filter and type list lines, as "&Collect statistics" does after
    // the wizard. False when nothing was collected because no chosen drive
    // has any capacity (an error box says so) or the list is empty.
    bool collect(const QStringList& driveEntries, TypeFilter filter,
                 const QStringList& typeLines = {});

    const StatsCollector& stats() const { return m_stats; }
    bool collected() const { return m_collected; }
    bool busy() const { return m_busy; }
    // The status line text.
    QString statusText() const;
    // The page on view.
    void showPage(Page page);

    // Prints the page on view to `printer` (not owned): the type listing as
    // text lines under "File types for drive " + the drive, any other page
    // as its image. False when the printer could not be used.
    bool printPage(QPrinter* printer);

    // Refreshes the drive-space page from the ticked drives.
    void doDiskSize();
    // Refreshes the deleted-files page from the settings file.
    void showFilesDeleted();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSpacePage(QWidget* page);
    void buildDeletedPage(QWidget* page);
    void buildTypesPage(QWidget* page);
    void buildSizesPage(QWidget* page);

    void btOKClick();
    void btCancelClick();
    void btPrintClick();
    void Button1Click();
    void pageChanged(int index);
    void rgSpaceClick();
    void rgTypesClick();
    void rgSizesClick();
    void sortTypes(int column);
    void placeNotYetPanel();
    void Timer1Timer();

    void scan(const QString& entry);
    void refreshViews();
    void doFileTypes();
    void fillTypeGrid();
    void fillGridSizes();

    StatsCollector m_stats;
    bool m_collected = false;
    bool m_busy = false;
    bool m_inDiskSize = false;
    QStringList m_drives;
    QString m_currentDrive;
    std::int64_t m_clusterSize = 0;

    // The rows of the type grid, kept as numbers so sorting never reads
    // formatted text back.
    struct TypeLine {
        QString extension;
        QString description;
        std::int64_t bytes = 0;
        std::int64_t count = 0;
        std::int64_t average() const { return count > 0 ? bytes / count : 0; }
    };
    std::vector<TypeLine> m_typeLines;
    int m_typeSortColumn = 0;

    QTabWidget* m_notebook;
    QFrame* m_pnlNotYet;
    QLabel* m_lblNotYet;
    QPushButton* m_btAbort;
    QPushButton* m_btCancel;
    QPushButton* m_btOK;
    QPushButton* m_btPrint;
    QLabel* m_status;
    ScanSession* m_session;

    // Space page.
    CheckListBox* m_pckStatDrive;
    QRadioButton* m_rbPie;
    QRadioButton* m_rbBar;
    QLabel* m_lblCaption[3];
    QLabel* m_lblFigure[3]; // total, free, used
    QChartView* m_chartSpaceBar;
    QChartView* m_chartSpacePie;
    bool m_spaceCounted = false;

    // Deleted page.
    QLabel* m_lblSince1;
    QLabel* m_lblDeleted[4];
    QPushButton* m_button1;

    // Types page.
    QButtonGroup* m_rgTypes;
    QTableWidget* m_gridTypes;
    QChartView* m_chartTypesPie;
    QMenu* m_typeMenu;
    QList<QAction*> m_sortActions;

    // Sizes page.
    QButtonGroup* m_rgSizes;
    QTableWidget* m_gridSizes;
    QChartView* m_chartSizes;

    std::unique_ptr<StatsOverhangPage> m_overhangPage;
    StatsDatePages* m_datePages = nullptr;
    QTimer* m_pieTimer;
    QScrollBar* m_scrollBar1;
    QScrollBar* m_scrollBar2;
};

} // namespace rw
