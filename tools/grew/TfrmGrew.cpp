#include "tools/grew/TfrmGrew.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

#include "app/WinPlace.h"
#include "base/ProgramMessages.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "controls/SizeHistoryChart.h"
#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "history/core/FolderGrowth.h"
#include "history/core/HistoryTap.h"
#include "history/core/NcduJson.h"
#include "history/core/ScanKeeper.h"
#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "tools/grew/core/GrowthList.h"

namespace rw
{

namespace
{

// What the earlier-scan box holds besides scans: the scan a week before.
constexpr qint64 kAWeekBefore = -2;

ResultGridConfig growthGridConfig(QWidget* top)
{
    ResultGridConfig c;
    c.headers = {TfrmGrew::tr("Change"),     TfrmGrew::tr("Before"),      TfrmGrew::tr("After"),
                 TfrmGrew::tr("Difference"), TfrmGrew::tr("% of Change"), TfrmGrew::tr("Folder")};
    c.markColumn = -1;
    c.sizeColumn = TfrmGrew::colAfter;
    c.rightAlignedColumns = {TfrmGrew::colBefore, TfrmGrew::colDifference, TfrmGrew::colShare};
    c.sortWindowKey = QStringLiteral("TfrmGrew");
    c.sortItems = {
        {TfrmGrew::tr("Sort by &Change"), QStringLiteral("SortbyChange1"), QString(),
         TfrmGrew::colChange, SortKind::Text, false, true},
        {TfrmGrew::tr("Sort by &Before"), QStringLiteral("SortbyBefore1"), QString(),
         TfrmGrew::colBefore, SortKind::Number, true, true},
        {TfrmGrew::tr("Sort by &After"), QStringLiteral("SortbyAfter1"), QString(),
         TfrmGrew::colAfter, SortKind::Number, true, true},
        {TfrmGrew::tr("Sort by &Difference"), QStringLiteral("SortbyDifference1"), QString(),
         TfrmGrew::colDifference, SortKind::Number, true, true},
        {TfrmGrew::tr("Sort by &Share"), QStringLiteral("SortbyShare1"), QString(),
         TfrmGrew::colShare, SortKind::Number, true, true},
        {TfrmGrew::tr("Sort by &Folder"), QStringLiteral("SortbyFolder1"), QString(),
         TfrmGrew::colFolder, SortKind::Text, false, true},
    };
    // The rows come largest change first, which no single column gives.
    c.defaultSortItem = -1;
    c.popupMenu = GridPopupMenu::SortAndPanel;
    c.topPanel = top;
    c.clipboard = ClipboardSource::GridRows;
    c.columnWidths = {60, 90, 90, 100, 70};
    c.lastColumnWidth = [](int clientWidth, const QList<int>& scaled) {
        int rest = clientWidth - 40;
        for (int w : scaled)
            rest -= w;
        return rest;
    };
    c.lastColumnMinimum = 200;
    c.connectGridGestures = false;
    return c;
}

QPushButton* makeButton(QWidget* parent, const QString& text, const char* name, const QString& hint)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    return b;
}

QLabel* makeBuddy(QWidget* parent, const QString& text, const char* name, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    return l;
}

} // namespace

