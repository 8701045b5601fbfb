#pragma once

#include <QList>
#include <QObject>

class QButtonGroup;
class QChartView;
class QLabel;
class QTableWidget;
class QWidget;

namespace rw
{

class StatsCollector;

// The age, attribute and hour pages of the statistics window: "Access",
// "Created" and "Modified" (age classes as a grid or a bar chart),
// "Combined" (the three side by side), "Attribute" (counts and bytes with
// two percentage charts) and "Time" (files per hour of the day).
class StatsDatePages : public QObject
{
    Q_OBJECT
public:
    // Builds the controls on the six given pages, in the order above.
    StatsDatePages(QObject* parent, const QList<QWidget*>& pages);

    // The radio buttons that a running collection disables.
    QList<QWidget*> runControls() const;

    // Fills every grid, label and chart from `stats`.
    void refresh(const StatsCollector& stats);

private:
    struct AgePage {
        QButtonGroup* group = nullptr; // 0 listing, 1 by size, 2 by count
        QTableWidget* grid = nullptr;
        QChartView* chart = nullptr;
    };

    void buildAgePage(int kind, QWidget* page);
    void buildCombinedPage(QWidget* page);
    void buildAttributePage(QWidget* page);
    void buildTimePage(QWidget* page);
    void rgAccessClick(int kind);
    void doFileAges();
    void showCombinedChart();
    void doFileAttrs();
    void doFileTimes();

    const StatsCollector* m_stats = nullptr;
    AgePage m_ages[3];
    QButtonGroup* m_rgCombined = nullptr;
    QTableWidget* m_gridCombined = nullptr;
    QChartView* m_chartCombined = nullptr;
    QLabel* m_attrLabels[4][4] = {};
    QChartView* m_chartAttrCount = nullptr;
    QChartView* m_chartAttrSize = nullptr;
    QChartView* m_chartTime = nullptr;
};

} // namespace rw
