#include "tools/stats/StatsSpacePage.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedBarSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include "controls/CheckListBox.h"
#include "controls/ReadableColours.h"
#include "platform/Drives.h"
#include "tools/stats/BarDepthItem.h"
#include "tools/stats/ChartMarks.h"
#include "tools/stats/StatsCharts.h"
#include "tools/stats/core/ChartFormats.h"
#include "tools/stats/core/StatsTexts.h"

namespace rw
{

namespace
{

const QColor kFree(255, 0, 255);
const QColor kUsed(0, 0, 255);

QLabel* swatch(QWidget* page, const QColor& colour)
{
    auto* l = new QLabel(page);
    l->setFixedSize(14, 14);
    l->setStyleSheet(QStringLiteral("background: %1; border: 1px solid black").arg(colour.name()));
    return l;
}

} // namespace

StatsSpacePage::StatsSpacePage(QWidget* page, std::function<bool()> onView, QObject* parent)
    : QObject(parent), m_onView(std::move(onView))
{
    m_pckStatDrive = new CheckListBox(page);
    m_pckStatDrive->setObjectName(QStringLiteral("pckStatDrive"));
    m_pckStatDrive->setMaximumWidth(170);
    connect(m_pckStatDrive, &CheckListBox::checksChanged, this, &StatsSpacePage::doDiskSize);

    auto* rgSpace = new QGroupBox(page);
    rgSpace->setObjectName(QStringLiteral("rgSpace"));
    auto* rgLayout = new QVBoxLayout(rgSpace);
    auto* group = new QButtonGroup(rgSpace);
    m_rbPie = new QRadioButton(tr("Pie - percent"));
    m_rbBar = new QRadioButton(tr("Bar - totals"));
    group->addButton(m_rbPie, 0);
    group->addButton(m_rbBar, 1);
    rgLayout->addWidget(m_rbPie);
    rgLayout->addWidget(m_rbBar);
    m_rbBar->setChecked(true);
    rgSpace->setMaximumWidth(170);
    connect(group, &QButtonGroup::idClicked, this, &StatsSpacePage::rgSpaceClick);

    auto* figures = new QGridLayout;
    const char* captions[3] = {QT_TR_NOOP("Total Capacity:"), QT_TR_NOOP("Free Space:"),
                               QT_TR_NOOP("Used Space:")};
    const char* names[3] = {"lblTotal", "lblFree", "lblUsed"};
    m_swatch[0] = swatch(page, kFree);
    m_swatch[0]->setObjectName(QStringLiteral("shpFree"));
    m_swatch[1] = swatch(page, kUsed);
    m_swatch[1]->setObjectName(QStringLiteral("shpUsed"));
    for (int i = 0; i < 3; ++i) {
        m_lblCaption[i] = new QLabel(tr(captions[i]), page);
        m_lblFigure[i] = new QLabel(page);
        m_lblFigure[i]->setObjectName(QLatin1String(names[i]));
        m_lblFigure[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i > 0)
            figures->addWidget(m_swatch[i - 1], i, 0);
        figures->addWidget(m_lblCaption[i], i, 1);
        figures->addWidget(m_lblFigure[i], i, 2);
    }

    m_chartSpaceBar = makeChartView(page, "chartSpaceBar");
    m_chartSpaceBar->chart()->legend()->setVisible(false);
    m_chartSpacePie = makeChartView(page, "chartSpacePie");
    m_chartSpacePie->setToolTip(tr("Click on pie to animate"));
    m_chartSpacePie->hide();
    m_scrollBar1 = new QScrollBar(Qt::Horizontal, page);
    m_scrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    m_scrollBar1->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(m_pckStatDrive, 1);
    left->addWidget(rgSpace);
    left->addLayout(figures);
    // The bars and the pie share one place: only the one chosen is shown.
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_chartSpaceBar, 1);
    chartColumn->addWidget(m_chartSpacePie, 1);
    chartColumn->addWidget(m_scrollBar1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(chartColumn, 1);

    m_barTimer = new QTimer(this);
    m_barTimer->setInterval(50);
    connect(m_barTimer, &QTimer::timeout, this, &StatsSpacePage::Timer2Timer);
}

QList<QWidget*> StatsSpacePage::runControls() const
{
    return {m_pckStatDrive, m_rbPie, m_rbBar};
}

bool StatsSpacePage::pieChosen() const
{
    return m_rbPie->isChecked();
}

void StatsSpacePage::doDiskSize()
{
    // Ticking drives fires change signals; one refresh at a time.
    if (m_inDiskSize)
        return;
    m_inDiskSize = true;
    for (QLabel* l : m_lblFigure)
        l->clear();

    QList<QPair<QChar, DriveGeometry>> drives;
    for (const QString& entry : m_pckStatDrive->checkedLines()) {
        if (entry.isEmpty() || !entry.at(0).isLetter())
            continue;
        const QChar letter = entry.at(0).toUpper();
        DriveGeometry g;
        if (DriveValid(letter) && driveGeometry(letter, &g))
            drives.append({letter, g});
    }
    const SpaceFigures f = computeSpace(drives);
    m_drives = int(f.drives.size());
    showSpaceBars(f);

    m_counted = !f.drives.isEmpty();
    const bool any = f.total > 0;
    if (any) {
        showPie(m_chartSpacePie->chart(),
                {{tr("Used space"), f.used(), kUsed}, {tr("Free space"), f.free, kFree}},
                m_scrollBar1->value());
        m_lblFigure[0]->setText(f.totalText());
        m_lblFigure[1]->setText(f.freeText());
        m_lblFigure[2]->setText(f.usedText());
        // Black, or red as a warning; lightened where the face is dark.
        const QColor figure =
            ReadableColours::readableOn(f.freeWarning() ? QColor(Qt::red) : QColor(Qt::black),
                                        m_lblFigure[1]->palette().color(QPalette::Window));
        m_lblFigure[1]->setStyleSheet(QStringLiteral("color: %1").arg(figure.name()));
    } else {
        clearChart(m_chartSpacePie->chart());
    }
    for (QLabel* l : m_lblCaption)
        l->setVisible(any);
    for (QLabel* l : m_swatch)
        l->setVisible(any);
    m_chartSpaceBar->setVisible(any && m_rbBar->isChecked());
    m_chartSpacePie->setVisible(any && m_rbPie->isChecked());
    m_scrollBar1->setVisible(any && m_rbPie->isChecked());
    m_inDiskSize = false;
}

void StatsSpacePage::showSpaceBars(const SpaceFigures& f)
{
    QChart* bar = m_chartSpaceBar->chart();
    const int depth = BarDepthItem::of(bar) ? BarDepthItem::of(bar)->depth() : 1;
    clearChart(bar);
    auto* series = new QStackedBarSeries(bar);
    series->setBarWidth(0.45);
    auto* freeSet = new QBarSet(tr("Free"));
    auto* usedSet = new QBarSet(tr("Used"));
    freeSet->setColor(kFree);
    usedSet->setColor(kUsed);
    QStringList categories;
    QList<ChartMarks::Mark> marks;
    double highest = 0;
    auto addBar = [&](const QString& category, double free, double used, const QString& unit) {
        const double i = double(categories.size());
        categories.append(category);
        freeSet->append(std::round(free));
        usedSet->append(std::round(used));
        marks.append({QPointF(i, free / 2), unitMark(free, unit), ChartMarks::Place::Centre});
        marks.append(
            {QPointF(i, free + used / 2), unitMark(used, unit), ChartMarks::Place::Centre});
        highest = std::max(highest, free + used);
    };
    // Every drive's bars are in its own unit; each mark says which.
    for (const SpaceFigures::Drive& d : f.drives)
        addBar(QString(d.letter), d.free, d.used,
               d.megabytes ? QStringLiteral("MB") : QStringLiteral("KB"));
    if (f.totalBars)
        addBar(tr("Total"), f.free, f.used(), f.unitText());
    series->append(freeSet);
    series->append(usedSet);
    bar->addSeries(series);
    auto* xAxis = new QBarCategoryAxis(bar);
    xAxis->append(categories);
    auto* yAxis = new QValueAxis(bar);
    // Room above the tallest bar for its top face.
    fitValueAxis(yAxis, highest * 1.2, true);
    yAxis->setLabelFormat(yAxis->labelFormat() + QLatin1Char(' ') + f.unitText());
    bar->addAxis(xAxis, Qt::AlignBottom);
    bar->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
    bar->legend()->setVisible(false);
    BarDepthItem::attach(bar, series, depth);
    ChartMarks::attach(bar, series, marks);
}

void StatsSpacePage::rgSpaceClick()
{
    if (!m_counted)
        return;
    m_chartSpaceBar->setVisible(m_rbBar->isChecked());
    m_chartSpacePie->setVisible(m_rbPie->isChecked());
    m_scrollBar1->setVisible(m_rbPie->isChecked());
    if (m_rbBar->isChecked())
        startBarAnimation();
}

void StatsSpacePage::startBarAnimation()
{
    if (BarDepthItem* d = BarDepthItem::of(m_chartSpaceBar->chart()))
        d->setDepth(1);
    m_barTimer->start();
}

void StatsSpacePage::Timer2Timer()
{
    BarDepthItem* d = BarDepthItem::of(m_chartSpaceBar->chart());
    if (!d || !m_onView()) {
        m_barTimer->stop();
        return;
    }
    const DepthGrowth growth = barDepthGrowth(m_drives);
    d->setDepth(std::min(d->depth() + growth.step, growth.limit));
    if (d->depth() >= growth.limit)
        m_barTimer->stop();
}

int StatsSpacePage::barDepth() const
{
    const BarDepthItem* d = BarDepthItem::of(m_chartSpaceBar->chart());
    return d ? d->depth() : 0;
}

bool StatsSpacePage::animating() const
{
    return m_barTimer->isActive();
}

} // namespace rw
