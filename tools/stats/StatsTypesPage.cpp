#include "tools/stats/StatsTypesPage.h"

#include <QAction>
#include <QButtonGroup>
#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "base/SharedRoutines.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "controls/WaitCursor.h"
#include "framework/ResultGridController.h"
#include "framework/core/FileTypes.h"
#include "framework/core/ResultLines.h"
#include "framework/core/ResultSet.h"
#include "tools/stats/StatsCharts.h"
#include "tools/stats/core/StatsCollector.h"

namespace rw
{

namespace
{

const int kColumns = 5;

} // namespace

StatsTypesPage::StatsTypesPage(QWidget* page, QWidget* window) : QObject(window)
{
    auto* rgTypes = new QGroupBox(page);
    rgTypes->setObjectName(QStringLiteral("rgTypes"));
    auto* rgLayout = new QHBoxLayout(rgTypes);
    m_rgTypes = new QButtonGroup(rgTypes);
    const char* choices[4] = {QT_TR_NOOP("Listing"), QT_TR_NOOP("Pie by Size"),
                              QT_TR_NOOP("Pie by # Files"), QT_TR_NOOP("Pie by Average Size")};
    for (int i = 0; i < 4; ++i) {
        auto* rb = new QRadioButton(tr(choices[i]));
        rb->setChecked(i == 1);
        m_rgTypes->addButton(rb, i);
        rgLayout->addWidget(rb);
    }
    connect(m_rgTypes, &QButtonGroup::idClicked, this, &StatsTypesPage::rgTypesClick);

    m_gridView = new ResultGridView(page);
    m_gridView->setObjectName(QStringLiteral("gridTypes"));
    m_gridView->setToolTip(QString());
    ResultGridConfig config;
    config.headers = {tr("Extension"), tr("Type"), tr("Size"), tr("# Files"), tr("Avg File Size")};
    config.markColumn = -1;
    config.rightAlignedColumns = {2, 3, 4};
    config.cellInset = 3;
    config.connectGridGestures = false;
    config.resizeMenu = false;
    config.popupMenu = GridPopupMenu::SortAndPanel;
    m_controller = new ResultGridController(window, m_gridView, config);
    m_controller->ClearGrid();
    const int widths[kColumns] = {70, 220, 110, 80, 100};
    for (int c = 0; c < kColumns; ++c)
        m_gridView->setColumnWidth(c, widths[c]);
    // The type grid has its own menu: the five sort orders only.
    disconnect(m_gridView, &QWidget::customContextMenuRequested, m_controller, nullptr);
    m_typeMenu = new QMenu(window);
    const char* items[kColumns] = {
        QT_TR_NOOP("Sort by &Extension"), QT_TR_NOOP("Sort by &Type"), QT_TR_NOOP("Sort by &Size"),
        QT_TR_NOOP("Sort by &Number of files"), QT_TR_NOOP("Sort by &Average File Size")};
    for (int i = 0; i < kColumns; ++i) {
        QAction* a = m_typeMenu->addAction(tr(items[i]));
        a->setCheckable(true);
        a->setChecked(i == 0);
        connect(a, &QAction::triggered, this, [this, i] { sortTypes(i); });
        m_sortActions.append(a);
    }
    connect(m_gridView, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_typeMenu->popup(m_gridView->viewport()->mapToGlobal(pos));
    });

    m_chartTypesPie = makeChartView(page, "chartTypesPie");
    m_chartTypesPie->setToolTip(tr("Click on pie to animate"));
    m_scrollBar2 = new QScrollBar(Qt::Horizontal, page);
    m_scrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rgTypes);
    layout->addWidget(m_gridView, 1);
    layout->addWidget(m_chartTypesPie, 1);
    layout->addWidget(m_scrollBar2);
    m_gridView->hide();
}

QList<QWidget*> StatsTypesPage::runControls() const
{
    QList<QWidget*> controls;
    for (QAbstractButton* b : m_rgTypes->buttons())
        controls.append(b);
    return controls;
}

bool StatsTypesPage::listingChosen() const
{
    return m_rgTypes->checkedId() == 0;
}

void StatsTypesPage::clear()
{
    m_typeLines.clear();
    m_controller->ClearGrid();
}

void StatsTypesPage::doFileTypes(const StatsCollector& stats)
{
    m_typeLines.clear();
    for (const TypeRow& row : stats.types()) {
        m_typeLines.push_back(
            {row.extension,
             row.extension.isEmpty() ? tr("No extension") : FileTypeDescription(row.extension),
             row.bytes, row.count});
    }
    fillTypeGrid();
    rgTypesClick();
}

void StatsTypesPage::fillTypeGrid()
{
    // The shared grid shows records of a result set: one record per type,
    // its cells given as texts of their own.
    auto set = std::make_shared<ResultSet>();
    const std::uint32_t folder = set->addFolder(QByteArray(), FileIdentity());
    auto lines = std::make_shared<ResultLines>(
        set, QList<ResultField>{ResultField::Name, ResultField::Type, ResultField::Size,
                                ResultField::FileCount, ResultField::SubFolderCount});
    m_controller->ClearGrid();
    m_controller->setLines(lines);
    for (const TypeLine& t : m_typeLines) {
        FileStatus status;
        status.size = t.bytes;
        const QByteArray name = t.extension.toUtf8();
        const std::int64_t row = m_controller->addToGrid(
            set->add(folder, std::string_view(name.constData(), std::size_t(name.size())), status));
        const QString cells[kColumns] = {t.extension, t.description, FormatGrouped(t.bytes),
                                         FormatGrouped(t.count), FormatGrouped(t.average())};
        for (int c = 0; c < kColumns; ++c)
            m_controller->model()->setCell(row, c, cells[c]);
    }
}

void StatsTypesPage::sortTypes(int column)
{
    for (int i = 0; i < m_sortActions.size(); ++i)
        m_sortActions[i]->setChecked(i == column);
    if (m_typeLines.size() < 2)
        return;
    WaitCursor wait;
    auto key = [column](const TypeLine& t) -> std::int64_t {
        return column == 2 ? t.bytes : column == 3 ? t.count : t.average();
    };
    // Text columns ascend, figures descend; equal keys keep their order.
    std::stable_sort(
        m_typeLines.begin(), m_typeLines.end(),
        [column, key](const TypeLine& a, const TypeLine& b) {
            if (column == 0)
                return QString::compare(a.extension, b.extension, Qt::CaseInsensitive) < 0;
            if (column == 1)
                return QString::compare(a.description, b.description, Qt::CaseInsensitive) < 0;
            return key(a) > key(b);
        });
    fillTypeGrid();
}

void StatsTypesPage::rgTypesClick()
{
    const int choice = m_rgTypes->checkedId();
    m_gridView->setVisible(choice == 0);
    m_chartTypesPie->setVisible(choice != 0);
    m_scrollBar2->setVisible(choice != 0);
    if (choice == 0)
        return;
    // Pie by size, count or average: columns 2, 3, 4, largest first.
    sortTypes(choice + 1);
    QList<ChartPoint> points;
    const QList<QColor>& colours = statsColourTable();
    for (int r = 0; r < int(m_typeLines.size()) && r < colours.size(); ++r) {
        const TypeLine& t = m_typeLines[r];
        const std::int64_t v = choice == 1 ? t.bytes : choice == 2 ? t.count : t.average();
        points.append({t.description, double(v), colours[r]});
    }
    showPie(m_chartTypesPie->chart(), points, m_scrollBar2->value());
}

bool StatsTypesPage::print(const QString& title, QPrinter* printer)
{
    return m_controller->PrintGrid(title, printer);
}

} // namespace rw
