#include "tools/stats/StatsDatePages.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

#include <QValueAxis>
#include <algorithm>

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "tools/stats/OverlapBarsItem.h"
#include "tools/stats/PlotRowAligner.h"
#include "tools/stats/StatsCharts.h"
#include "tools/stats/core/StatsCollector.h"
#include "tools/stats/core/StatsTexts.h"

namespace rw
{

namespace
{

const char* const kAgeHeads[3] = {QT_TRANSLATE_NOOP("rw::StatsDatePages", "Accessed Date"),
                                  QT_TRANSLATE_NOOP("rw::StatsDatePages", "Created Date"),
                                  QT_TRANSLATE_NOOP("rw::StatsDatePages", "Modified Date")};
const char* const kAgeTitles[3] = {QT_TRANSLATE_NOOP("rw::StatsDatePages", "Access Date"),
                                   QT_TRANSLATE_NOOP("rw::StatsDatePages", "Created Date"),
                                   QT_TRANSLATE_NOOP("rw::StatsDatePages", "Modified Date")};
const char* const kAgeNames[3] = {"Access", "Created", "Modified"};

const char* const kInfoTexts[5] = {
    QT_TRANSLATE_NOOP(
        "rw::StatsDatePages",
        "Note: prior versions of Windows and DOS did not store the file access date.  Files never "
        "recorded as being accessed are probably old files that were converted to Windows 95."),
    QT_TRANSLATE_NOOP("rw::StatsDatePages", "Files never recorded as being created are probably "
                                            "old files that were converted to Windows "
                                            "95.  Note: prior versions of Windows and DOS did not "
                                            "store the file creation date independent "
                                            "of the last file modification or file write date."),
    QT_TRANSLATE_NOOP(
        "rw::StatsDatePages",
        "Note: prior versions of Windows and DOS treated the file creation date synonomously  with "
        "the "
        "last file modification date.  Therefore all files have a file modification date."),
    QT_TRANSLATE_NOOP("rw::StatsDatePages",
                      "This chart combines the Accessed, Created and Modified charts"),
    QT_TRANSLATE_NOOP(
        "rw::StatsDatePages",
        "Note: Sometimes software vendors use the file modified time to indicate the version "
        "number of "
        "a product. For example, a file with the time of 02:10 am would represent version 2.1 of a "
        "certain product.")};

QPushButton* infoButton(QWidget* page, int number)
{
    auto* b = new QPushButton(QStringLiteral("?"), page);
    b->setObjectName(QStringLiteral("SpeedButton%1").arg(number + 1));
    b->setFixedSize(22, 22);
    QObject::connect(b, &QPushButton::clicked,
                     [number] { ShowInfoMessage(StatsDatePages::tr(kInfoTexts[number])); });
    return b;
}

QButtonGroup* radioRow(QWidget* page, QHBoxLayout* row, const QStringList& texts, int checked)
{
    auto* group = new QButtonGroup(page);
    for (int i = 0; i < texts.size(); ++i) {
        auto* rb = new QRadioButton(texts[i], page);
        rb->setChecked(i == checked);
        group->addButton(rb, i);
        row->addWidget(rb);
    }
    return group;
}

} // namespace

StatsDatePages::StatsDatePages(QObject* parent, const QList<QWidget*>& pages) : QObject(parent)
{
    for (int kind = 0; kind < 3; ++kind)
        buildAgePage(kind, pages[kind]);
    buildCombinedPage(pages[3]);
    buildAttributePage(pages[4]);
    buildTimePage(pages[5]);
}

QList<QWidget*> StatsDatePages::runControls() const
{
    QList<QWidget*> controls;
    for (const AgePage& p : m_ages)
        for (QAbstractButton* b : p.group->buttons())
            controls.append(b);
    for (QAbstractButton* b : m_rgCombined->buttons())
        controls.append(b);
    return controls;
}

void StatsDatePages::buildAgePage(int kind, QWidget* page)
{
    AgePage& p = m_ages[kind];
    auto* row = new QHBoxLayout;
    p.group = radioRow(
        page, row, {tr("Listing"), tr("Chart by Size (in MB)"), tr("Chart by Number of Files")}, 1);
    row->addStretch();
    row->addWidget(infoButton(page, kind));
    p.grid = makeStatsGrid(page, (QByteArray("grid") + kAgeNames[kind]).constData(),
                           {tr(kAgeHeads[kind]), tr("Total file size"), tr("Number of files")},
                           StatsCollector::kAgeClasses);
    p.chart = makeChartView(page, (QByteArray("chart") + kAgeNames[kind]).constData());
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(p.grid, 1);
    layout->addWidget(p.chart, 1);
    p.grid->hide();
    connect(p.group, &QButtonGroup::idClicked, this, [this, kind] { rgAccessClick(kind); });
}

void StatsDatePages::buildCombinedPage(QWidget* page)
{
    auto* row = new QHBoxLayout;
    m_rgCombined =
        radioRow(page, row, {tr("Chart by Size (in MB)"), tr("Chart by Number of Files")}, 0);
    row->addStretch();
    row->addWidget(infoButton(page, 3));
    m_gridCombined = makeStatsGrid(page, "gridCombined",
                                   {tr("Combined dates"), tr("Access Size"), tr("Access # files"),
                                    tr("Create Size"), tr("Create # files"), tr("Modify Size"),
                                    tr("Modify # files")},
                                   StatsCollector::kAgeClasses);
    // Every row shows; the chart gets the rest of the page.
    m_gridCombined->verticalHeader()->setMinimumSectionSize(17);
    m_gridCombined->verticalHeader()->setDefaultSectionSize(17);
    m_gridCombined->setFixedHeight(17 * StatsCollector::kAgeClasses +
                                   m_gridCombined->horizontalHeader()->sizeHint().height() + 8);
    m_chartCombined = makeChartView(page, "chartCombined");
    m_chartCombined->chart()->setMargins(QMargins(2, 2, 2, 2));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(m_gridCombined);
    layout->addWidget(m_chartCombined, 1);
    connect(m_rgCombined, &QButtonGroup::idClicked, this, &StatsDatePages::doFileAges);
}

void StatsDatePages::buildAttributePage(QWidget* page)
{
    auto* grid = new QGridLayout;
    const char* heads[4] = {QT_TRANSLATE_NOOP("rw::StatsDatePages", "# Files"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "File Sizes"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "% of total # files"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "% of total size")};
    const char* rows[4] = {QT_TRANSLATE_NOOP("rw::StatsDatePages", "Hidden"),
                           QT_TRANSLATE_NOOP("rw::StatsDatePages", "Read-only"),
                           QT_TRANSLATE_NOOP("rw::StatsDatePages", "System"),
                           QT_TRANSLATE_NOOP("rw::StatsDatePages", "Archive")};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(new QLabel(tr(heads[c]), page), 0, c + 1);
    QList<QWidget*> rowLabels;
    for (int r = 0; r < 4; ++r) {
        rowLabels.append(new QLabel(tr(rows[r]), page));
        grid->addWidget(rowLabels.last(), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            m_attrLabels[r][c] = new QLabel(page);
            m_attrLabels[r][c]->setObjectName(QStringLiteral("lblAttr%1_%2").arg(r).arg(c));
            m_attrLabels[r][c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(m_attrLabels[r][c], r + 1, c + 1);
        }
    }
    m_chartAttrCount = makeChartView(page, "chartAttrCount");
    m_chartAttrSize = makeChartView(page, "chartAttrSize");
    // Value marks only: no frame, and the bars level with the rows (hidden
    // at the top, archive at the bottom).
    for (QChartView* view : {m_chartAttrCount, m_chartAttrSize}) {
        view->setFrameShape(QFrame::NoFrame);
        view->chart()->setBackgroundPen(Qt::NoPen);
        view->setMinimumWidth(120);
        new PlotRowAligner(view, rowLabels);
    }
    grid->addWidget(m_chartAttrCount, 1, 3, 4, 1);
    grid->addWidget(m_chartAttrSize, 1, 4, 4, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
    auto* note = new QLabel(tr("Note it is possible that some files may have more than "
                               "one attribute set.  For example many system files are "
                               "also hidden."),
                            page);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid, 1);
    layout->addWidget(note);
}

void StatsDatePages::buildTimePage(QWidget* page)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(infoButton(page, 4));
    m_chartTime = makeChartView(page, "chartTime");
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(m_chartTime, 1);
}

void StatsDatePages::refresh(const StatsCollector& stats)
{
    m_stats = &stats;
    doFileAttrs();
    // Grids list the oldest class first and "Not recorded" last.
    for (int kind = 0; kind < 3; ++kind) {
        for (int r = 0; r < StatsCollector::kAgeClasses; ++r) {
            const int cls = StatsCollector::kAgeClasses - 1 - r;
            const Bucket& b = stats.ageClass(StatsCollector::AgeKind(kind), cls);
            setGridCell(m_ages[kind].grid, r, 0, ageClassLabel(cls));
            setGridCell(m_ages[kind].grid, r, 1, FormatGrouped(b.bytes));
            setGridCell(m_ages[kind].grid, r, 2, FormatGrouped(b.count));
            if (kind == 0)
                setGridCell(m_gridCombined, r, 0, ageClassLabel(cls));
            setGridCell(m_gridCombined, r, 1 + 2 * kind, FormatGrouped(b.bytes));
            setGridCell(m_gridCombined, r, 2 + 2 * kind, FormatGrouped(b.count));
        }
    }
    doFileTimes();
    doFileAges();
}

void StatsDatePages::rgAccessClick(int kind)
{
    const bool listing = m_ages[kind].group->checkedId() == 0;
    m_ages[kind].grid->setVisible(listing);
    m_ages[kind].chart->setVisible(!listing);
    if (!listing)
        doFileAges();
}

void StatsDatePages::doFileAges()
{
    if (!m_stats)
        return;
    const QList<QColor>& colours = statsColourTable();
    for (int kind = 0; kind < 3; ++kind) {
        const bool bySize = m_ages[kind].group->checkedId() != 2;
        QList<ChartPoint> points;
        for (int c = 0; c < StatsCollector::kAgeClasses; ++c) {
            const Bucket& b = m_stats->ageClass(StatsCollector::AgeKind(kind), c);
            points.append({ageClassLabel(c), bySize ? double(b.bytes) / 1048576 : double(b.count),
                           colours[c]});
        }
        BarStyle style;
        style.wholeNumbers = !bySize;
        showBars(m_ages[kind].chart->chart(),
                 (bySize ? tr("%1 (file sizes in MB)") : tr("%1 (Number of files)"))
                     .arg(tr(kAgeTitles[kind])),
                 points, style);
    }

    showCombinedChart();
}

void StatsDatePages::showCombinedChart()
{
    QChart* chart = m_chartCombined->chart();
    clearChart(chart);
    chart->setTitle(tr("Combination Access/Created/Modified Chart"));
    const bool bySize = m_rgCombined->checkedId() == 0;
    const char* names[3] = {QT_TRANSLATE_NOOP("rw::StatsDatePages", "Accessed"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "Created"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "Modified")};
    const QColor setColours[3] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(255, 255, 0)};
    QStringList labels;
    for (int c = 0; c < StatsCollector::kAgeClasses; ++c)
        labels.append(chartText(ageClassLabel(c)));
    auto* axisY = new QBarCategoryAxis(chart);
    axisY->append(labels);
    axisY->setTruncateLabels(false);
    QFont small = chart->font();
    small.setPixelSize(10);
    axisY->setLabelsFont(small);
    auto* axisX = new QValueAxis(chart);
    chart->addAxis(axisY, Qt::AlignLeft);
    chart->addAxis(axisX, Qt::AlignBottom);
    double highest = 0;
    // Three series in one band per age class, neither stacked nor side by
    // side: each lies over the one before, narrower, so all three show. Qt
    // Charts would put bar series side by side, so the chart's own series
    // stay empty (they give the scale and the legend) and the bars are
    // drawn over them.
    QList<OverlapBarsItem::Layer> layers;
    QHorizontalBarSeries* first = nullptr;
    for (int kind = 0; kind < 3; ++kind) {
        auto* series = new QHorizontalBarSeries(chart);
        auto* set = new QBarSet(tr(names[kind]));
        set->setColor(setColours[kind]);
        set->setBorderColor(setColours[kind].darker(160));
        OverlapBarsItem::Layer layer{setColours[kind], {}, 0.8 - 0.22 * kind};
        for (int c = 0; c < StatsCollector::kAgeClasses; ++c) {
            const Bucket& b = m_stats->ageClass(StatsCollector::AgeKind(kind), c);
            const double v = bySize ? double(b.bytes) / 1048576 : double(b.count);
            set->append(0);
            layer.values.append(v);
            highest = std::max(highest, v);
        }
        layers.append(layer);
        series->append(set);
        chart->addSeries(series);
        series->attachAxis(axisY);
        series->attachAxis(axisX);
        if (!first)
            first = series;
    }
    fitValueAxis(axisX, highest, !bySize);
    chart->legend()->setAlignment(Qt::AlignRight);
    OverlapBarsItem::attach(chart, first, layers);
}

