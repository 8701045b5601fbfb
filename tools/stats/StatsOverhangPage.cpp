#include "tools/stats/StatsOverhangPage.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "base/SharedRoutines.h"
#include "controls/ReadableColours.h"
#include "tools/stats/PlotRowAligner.h"
#include "tools/stats/StatsCharts.h"
#include "tools/stats/core/StatsCollector.h"
#include "tools/stats/core/StatsTexts.h"

namespace rw
{

namespace
{
// The texts of the cluster overhang page, translated as one context.
struct StatsOverhangTexts {
    Q_DECLARE_TR_FUNCTIONS(StatsOverhangTexts)
};

// The red that marks the drive's own cluster size, readable on `w`'s face.
QColor warningRed(const QWidget* w)
{
    return ReadableColours::readableOn(Qt::red, w->palette().color(QPalette::Window));
}

} // namespace

StatsOverhangPage::StatsOverhangPage(QWidget* page)
{
    auto* heading =
        new QLabel(StatsOverhangTexts::tr("Cluster overhang for FAT and FAT32 drives"), page);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);

    auto* table = new QGridLayout;
    m_table = table;
    const char* heads[5] = {QT_TRANSLATE_NOOP("StatsOverhangTexts", "FAT Partion size"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "Cluster size"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "Percent wasted"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "Wasted space"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "FAT 32 Size")};
    for (int c = 0; c < 5; ++c) {
        auto* h = new QLabel(StatsOverhangTexts::tr(heads[c]), page);
        h->setFont(f);
        table->addWidget(h, 0, c == 0 ? 0 : c + 1);
    }
    const char* partitions[5] = {"255 MB", "256 MB - 511 MB", "512 MB - 1023 MB", "1 GB - 2 GB",
                                 "2 GB - 4 GB"};
    const char* fat32[5] = {QT_TRANSLATE_NOOP("StatsOverhangTexts", "Less than 8GB"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "Less than 16GB"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "Less than 32GB"),
                            QT_TRANSLATE_NOOP("StatsOverhangTexts", "32GB or more"), ""};
    m_imArrow = new QLabel(QStringLiteral("\u27a4"), page);
    m_imArrow->setObjectName(QStringLiteral("imArrow"));
    m_imArrow->setStyleSheet(
        QStringLiteral("color: %1; font-size: 16px").arg(warningRed(page).name()));
    m_imArrow->hide();
    for (int r = 0; r < 5; ++r) {
        table->addWidget(new QLabel(QLatin1String(partitions[r]), page), r + 1, 0);
        m_lblClusterRow[r] = new QLabel(clusterSizeLabel(r), page);
        table->addWidget(m_lblClusterRow[r], r + 1, 2);
        m_lblOver[r] = new QLabel(page);
        m_lblOver[r]->setObjectName(QStringLiteral("lblOver%1").arg(r + 1));
        m_lblOver[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->addWidget(m_lblOver[r], r + 1, 4);
        table->addWidget(new QLabel(*fat32[r] ? StatsOverhangTexts::tr(fat32[r]) : QString(), page),
                         r + 1, 5);
    }
    m_chartOverhang = makeChartView(page, "chartOverhang");
    m_chartOverhang->setFrameShape(QFrame::NoFrame);
    m_chartOverhang->chart()->setBackgroundPen(Qt::NoPen);
    m_chartOverhang->setMinimumWidth(200);
    table->addWidget(m_chartOverhang, 1, 3, 5, 1);
    table->setColumnStretch(3, 1);
    // The bars stand beside the cluster-size rows, 4K at the top.
    new PlotRowAligner(m_chartOverhang, QList<QWidget*>(m_lblClusterRow, m_lblClusterRow + 5));

    m_pnlOverhang = new QFrame(page);
    m_pnlOverhang->setObjectName(QStringLiteral("pnlOverhang"));
    m_pnlOverhang->setFrameShape(QFrame::Panel);
    auto* pl = new QGridLayout(m_pnlOverhang);
    m_lblSize = new QLabel(m_pnlOverhang);
    m_lblSize->setObjectName(QStringLiteral("lblSize"));
    m_lblLbl = new QLabel(m_pnlOverhang);
    m_lblLbl->setObjectName(QStringLiteral("lblLbl"));
    m_lblNumFiles = new QLabel(m_pnlOverhang);
    m_lblNumFiles->setObjectName(QStringLiteral("lblNumFiles"));
    pl->addWidget(new QLabel(StatsOverhangTexts::tr("Total file sizes:")), 0, 0);
    pl->addWidget(m_lblSize, 0, 1);
    pl->addWidget(new QLabel(StatsOverhangTexts::tr("Actual space used:")), 1, 0);
    pl->addWidget(m_lblLbl, 1, 1);
    pl->addWidget(m_lblNumFiles, 2, 0, 1, 2);
    m_pnlOverhang->hide();

    auto* note =
        new QLabel(StatsOverhangTexts::tr(
                       "A file always occupies whole clusters, so the last cluster of every file "
                       "is partly empty. The arrow points to the drive's actual cluster size; "
                       "the other figures show what the same files would waste at other cluster "
                       "sizes. Repartitioning, disk compression or FAT32 (4K clusters up to 8GB, "
                       "8K up to 16GB) reduce the waste."),
                   page);
    note->setObjectName(QStringLiteral("memoNote"));
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading);
    auto* row = new QHBoxLayout;
    row->addLayout(table, 1);
    layout->addLayout(row);
    layout->addWidget(m_pnlOverhang);
    layout->addWidget(note);
    layout->addStretch();
}

bool StatsOverhangPage::refresh(const StatsCollector& stats, std::int64_t clusterSize)
{
    const std::int64_t total = stats.totalBytes();
    if (total == 0)
        return false;
    int arrowRow = -1;
    for (int i = 0; i < StatsCollector::kSlackSizes; ++i) {
        m_lblOver[i]->setText(FormatGrouped(stats.slack(i)));
        if (StatsCollector::kClusterSizes[i] == clusterSize)
            arrowRow = i;
        m_lblClusterRow[i]->setStyleSheet(
            i == arrowRow ? QStringLiteral("color: %1").arg(warningRed(m_lblClusterRow[i]).name())
                          : QString());
    }
    // The arrow stands beside the row of the drive's own cluster size.
    m_table->removeWidget(m_imArrow);
    if (arrowRow >= 0)
        m_table->addWidget(m_imArrow, arrowRow + 1, 1);
    m_imArrow->setVisible(arrowRow >= 0);
    m_pnlOverhang->show();
    m_lblSize->setText(wholeUnitText(total));
    m_lblNumFiles->setText(StatsOverhangTexts::tr("Number of files scanned: %1")
                               .arg(FormatGrouped(stats.filesFound())));
    if (arrowRow >= 0)
        m_lblLbl->setText(StatsOverhangTexts::tr("Actual space used %1")
                              .arg(wholeUnitText(total + stats.slack(arrowRow))));
    else
        m_lblLbl->clear();

    // Bars from 64K up to 4K, so drawn from the bottom they line up with the rows.
    QList<ChartPoint> points;
    for (int i = StatsCollector::kSlackSizes - 1; i >= 0; --i) {
        const double s = double(stats.slack(i));
        points.append({clusterSizeLabel(i), s * 100 / (s + double(total)), QColor(255, 0, 0)});
    }
    BarStyle style;
    style.horizontal = true;
    style.legend = false;
    style.axes = false;
    style.marks = BarStyle::Marks::WholePercent;
    showBars(m_chartOverhang->chart(), QString(), points, style);
    return true;
}

} // namespace rw
