#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QChartView;
class QLabel;
class QRadioButton;
class QScrollBar;
class QTimer;
class QWidget;

namespace rw
{

class CheckListBox;
struct SpaceFigures;

// The "Space" page of the statistics window: capacity, free and used space
// of the ticked drives, as stacked bars with depth (growing in a short
// animation) or as a pie. It needs no collection and is recomputed whenever
// it is shown or a drive is ticked.
class StatsSpacePage : public QObject
{
    Q_OBJECT
public:
    // Builds the controls on `page`; `onView` tells whether the page is the
    // one on view (the bar animation runs only then).
    StatsSpacePage(QWidget* page, std::function<bool()> onView, QObject* parent);

    // The controls a running collection disables.
    QList<QWidget*> runControls() const;
    CheckListBox* driveList() const { return m_pckStatDrive; }
    QChartView* pieView() const { return m_chartSpacePie; }
    QScrollBar* scrollBar() const { return m_scrollBar1; }
    bool pieChosen() const;

    // Recomputes the page from the ticked drives (guarded against re-entry).
    void doDiskSize();
    // Shows the pie or the bars as the radio buttons say (not while no drive
    // was counted); choosing the bars restarts their animation.
    void rgSpaceClick();
    // Sets the bars' depth to 1 % and lets it grow every 50 ms.
    void startBarAnimation();
    // One step of the animation; stops at the limit or off the page.
    void Timer2Timer();
    int barDepth() const;
    bool animating() const;

private:
    void showSpaceBars(const SpaceFigures& f);

    std::function<bool()> m_onView;
    CheckListBox* m_pckStatDrive;
    QRadioButton* m_rbPie;
    QRadioButton* m_rbBar;
    QLabel* m_lblCaption[3];
    QLabel* m_lblFigure[3]; // total, free, used
    QLabel* m_swatch[2];    // free, used colours
    QChartView* m_chartSpaceBar;
    QChartView* m_chartSpacePie;
    QScrollBar* m_scrollBar1;
    QTimer* m_barTimer;
    bool m_inDiskSize = false;
    bool m_counted = false;
    int m_drives = 0;
};

} // namespace rw