void StatsDatePages::doFileAttrs()
{
    // Rows: hidden, read-only, system, archive.
    const StatsCollector::AttributeRow rows[4] = {StatsCollector::Hidden, StatsCollector::ReadOnly,
                                                  StatsCollector::System, StatsCollector::Archive};
    double countSum = 0;
    double byteSum = 0;
    for (int r = 0; r < 4; ++r) {
        const Bucket& b = m_stats->attribute(rows[r]);
        m_attrLabels[r][0]->setText(FormatGrouped(b.count));
        m_attrLabels[r][1]->setText(FormatGrouped(b.bytes));
        countSum += double(b.count);
        byteSum += double(b.bytes);
    }
    // Bars in the order archive, system, read-only, hidden.
    const char* names[4] = {QT_TRANSLATE_NOOP("rw::StatsDatePages", "Archive"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "System"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "Read-only"),
                            QT_TRANSLATE_NOOP("rw::StatsDatePages", "Hidden")};
    const int order[4] = {3, 2, 1, 0};
    QList<ChartPoint> counts;
    QList<ChartPoint> sizes;
    for (int i = 0; i < 4; ++i) {
        const Bucket& b = m_stats->attribute(rows[order[i]]);
        if (countSum > 0)
            counts.append({tr(names[i]), double(b.count) * 100 / countSum, Qt::red});
        if (byteSum > 0)
            sizes.append({tr(names[i]), double(b.bytes) * 100 / byteSum, Qt::blue});
    }
    BarStyle style;
    style.horizontal = true;
    style.legend = false;
    style.axes = false;
    style.marks = BarStyle::Marks::Value;
    showBars(m_chartAttrCount->chart(), QString(), counts, style);
    showBars(m_chartAttrSize->chart(), QString(), sizes, style);
}

