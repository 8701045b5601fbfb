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
#include "framework/ToolWindowParts.h"
#include "framework/WindowHooks.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/ProtectedPaths.h"
#include "framework/core/ScanLimits.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace rw
{

namespace
{

constexpr int kClientWidth = 820;
constexpr int kClientHeight = 440;
constexpr int kTopPanelHeight = 106;
constexpr int kDriveListWidth = 140;
constexpr int kDriveListRightGap = 10;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 25;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& hint,
                        const QRect& geometry)
{
    QPushButton* b = makeToolButton(parent, text, QString::fromLatin1(name), hint);
    b->setGeometry(geometry);
    return b;
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
    c.headers = {QStringLiteral("Size"),
                 QStringLiteral("% Used"),
                 QStringLiteral("# Files"),
                 QStringLiteral("# Sub-folders"),
                 QStringLiteral("Latest File Access"),
                 QStringLiteral("Name")};
    c.markColumn = -1;
    c.sizeColumn = TfrmDirHog::colSize;
    c.rightAlignedColumns = {TfrmDirHog::colSize, TfrmDirHog::colUsed, TfrmDirHog::colFiles,
                             TfrmDirHog::colSubFolders};
    c.sortWindowKey = QStringLiteral("TfrmDirHog");
    // Direction flags are true for descending; "% Used" has no sort of its own.
    c.sortItems = {
        {QStringLiteral("Sort by &Size"), QStringLiteral("SortbySize1"), QString(),
         TfrmDirHog::colSize, SortKind::Number, true, true},
        {QStringLiteral("Sort by # &Files"), QStringLiteral("Sortbyfiles1"), QString(),
         TfrmDirHog::colFiles, SortKind::Number, true, true},
        {QStringLiteral("Sort by # Sub-f&olders"), QStringLiteral("Sortbysubdirectories1"),
         QString(), TfrmDirHog::colSubFolders, SortKind::Number, true, true},
        {QStringLiteral("Sort by &Access Date"), QStringLiteral("Sortbydate1"), QString(),
         TfrmDirHog::colAccess, SortKind::Date, true, true},
        {QStringLiteral("Sort by &Name"), QStringLiteral("SortbyName1"), QString(),
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

TfrmDirHog::TfrmDirHog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDirHog"));
    setWindowTitle(QStringLiteral("Folder Hogs"));
    resize(kClientWidth, kClientHeight);
    buildControls();

    ResultGridConfig config = dirHogGridConfig();
    config.topPanel = m_pnlTop;
    config.minimumWidthWidget = m_pckDrive;
    config.printTitle = [this] { return printTitle(); };
    m_controller = new ResultGridController(this, m_grid, std::move(config));

    m_session = new ScanSession(this, m_btAbort, m_pnlScan, m_grid);
    m_session->setDisabledDuringRun({m_btTop, m_btAll, m_btClose, m_pckDrive});
    // The abort notice heads the list that goes to the clipboard.
    connect(m_session, &ScanSession::abortClicked, this,
            [this] { m_controller->appendResultLine(kAbortedByUserText); });

    connect(m_btTop, &QPushButton::clicked, this, &TfrmDirHog::btTopClick);
    connect(m_btAll, &QPushButton::clicked, this, &TfrmDirHog::btAllClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btPrint, &QPushButton::clicked, this, &TfrmDirHog::btPrintClick);
    connect(m_btClip, &QPushButton::clicked, this, &TfrmDirHog::btClipClick);
    connect(m_btDelete, &QPushButton::clicked, this, &TfrmDirHog::btDeleteClick);
    connect(m_btBrowse, &QPushButton::clicked, this, &TfrmDirHog::btBrowseClick);
    connect(m_pckDrive, &CheckListBox::checksChanged, this, &TfrmDirHog::pckDriveClick);

    connect(m_grid, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { m_lastClickRow = index.row(); });
    connect(m_grid, &ResultGridView::headerClicked, this, [this](int column) {
        m_lastClickRow = -1;
        m_controller->headerClick(column);
    });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_lastClickRow = index.row();
        btDeleteClick();
    });

    FillDriveCombo(m_cbDrive);
    FillDriveCheckList(m_pckDrive, m_cbDrive);
    pckDriveClick();
    m_controller->ClearGrid();
    setResultButtonsVisible(false);
    m_btAbort->hide();
}

TfrmDirHog::~TfrmDirHog() = default;

void TfrmDirHog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pnlTop = new QFrame(this);
    m_pnlTop->setObjectName(QStringLiteral("pnlTop"));
    m_pnlTop->setFrameShape(QFrame::StyledPanel);
    m_pnlTop->setFixedHeight(kTopPanelHeight);
    layout->addWidget(m_pnlTop);

    QWidget* p = m_pnlTop;
    m_btTop = makeButton(p, "btTop", QStringLiteral("&Main folders"),
                         QStringLiteral("Only topmost folders. Does not display sub-folders."),
                         QRect(8, 8, 100, kButtonHeight));
    m_btAll = makeButton(p, "btAll", QStringLiteral("&All Folders"),
                         QStringLiteral("ALL folders including sub-folders are displayed"),
                         QRect(8, 40, 100, kButtonHeight));
    makeLabel(p, "lblMain", QStringLiteral("Main -"), QRect(118, 12, 48, 18), true);
    makeLabel(p, "lblMainText",
              QStringLiteral("only main folders are displayed (those folders directly under the "
                             "main folder)"),
              QRect(170, 12, 490, 18));
    makeLabel(p, "lblAll", QStringLiteral("All -"), QRect(118, 44, 48, 18), true);
    makeLabel(p, "lblAllText",
              QStringLiteral("all folders including sub-folders are individually displayed"),
              QRect(170, 44, 490, 18));

    const int row = 74;
    auto at = [row](int i) { return QRect(8 + i * (kButtonWidth + 6), row, kButtonWidth, 25); };
    m_btAbort =
        makeButton(p, "btAbort", QStringLiteral("&Abort"), QStringLiteral("Abort scan"), at(0));
    m_btClose =
        makeButton(p, "btClose", QStringLiteral("Close"), QStringLiteral("Close window"), at(1));
    m_btPrint = makeButton(p, "btPrint", QStringLiteral("&Print"),
                           QStringLiteral("Print list of directories"), at(2));
    m_btClip = makeButton(p, "btClip", QStringLiteral("C&lipboard"),
                          QStringLiteral("Copy list of directories to clipboard"), at(3));
    m_btBrowse = makeButton(p, "btBrowse", QStringLiteral("&Browse"),
                            QStringLiteral("Browse the files and folder"), at(4));
    // Shares its place with Abort, which is visible only while scanning.
    m_btDelete = makeButton(p, "btDelete", QStringLiteral("&Delete"),
                            QStringLiteral("Delete the folder"), at(5));

    m_pckDrive = new CheckListBox(p);
    m_pckDrive->setObjectName(QStringLiteral("pckDrive"));
    m_pckDrive->setGeometry(kClientWidth - kDriveListWidth - kDriveListRightGap, 6, kDriveListWidth,
                            kTopPanelHeight - 12);
    m_cbDrive = new QComboBox(p);
    m_cbDrive->setObjectName(QStringLiteral("cbDrive"));
    m_cbDrive->hide();

    m_grid = new ResultGridView(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_grid, 1);

    m_pnlScan = makeStatusPanel(this, QStringLiteral("pnlScan"), 20, false);
    layout->addWidget(m_pnlScan);
}

