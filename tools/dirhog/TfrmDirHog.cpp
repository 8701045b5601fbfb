#include "tools/dirhog/TfrmDirHog.h"

#include "base/ProgramMessages.h"
#include "base/Settings.h"
#include "controls/CentreOnScreen.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/DriveCheckList.h"
#include "framework/FolderDeleteAction.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolButtonRow.h"
#include "framework/WindowHooks.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/ProtectedPaths.h"
#include "framework/core/ScanLimits.h"
#include "history/core/HistoryTap.h"
#include "history/core/ScanKeeper.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>

#include <algorithm>

namespace rw
{

namespace
{

// The low top panel with the row of result buttons under the two start
// buttons; no size grip, and the reset on the first showing only.
ToolWindow::FrameSpec dirHogFrame()
{
    return {.width = 820,
            .height = 440,
            .panelHeight = 106,
            .driveListTop = 6,
            .driveListWidth = 140,
            .driveListHeight = 106 - 12,
            .driveGap = 10,
            .buttonLeft = 8,
            .buttonTop = 74,
            .buttonWidth = 76,
            .buttonGap = 6,
            .statusHeight = 20,
            .sizeGrip = false,
            .reset = ToolWindow::ShowReset::FirstShowOnly};
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

ResultGridConfig dirHogGridConfig()
{
    ResultGridConfig c;
    c.headers = {TfrmDirHog::tr("Size"),
                 TfrmDirHog::tr("% Used"),
                 TfrmDirHog::tr("# Files"),
                 TfrmDirHog::tr("# Sub-folders"),
                 TfrmDirHog::tr("Latest File Access"),
                 TfrmDirHog::tr("Name")};
    c.markColumn = -1;
    c.sizeColumn = TfrmDirHog::colSize;
    c.rightAlignedColumns = {TfrmDirHog::colSize, TfrmDirHog::colUsed, TfrmDirHog::colFiles,
                             TfrmDirHog::colSubFolders};
    c.sortWindowKey = QStringLiteral("TfrmDirHog");
    // Direction flags are true for descending; "% Used" has no sort of its own.
    c.sortItems = {
        {TfrmDirHog::tr("Sort by &Size"), QStringLiteral("SortbySize1"), QString(),
         TfrmDirHog::colSize, SortKind::Number, true, true},
        {TfrmDirHog::tr("Sort by # &Files"), QStringLiteral("Sortbyfiles1"), QString(),
         TfrmDirHog::colFiles, SortKind::Number, true, true},
        {TfrmDirHog::tr("Sort by # Sub-f&olders"), QStringLiteral("Sortbysubdirectories1"),
         QString(), TfrmDirHog::colSubFolders, SortKind::Number, true, true},
        {TfrmDirHog::tr("Sort by &Access Date"), QStringLiteral("Sortbydate1"), QString(),
         TfrmDirHog::colAccess, SortKind::Date, true, true},
        {TfrmDirHog::tr("Sort by &Name"), QStringLiteral("SortbyName1"), QString(),
         TfrmDirHog::colName, SortKind::Text, false, true},
    };
    c.defaultSortItem = TfrmDirHog::sortSize;
    c.popupMenu = GridPopupMenu::SortAndPanel;
    c.columnWidths = {80, 40, 40, 70, 90};
    c.lastColumnWidth = [](int clientWidth, const QList<int>& scaled) {
        int rest = clientWidth - 25;
        for (int w : scaled)
            rest -= w;
        return rest;
    };
    // Rows are deleted one at a time by double click, not marked.
    c.connectGridGestures = false;
    return c;
}

} // namespace

TfrmDirHog::TfrmDirHog(QWidget* parent)
    : ToolWindow(parent, QStringLiteral("frmDirHog"), dirHogFrame())
{
    setWindowTitle(tr("Folder Hogs"));
    buildControls();
    buildGrid();
    // No placement is remembered: the first showing centres the window.
    startSession({}, {});
    // The abort notice heads the list that goes to the clipboard.
    connect(m_session, &ScanSession::abortClicked, this,
            [this] { m_grid->appendResultLine(abortedByUserText()); });
    m_grid->ClearGrid();
}

TfrmDirHog::~TfrmDirHog() = default;

void TfrmDirHog::buildControls()
{
    QWidget* p = topPanel();
    topPanel()->setFrameShape(QFrame::StyledPanel);

    m_btTop = makeToolButton(p, tr("&Main folders"), QStringLiteral("btTop"),
                             tr("Only topmost folders. Does not display sub-folders."));
    m_btTop->setGeometry(8, 8, 100, frameSpec().buttonHeight);
    m_btAll = makeToolButton(p, tr("&All Folders"), QStringLiteral("btAll"),
                             tr("ALL folders including sub-folders are displayed"));
    m_btAll->setGeometry(8, 40, 100, frameSpec().buttonHeight);
    addStartButton(m_btTop);
    addStartButton(m_btAll);
    connect(m_btTop, &QPushButton::clicked, this, &TfrmDirHog::btTopClick);
    connect(m_btAll, &QPushButton::clicked, this, &TfrmDirHog::btAllClick);

    makeLabel(p, "lblMain", tr("Main -"), QRect(118, 12, 48, 18), true);
    makeLabel(p, "lblMainText",
              tr("only main folders are displayed (those folders directly under the "
                 "main folder)"),
              QRect(170, 12, 490, 18));
    makeLabel(p, "lblAll", tr("All -"), QRect(118, 44, 48, 18), true);
    makeLabel(p, "lblAllText", tr("all folders including sub-folders are individually displayed"),
              QRect(170, 44, 490, 18));

    // Delete shares its place with Abort, which is visible only while
    // scanning.
    using Row = ToolButtonRow;
    addButtons({{Row::Abort},
                {Row::Close},
                {Row::Print},
                {Row::Clip},
                {Row::Browse},
                {Row::Delete, Row::Abort}});
    m_btPrint->setToolTip(tr("Print list of directories"));
    m_btClip->setToolTip(tr("Copy list of directories to clipboard"));
    m_btBrowse->setToolTip(tr("Browse the files and folder"));
    m_btDelete->setText(tr("&Delete"));
    m_btDelete->setToolTip(tr("Delete the folder"));

    addDriveList();
    m_cbDrive = new QComboBox(p);
    m_cbDrive->setObjectName(QStringLiteral("cbDrive"));
    m_cbDrive->hide();
}

void TfrmDirHog::buildGrid()
{
    ResultGridView* view = addGridView();
    view->setObjectName(QStringLiteral("grid"));
    addStatusPanel(QStringLiteral("pnlScan"), false);
    setController(dirHogGridConfig());
    // A folder that could not be (wholly) read is said in its row's tool tip.
    m_grid->model()->setRowNote([this](std::uint32_t record) {
        const std::shared_ptr<ResultLines>& lines = m_grid->lines();
        return lines ? DirHogScan::incompleteNote(lines->set(), record) : QString();
    });

    connect(view, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { m_lastClickRow = index.row(); });

    // Beyond the sort entries: the folder map of the row's folder.
    QMenu* menu = m_grid->popupMenu();
    menu->addSeparator();
    QAction* map = menu->addAction(tr("Show folder &map"));
    map->setObjectName(QStringLiteral("ShowFolderMap1"));
    connect(menu, &QMenu::aboutToShow, this, [this, map] {
        const int row = m_gridView->currentRow();
        const QString size = row >= 0 && row < m_grid->rowsFilled()
                                 ? m_grid->model()->cell(row, colSize)
                                 : QString();
        map->setEnabled(!size.isEmpty() && size != QLatin1String(kDeletedCellText) &&
                        size != QLatin1String(kRecycledCellText) &&
                        bool(windowHooks().openFolderMap));
    });
    connect(map, &QAction::triggered, this, [this] {
        const int row = m_gridView->currentRow();
        if (row >= 0 && row < m_grid->rowsFilled() && windowHooks().openFolderMap)
            windowHooks().openFolderMap(this, m_grid->rowPathBytes(row));
    });
    // What grew in the row's folder since an earlier scan of its root.
    QAction* grew = menu->addAction(tr("Compare with an earlier scan…"));
    grew->setObjectName(QStringLiteral("CompareEarlier1"));
    connect(menu, &QMenu::aboutToShow, this, [this, grew] {
        const int row = m_gridView->currentRow();
        grew->setEnabled(row >= 0 && row < m_grid->rowsFilled() && bool(windowHooks().openGrowth));
    });
    connect(grew, &QAction::triggered, this, [this] {
        const int row = m_gridView->currentRow();
        if (row >= 0 && row < m_grid->rowsFilled() && windowHooks().openGrowth)
            windowHooks().openGrowth(this, m_grid->rowPathBytes(row));
    });
    connect(view, &ResultGridView::headerClicked, this, [this](int column) {
        m_lastClickRow = -1;
        m_grid->headerClick(column);
    });
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_lastClickRow = index.row();
        btDeleteClick();
    });
    stackWindow();
}

