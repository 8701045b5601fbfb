#pragma once

#include <QDialog>
#include <QImage>
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
class ElidedLabel;
class StatsSpacePage;
class StatsTypesPage;
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

    // Prints the page on view to `printer` (not owned): the type listing
    // through the shared grid printing under "File types for drive " + the
    // drive, any other page as the window's image (printImage). False when
    // the printer could not be used.
    bool printPage(QPrinter* printer);
    // The window's image as it is printed: the grounds of the window, the
    // notebook, the check lists, the charts and the statistics grids white
    // (the type grid keeps its own), set back afterwards.
    QImage printImage();

    // Refreshes the drive-space page from the ticked drives.
    void doDiskSize();
    // Refreshes the deleted-files page from the settings file.
    void showFilesDeleted();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDeletedPage(QWidget* page);
    void buildSizesPage(QWidget* page);
    void changeBackgroundColor(const QColor& colour);

    void btOKClick();
    void btCancelClick();
    void btPrintClick();
    void Button1Click();
    void pageChanged(int index);
    void rgSizesClick();
    void placeNotYetPanel();
    void Timer1Timer();

    void scan(const QString& entry);
    void refreshViews();
    void fillGridSizes();

    StatsCollector m_stats;
    bool m_collected = false;
    bool m_busy = false;
    QStringList m_drives;
    QString m_currentDrive;
    std::int64_t m_clusterSize = 0;

    QTabWidget* m_notebook;
    QFrame* m_pnlNotYet;
    QLabel* m_lblNotYet;
    QPushButton* m_btAbort;
    QPushButton* m_btCancel;
    QPushButton* m_btOK;
    QPushButton* m_btPrint;
    ElidedLabel* m_status;
    ScanSession* m_session;

    StatsSpacePage* m_spacePage = nullptr;

    // Deleted page.
    QLabel* m_lblSince1;
    QLabel* m_lblDeleted[4];
    QPushButton* m_button1;

    StatsTypesPage* m_typesPage = nullptr;

    // Sizes page.
    QButtonGroup* m_rgSizes;
    QTableWidget* m_gridSizes;
    QChartView* m_chartSizes;

    std::unique_ptr<StatsOverhangPage> m_overhangPage;
    StatsDatePages* m_datePages = nullptr;
    QTimer* m_pieTimer;
};

} // namespace rw