void TfrmDirHog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_controller->savePanelHeight();
    m_controller->ClearGrid();
    setResultButtonsVisible(false);
    m_btTop->setFocus();
    m_btDelete->setGeometry(m_btAbort->geometry());
    m_controller->applyMinimumSize();
    centreOnScreen(this);
    FormResize();
}

void TfrmDirHog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TfrmDirHog::FormResize()
{
    m_controller->FormResize(width());
    m_pckDrive->move(width() - m_pckDrive->width() - kDriveListRightGap, m_pckDrive->y());
}

void TfrmDirHog::setResultButtonsVisible(bool visible)
{
    for (QPushButton* b : {m_btPrint, m_btClip, m_btBrowse, m_btDelete})
        b->setVisible(visible);
}

void TfrmDirHog::pckDriveClick()
{
    const bool any = m_pckDrive->checkedCount() > 0;
    m_btTop->setEnabled(any);
    m_btAll->setEnabled(any);
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
    m_controller->ClearGrid();
    m_lastClickRow = -1;
    setResultButtonsVisible(false);
    DirHogScan strategy(mode);
    // Before the walk: an abort notice appended during it heads the lines.
    m_controller->setLines(strategy.lines());
    {
        ScanSession::Run run(*m_session);
        m_session->walkDrives(strategy, m_pckDrive->checkedLines());

        const std::vector<std::uint32_t> records = strategy.recordsDescending();
        m_controller->beginFill(std::int64_t(records.size()));
        for (std::uint32_t rec : records)
            m_controller->addToGrid(rec);
        m_controller->endFill();
    }
    const qsizetype listed = lb().size();
    // The abort notice is a line of lb but no folder; an abort before the
    // first folder line shows 0, not a negative count.
    const qsizetype shown =
        std::max<qsizetype>(0, listed - (m_session->aborted() && listed > 0 ? 2 : 1));
    m_pnlScan->setText(QStringLiteral("Folders : ") + QString::number(shown));

    m_controller->setSortDescending(sortSize, true);
    m_controller->sortByItem(sortSize);
    if (listed < 2) {
        ShowMessageBox(MessageKind::Information, QStringLiteral("No files found."));
        return;
    }
    setResultButtonsVisible(true);
}