void TfrmDirHog::FormShow()
{
    resetResults();
    m_grid->ClearGrid();
    m_btTop->setFocus();
    applyMinimumSize();
    centreOnScreen(this);
    fitToWindow();
}

int TfrmDirHog::minimumContentWidth() const
{
    return m_pckDrive->mapTo(this, QPoint(m_pckDrive->width(), 0)).x() + 3;
}

int TfrmDirHog::driveListMinLeft() const
{
    return 0;
}

void TfrmDirHog::fillDriveList()
{
    FillDriveCombo(m_cbDrive);
    FillDriveCheckList(m_pckDrive, m_cbDrive);
}

void TfrmDirHog::btTopClick()
{
    scan(DirHogMode::MainFolders);
}

void TfrmDirHog::btAllClick()
{
    scan(DirHogMode::AllFolders);
}

void TfrmDirHog::scan(DirHogMode mode)
{
    m_grid->ClearGrid();
    m_lastClickRow = -1;
    hideResultButtons();
    DirHogScan strategy(mode);
    // The same walk totals every folder for the scan history.
    HistoryTap tap(strategy);
    const std::int64_t taken = QDateTime::currentSecsSinceEpoch();
    // Before the walk: an abort notice appended during it heads the lines.
    m_grid->setLines(strategy.lines());
    {
        ScanSession::Run run(*m_session);
        walkCheckedDrives(tap);

        const std::vector<std::uint32_t> records = strategy.recordsDescending();
        m_grid->beginFill(std::int64_t(records.size()));
        for (std::uint32_t rec : records)
            m_grid->addToGrid(rec);
        m_grid->endFill();
    }
    const qsizetype listed = lb().size();
    // The abort notice is a line of lb but no folder; an abort before the
    // first folder line shows 0, not a negative count.
    const qsizetype shown =
        std::max<qsizetype>(0, listed - (m_session->aborted() && listed > 0 ? 2 : 1));
    m_status->setText(tr("Folders : %1").arg(shown));

    m_grid->setSortDescending(sortSize, true);
    m_grid->sortByItem(sortSize);
    // An aborted run would read as folders shrunk or gone: only a whole
    // run is kept.
    if (!m_session->aborted())
        keepScan(tap.takeRoots(),
                 mode == DirHogMode::MainFolders ? QStringLiteral("main") : QStringLiteral("all"),
                 taken);
    // A list of fewer than two lines holds no folder.
    reportFound(listed - 1, QString());
}