TfrmGrew::TfrmGrew(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmGrew"));
    setWindowTitle(tr("What grew"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setSizeGripEnabled(true);
    resize(860, 600);

    m_top = new QWidget(this);
    m_top->setObjectName(QStringLiteral("pnlTop"));
    m_cbRoot = new QComboBox(m_top);
    m_cbRoot->setObjectName(QStringLiteral("cbRoot"));
    m_cbRoot->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbRoot->setMinimumContentsLength(30);
    m_cbAfter = new QComboBox(m_top);
    m_cbAfter->setObjectName(QStringLiteral("cbAfter"));
    m_cbBefore = new QComboBox(m_top);
    m_cbBefore->setObjectName(QStringLiteral("cbBefore"));
    m_btImport = makeButton(m_top, tr("&Import scan…"), "btImport",
                            tr("Read a scan made elsewhere (ncdu's JSON export)"));
    m_btPrint = makeButton(m_top, tr("&Print"), "btPrint", tr("Print the list of changes"));
    m_btClip =
        makeButton(m_top, tr("C&lipboard"), "btClip", tr("Copy the list of changes to clipboard"));
    m_btClose = makeButton(m_top, tr("&Close"), "btClose", tr("Close window"));
    m_chart = new SizeHistoryChart(m_top);
    m_chart->setObjectName(QStringLiteral("chartSize"));

    auto* grid = new QGridLayout(m_top);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(makeBuddy(m_top, tr("&Folder:"), "lblRoot", m_cbRoot), 0, 0);
    grid->addWidget(m_cbRoot, 0, 1, 1, 3);
    grid->addWidget(m_btImport, 0, 4);
    grid->addWidget(m_btClose, 0, 5);
    grid->addWidget(makeBuddy(m_top, tr("&Later scan:"), "lblAfter", m_cbAfter), 1, 0);
    grid->addWidget(m_cbAfter, 1, 1);
    grid->addWidget(makeBuddy(m_top, tr("&Earlier scan:"), "lblBefore", m_cbBefore), 1, 2);
    grid->addWidget(m_cbBefore, 1, 3);
    grid->addWidget(m_btPrint, 1, 4);
    grid->addWidget(m_btClip, 1, 5);
    grid->addWidget(m_chart, 2, 0, 1, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    m_gridView = new ResultGridView(this);
    m_gridView->setObjectName(QStringLiteral("grid"));

    auto* help = new QLabel(
        tr("Folders are matched by their paths: a renamed folder shows as gone under its old "
           "name and new under its new one. A file with several hard links counts once in "
           "each folder. Scans that were aborted are never compared."),
        this);
    help->setObjectName(QStringLiteral("lblHelp"));
    help->setWordWrap(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("pnlStatus"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setTextFormat(Qt::PlainText);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(6, 6, 6, 6);
    stack->addWidget(m_top);
    stack->addWidget(m_gridView, 1);
    stack->addWidget(help);
    stack->addWidget(m_status);

    buildGrid();
    connect(m_cbRoot, &QComboBox::currentIndexChanged, this, [this] { rootChosen(); });
    connect(m_cbAfter, &QComboBox::currentIndexChanged, this, [this] { laterChosen(); });
    connect(m_cbBefore, &QComboBox::currentIndexChanged, this, [this] { compare(); });
    connect(m_btImport, &QPushButton::clicked, this, &TfrmGrew::btImportClick);
    connect(m_btPrint, &QPushButton::clicked, m_grid, &ResultGridController::btPrintClick);
    connect(m_btClip, &QPushButton::clicked, m_grid, &ResultGridController::btClipClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);

    m_place = TWinPlace::attach(this, QStringLiteral("roomwse.ini"), QStringLiteral("frmGrew"));
    m_place->restorePlacement();
}

TfrmGrew::~TfrmGrew() = default;

void TfrmGrew::buildGrid()
{
    ResultGridConfig config = growthGridConfig(m_top);
    config.printTitle = [this] {
        return tr("What grew in %1: %2").arg(m_cbRoot->currentText(), m_status->text());
    };
    m_grid = new ResultGridController(this, m_gridView, std::move(config));
    m_grid->ClearGrid();
    connect(m_gridView, &ResultGridView::headerClicked, m_grid, &ResultGridController::headerClick);
    connect(m_gridView, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { browseRow(index.row()); });
    QMenu* menu = m_grid->popupMenu();
    menu->addSeparator();
    QAction* browse = menu->addAction(tr("&Browse"));
    browse->setObjectName(QStringLiteral("Browse1"));
    QAction* map = menu->addAction(tr("Show folder &map"));
    map->setObjectName(QStringLiteral("ShowFolderMap1"));
    connect(menu, &QMenu::aboutToShow, this, [this, browse, map] {
        // A folder that is gone (or was scanned on another machine) cannot
        // be opened here.
        const bool there = !rowFolder(m_gridView->currentRow()).isEmpty();
        browse->setEnabled(there && bool(windowHooks().openBrowser));
        map->setEnabled(there && bool(windowHooks().openFolderMap));
    });
    connect(browse, &QAction::triggered, this, [this] { browseRow(m_gridView->currentRow()); });
    connect(map, &QAction::triggered, this, [this] { mapRow(m_gridView->currentRow()); });
}

void TfrmGrew::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_grid->FormResize(width());
}

QString TfrmGrew::statusText() const
{
    return m_status->text();
}

bool TfrmGrew::openStore(const QString& location)
{
    QString where = location;
    if (where.isEmpty()) {
        const HistorySettings settings = readHistorySettings();
        where = settings.store.isEmpty() ? HistoryStore::defaultLocation() : settings.store;
    }
    m_location = where;
    m_store.reset();
    // Looking never makes a store: a file that is not there holds no scans.
    const bool isFile = !where.contains(QLatin1String("://"));
    if (!isFile || QFile::exists(where)) {
        auto store = std::make_unique<HistoryStore>();
        if (!store->open(where)) {
            m_status->setText(tr("The history %1 cannot be opened: %2")
                                  .arg(ScanKeeper::shownLocation(where), store->error()));
            fillRoots();
            return false;
        }
        m_store = std::move(store);
    }
    fillRoots();
    return true;
}

void TfrmGrew::fillRoots()
{
    m_roots.clear();
    if (m_store) {
        // Each scanned folder once per machine, with its latest scan.
        std::map<std::pair<QString, QByteArray>, std::int64_t> latest;
        for (const StoredScan& s : m_store->scans()) {
            std::int64_t& t = latest[{s.host, s.root}];
            t = std::max(t, s.taken);
        }
        for (const auto& [key, taken] : latest)
            m_roots.push_back({key.first, key.second, taken});
    }
    // This machine's folders first, then the most recently scanned.
    const QString here = QSysInfo::machineHostName();
    std::stable_sort(m_roots.begin(), m_roots.end(), [&here](const Root& a, const Root& b) {
        if ((a.host == here) != (b.host == here))
            return a.host == here;
        return a.latest > b.latest;
    });
    m_filling = true;
    m_cbRoot->clear();
    for (const Root& r : m_roots)
        m_cbRoot->addItem(tr("%1 on %2").arg(displayName(r.path), r.host));
    m_filling = false;
    if (m_roots.empty()) {
        m_scans.clear();
        m_cbAfter->clear();
        m_cbBefore->clear();
        m_chart->setPoints({});
        m_grid->ClearGrid();
        if (m_status->text().isEmpty() || m_store)
            m_status->setText(tr("No scans are kept yet: Folder Hogs keeps each scan it "
                                 "finishes."));
        return;
    }
    m_cbRoot->setCurrentIndex(0);
    rootChosen();
}

QString TfrmGrew::scanText(const StoredScan& scan) const
{
    // Seconds shown: two scans of one minute are still told apart.
    const QDateTime when = QDateTime::fromSecsSinceEpoch(scan.taken);
    QString kind = scan.kind;
    if (kind == QLatin1String("main"))
        kind = tr("main folders");
    else if (kind == QLatin1String("all"))
        kind = tr("all folders");
    else if (kind == QLatin1String("import"))
        kind = tr("imported");
    else if (kind == QLatin1String("report"))
        kind = tr("command line");
    return tr("%1 %2 (%3)")
        .arg(formatShortDate(when.date()), QLocale().toString(when.time(), longTimeFormat()), kind);
}

void TfrmGrew::rootChosen()
{
    if (m_filling)
        return;
    const int index = m_cbRoot->currentIndex();
    m_scans.clear();
    if (m_store && index >= 0 && index < int(m_roots.size()))
        m_scans = comparableScans(
            m_store->scans(m_roots[std::size_t(index)].path, m_roots[std::size_t(index)].host));
    std::vector<SizeHistoryChart::Point> points;
    for (const StoredScan& s : m_scans)
        points.push_back({s.taken, s.rootBytes});
    m_chart->setPoints(std::move(points));
    m_filling = true;
    m_cbAfter->clear();
    for (const StoredScan& s : m_scans)
        m_cbAfter->addItem(scanText(s), qint64(s.id));
    m_filling = false;
    m_cbAfter->setCurrentIndex(m_scans.empty() ? -1 : 0);
    laterChosen();
}

void TfrmGrew::laterChosen()
{
    if (m_filling)
        return;
    const int later = m_cbAfter->currentIndex();
    m_filling = true;
    m_cbBefore->clear();
    if (later >= 0 && later + 1 < int(m_scans.size())) {
        m_cbBefore->addItem(tr("A week before"), kAWeekBefore);
        for (std::size_t i = std::size_t(later) + 1; i < m_scans.size(); ++i)
            m_cbBefore->addItem(scanText(m_scans[i]), qint64(m_scans[i].id));
    }
    m_filling = false;
    // The one before is the default.
    m_cbBefore->setCurrentIndex(m_cbBefore->count() > 1 ? 1 : -1);
    compare();
}

bool TfrmGrew::chooseScans(std::int64_t later, std::int64_t earlier)
{
    const int a = m_cbAfter->findData(qint64(later));
    if (a < 0)
        return false;
    m_cbAfter->setCurrentIndex(a);
    const int b = m_cbBefore->findData(qint64(earlier));
    if (b < 0)
        return false;
    m_cbBefore->setCurrentIndex(b);
    compare();
    return true;
}

void TfrmGrew::compare()
{
    if (m_filling)
        return;
    m_grid->ClearGrid();
    const int later = m_cbAfter->currentIndex();
    const int root = m_cbRoot->currentIndex();
    if (!m_store || later < 0 || later >= int(m_scans.size()) || root < 0) {
        m_chart->setChosen(-1, -1);
        if (m_store && root >= 0)
            m_status->setText(tr("Only one scan of this folder is kept: scan it again later to "
                                 "see what grew."));
        return;
    }
    const StoredScan& after = m_scans[std::size_t(later)];
    const qint64 choice = m_cbBefore->currentData().toLongLong();
    int earlier = -1;
    if (choice == kAWeekBefore) {
        earlier = scanAWeekBefore(m_scans, after.taken);
    } else {
        for (int i = 0; i < int(m_scans.size()); ++i)
            if (m_scans[std::size_t(i)].id == choice)
                earlier = i;
    }
    if (earlier < 0) {
        m_chart->setChosen(after.taken, -1);
        m_status->setText(tr("Only one scan of this folder is kept: scan it again later to see "
                             "what grew."));
        return;
    }
    const StoredScan& before = m_scans[std::size_t(earlier)];
    m_chart->setChosen(after.taken, before.taken);
    const std::vector<FolderGrowthRow> rows =
        compareScans(m_store->folders(before.id), m_store->folders(after.id));
    const std::shared_ptr<ResultLines> lines = growthLines(after.root, rows);
    m_grid->setLines(lines);
    m_grid->beginFill(lines->set().size());
    for (std::uint32_t rec = 0; rec < lines->set().size(); ++rec)
        m_grid->addToGrid(rec);
    m_grid->endFill();
    const QLocale locale;
    const std::int64_t change = after.rootBytes - before.rootBytes;
    m_status->setText(tr("Folders changed: %1. %2 went from %3 to %4 (%5%6) between %7 and %8.")
                          .arg(locale.toString(qint64(lines->set().size())),
                               displayName(after.root), locale.formattedDataSize(before.rootBytes),
                               locale.formattedDataSize(after.rootBytes),
                               change < 0 ? QStringLiteral("-") : QStringLiteral("+"),
                               locale.formattedDataSize(change < 0 ? -change : change),
                               scanText(before), scanText(after)));
}

bool TfrmGrew::showFolder(const QByteArray& given)
{
    // Keyed as the history keys its roots; a relative folder is the working
    // folder's.
    QByteArray folder = HistoryTap::rootKey(given);
    if (!folder.startsWith('/')) {
        const QByteArray here = HistoryTap::rootKey(QFile::encodeName(QDir::currentPath()));
        folder = (here == "/" ? here : here + '/') + folder;
    }
    // The nearest kept folder at or above `folder`, this machine's first.
    const QString here = QSysInfo::machineHostName();
    int best = -1;
    for (int i = 0; i < int(m_roots.size()); ++i) {
        const Root& r = m_roots[std::size_t(i)];
        const QByteArray prefix = r.path.endsWith('/') ? r.path : r.path + '/';
        if (r.path != folder && !folder.startsWith(prefix))
            continue;
        if (best < 0)
            best = i;
        const Root& b = m_roots[std::size_t(best)];
        if ((r.host == here) != (b.host == here) ? r.host == here : r.path.size() > b.path.size())
            best = i;
    }
    if (best < 0) {
        m_status->setText(tr("No kept scan holds %1: Folder Hogs keeps each scan it finishes.")
                              .arg(displayName(folder)));
        return false;
    }
    m_cbRoot->setCurrentIndex(best);
    // The folder's row, when it changed.
    ResultGridModel* model = m_grid->model();
    for (std::int64_t row = 0; row < model->rows(); ++row) {
        if (m_grid->rowPathBytes(row) == folder) {
            m_gridView->selectRow(int(row));
            m_gridView->scrollTo(model->index(int(row), colFolder));
            break;
        }
    }
    return true;
}

QByteArray TfrmGrew::rowFolder(int row) const
{
    if (row < 0 || row >= m_grid->rowsFilled())
        return QByteArray();
    const int root = m_cbRoot->currentIndex();
    if (root < 0 || m_roots[std::size_t(root)].host != QSysInfo::machineHostName())
        return QByteArray();
    const QByteArray path = m_grid->rowPathBytes(row);
    FileStatus st;
    return pathStatus(path, &st) && (st.attributes & faDirectory) ? path : QByteArray();
}

void TfrmGrew::browseRow(int row)
{
    const QByteArray folder = rowFolder(row);
    if (!folder.isEmpty() && windowHooks().openBrowser)
        windowHooks().openBrowser(this, folder, QStringLiteral("*.*"), QByteArray());
}

void TfrmGrew::mapRow(int row)
{
    const QByteArray folder = rowFolder(row);
    if (!folder.isEmpty() && windowHooks().openFolderMap)
        windowHooks().openFolderMap(this, folder);
}

void TfrmGrew::btImportClick()
{
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Import scan"), QString(), tr("ncdu JSON export (*.json);;All files (*)"));
    if (!file.isEmpty())
        importScan(file);
}

bool TfrmGrew::importScan(const QString& file)
{
    // Importing is asked for: it makes the store when there is none yet.
    if (!m_store) {
        auto store = std::make_unique<HistoryStore>();
        if (!store->open(m_location)) {
            ShowErrorMessage(tr("The history %1 cannot be opened: %2")
                                 .arg(ScanKeeper::shownLocation(m_location), store->error()));
            return false;
        }
        m_store = std::move(store);
    }
    QString error;
    const std::int64_t id = importNcduScan(*m_store, file, &error);
    if (id <= 0) {
        ShowErrorMessage(tr("%1 could not be imported: %2").arg(file, error));
        return false;
    }
    fillRoots();
    // The imported scan's folder, shown.
    for (const StoredScan& s : m_store->scans()) {
        if (s.id != id)
            continue;
        for (int i = 0; i < int(m_roots.size()); ++i)
            if (m_roots[std::size_t(i)].host == s.host && m_roots[std::size_t(i)].path == s.root)
                m_cbRoot->setCurrentIndex(i);
    }
    return true;
}

void openGrowth(QWidget* parent, const QByteArray& folder)
{
    TfrmGrew grew(parent);
    grew.openStore();
    if (!folder.isEmpty())
        grew.showFolder(folder);
    grew.exec();
}

} // namespace rw