QStringList TfrmDirHog::lb() const
{
    return m_controller->lbFiles();
}

QString TfrmDirHog::printTitle() const
{
    QString title = QStringLiteral("Folder hogs on drive(s) ");
    for (const QString& entry : m_pckDrive->checkedLines())
        if (!entry.isEmpty())
            title += entry.at(0).toUpper() + QLatin1Char(' ');
    return title;
}

void TfrmDirHog::btPrintClick()
{
    m_controller->btPrintClick();
}

void TfrmDirHog::btClipClick()
{
    m_controller->btClipClick();
}

void TfrmDirHog::SortbySize1Click(SortItem item)
{
    m_controller->sortByItem(item);
}

bool TfrmDirHog::lastClickOnDataRow() const
{
    return m_lastClickRow >= 0 && m_lastClickRow < m_controller->rowsFilled();
}

void TfrmDirHog::btDeleteClick()
{
    const int row = m_grid->currentRow();
    ResultGridModel* model = m_controller->model();
    if (!lastClickOnDataRow() || row < 0 || row >= model->rows())
        return;
    const QString sizeText = model->cell(row, colSize);
    if (sizeText.isEmpty())
        return;
    if (sizeText == QLatin1String(kDeletedCellText) ||
        sizeText == QLatin1String(kRecycledCellText)) {
        ShowErrorMessage(QString::fromLatin1(kFolderAlreadyDeletedText));
        return;
    }
    // The record names the folder: its parent as the scan opened it and its
    // name as the file system's bytes. A line without a name is a drive
    // root's own.
    FolderDeleteRequest request;
    request.target = m_controller->rowTarget(row);
    request.window = RefusingWindow::FolderHogs;
    const FolderDeleteOutcome outcome = runFolderDelete(this, request, *messageResponder());
    // The row says the folder went only when it really did.
    if (outcome.folderRemoved)
        model->setCell(row, colSize,
                       QString::fromLatin1(outcome.recycle && !outcome.removedEmpty
                                               ? kRecycledCellText
                                               : kDeletedCellText));
}

void TfrmDirHog::btBrowseClick()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_controller->rowsFilled() || !windowHooks().openBrowser)
        return;
    windowHooks().openBrowser(this, m_controller->rowPathBytes(row), QStringLiteral("*.*"),
                              QByteArray());
}

} // namespace rw