void TfrmDirHog::keepScan(std::vector<TappedRoot> roots, const QString& kind, std::int64_t taken)
{
    const QString location = ScanKeeper::storeLocation(readHistorySettings());
    if (location.isEmpty() || roots.empty())
        return;
    ScanToKeep scan;
    scan.host = QSysInfo::machineHostName();
    scan.taken = taken;
    scan.kind = kind;
    scan.roots = std::move(roots);
    // Written on the background worker; the window goes on at once. A
    // failure is told by the user-interface thread, also when this window
    // has closed meanwhile.
    ScanKeeper::keepInBackground(location, std::move(scan), [](const KeepOutcome& outcome) {
        if (outcome.error.isEmpty())
            return;
        const QString text = tr("The scan could not be kept in the history: %1").arg(outcome.error);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [text] { ShowWarningMessage(text); },
            Qt::QueuedConnection);
    });
}

QStringList TfrmDirHog::lb() const
{
    return m_grid->lbFiles();
}

QString TfrmDirHog::printTitle() const
{
    QString letters;
    for (const QString& entry : m_pckDrive->checkedLines())
        if (!entry.isEmpty())
            letters += entry.at(0).toUpper() + QLatin1Char(' ');
    return tr("Folder hogs on drive(s) %1").arg(letters);
}

void TfrmDirHog::SortbySize1Click(SortItem item)
{
    m_grid->sortByItem(item);
}

bool TfrmDirHog::lastClickOnDataRow() const
{
    return m_lastClickRow >= 0 && m_lastClickRow < m_grid->rowsFilled();
}

void TfrmDirHog::btDeleteClick()
{
    const int row = m_gridView->currentRow();
    ResultGridModel* model = m_grid->model();
    if (!lastClickOnDataRow() || row < 0 || row >= model->rows())
        return;
    const QString sizeText = model->cell(row, colSize);
    if (sizeText.isEmpty())
        return;
    if (sizeText == QCoreApplication::translate("ProtectedPaths", kDeletedCellText) ||
        sizeText == QCoreApplication::translate("ProtectedPaths", kRecycledCellText)) {
        ShowErrorMessage(QCoreApplication::translate("ProtectedPaths", kFolderAlreadyDeletedText));
        return;
    }
    // The record names the folder: its parent as the scan opened it and its
    // name as the file system's bytes. A line without a name is a drive
    // root's own.
    FolderDeleteRequest request;
    request.target = m_grid->rowTarget(row);
    request.window = RefusingWindow::FolderHogs;
    const FolderDeleteOutcome outcome = runFolderDelete(this, request, *messageResponder());
    // The row says the folder went only when it really did.
    if (outcome.folderRemoved)
        model->setCell(
            row, colSize,
            QCoreApplication::translate("ProtectedPaths", outcome.recycle && !outcome.removedEmpty
                                                              ? kRecycledCellText
                                                              : kDeletedCellText));
}

void TfrmDirHog::btBrowseClick()
{
    const int row = m_gridView->currentRow();
    if (row < 0 || row >= m_grid->rowsFilled() || !windowHooks().openBrowser)
        return;
    windowHooks().openBrowser(this, m_grid->rowPathBytes(row), QStringLiteral("*.*"), QByteArray());
}

} // namespace rw