void StatsDatePages::doFileTimes()
{
    QChart* chart = m_chartTime->chart();
    clearChart(chart);
    auto* modified = new QLineSeries(chart);
    modified->setName(tr("Modified time"));
    modified->setColor(Qt::red);
    auto* created = new QLineSeries(chart);
    created->setName(tr("Created time"));
    created->setColor(QColor(0, 255, 0));
    auto* axisX = new QCategoryAxis(chart);
    axisX->setTitleText(
        tr("Time of day file was modified/created (access time is not recorded by Win95)"));
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    double highest = 0;
    for (int h = 0; h < 24; ++h) {
        const double m = double(m_stats->modificationHour(h));
        const double c = double(m_stats->creationHour(h));
        modified->append(h, m);
        created->append(h, c);
        highest = std::max({highest, m, c});
        // Every point is labelled with its hour; the axis names every
        // third one so the texts do not run into each other.
        if (h % 3 == 0)
            axisX->append(QLocale().toString(QTime(h, 0), QLocale::ShortFormat), h);
    }
    axisX->setRange(0, 23);
    axisX->setTruncateLabels(false);
    auto* axisY = new QValueAxis(chart);
    axisY->setTitleText(tr("Numer of files"));
    // Both series fit under the top of the axis.
    fitValueAxis(axisY, highest, true);
    chart->addSeries(modified);
    chart->addSeries(created);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QLineSeries* s : {modified, created}) {
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    chart->legend()->setAlignment(Qt::AlignTop);
}

} // namespace rw
