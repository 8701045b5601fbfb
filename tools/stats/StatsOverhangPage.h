#pragma once

#include <cstdint>

class QChartView;
class QFrame;
class QGridLayout;
class QLabel;
class QWidget;

namespace rw
{

class StatsCollector;

// The "Overhang" page of the statistics window: the room the files of a
// single-drive run waste in partly filled clusters at five cluster sizes,
// with an arrow at the drive's own cluster size.
class StatsOverhangPage
{
public:
    // Builds the page's controls on `page` (owned by it).
    explicit StatsOverhangPage(QWidget* page);

    // Fills the page from `stats`. False when the files add up to 0 bytes,
    // in which case the page shows nothing new and should be disabled.
    bool refresh(const StatsCollector& stats, std::int64_t clusterSize);

private:
    QLabel* m_lblOver[5];
    QLabel* m_lblClusterRow[5];
    QLabel* m_imArrow;
    QGridLayout* m_table;
    QFrame* m_pnlOverhang;
    QLabel* m_lblSize;
    QLabel* m_lblNumFiles;
    QLabel* m_lblLbl;
    QChartView* m_chartOverhang;
};

} // namespace rw
