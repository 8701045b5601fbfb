#include "tools/clean/TfrmClean.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

#include "app/WinPlace.h"
#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/PickList.h"
#include "controls/ResultGridView.h"
#include "framework/DriveCheckList.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolTipsOff.h"
#include "framework/ToolWindowParts.h"
#include "framework/core/FolderWalker.h"
#include "tools/clean/TfrmTempFiles.h"
#include "tools/clean/core/CleanScan.h"
#include "tools/clean/core/TempPatterns.h"

namespace rw
{

namespace
{

constexpr int kPanelHeight = 172;
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 140;
constexpr int kDriveListWidth = 150;

} // namespace

TfrmClean::TfrmClean(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmClean"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setSizeGripEnabled(true);
    resize(640, 478);
    buildControls();
    buildGrid();

    m_session = new ScanSession(this, m_btAbort, m_pnlSel, m_gridView);
    // The pattern list stays usable during a run (a changed selection counts
    // from the next file); the editor, which replaces the list, does not.
    m_session->setDisabledDuringRun({m_btScan, m_btClose, m_pckDrive, m_btEdit});

    // The cleaner's placement lives under the program-path section.
    m_place = new TWinPlace(this);
    m_place->setIniFileName(QStringLiteral("roomwse.ini"));
    m_place->setIdentifier(QStringLiteral("frmMods"));
    m_place->centreIfNew();

    FillDriveCheckList(m_pckDrive, DriveEntryTexts(), CurrentDriveEntryText());
    pckDriveClick();
}

TfrmClean::~TfrmClean() = default;

void TfrmClean::buildControls()
{
    m_topPanel = makeTopPanel(this, kPanelHeight);
    QWidget* p = m_topPanel;

    m_lblHeading = new QLabel(QStringLiteral("Temporary file types to search and clean."), p);
    m_lblHeading->setObjectName(QStringLiteral("Label1"));
    m_lblHeading->setGeometry(8, 4, 300, 16);

    m_pickList = new PickList(p);
    m_pickList->setObjectName(QStringLiteral("PickList1"));
    m_pickList->setToolTip(QStringLiteral("File extensions/types of temporary files"));
    m_pickList->setSorted(true);
    // A click toggles one entry.
    m_pickList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_pickList->setGeometry(8, 22, 250, 110);
    connect(m_pickList, &PickList::selectedLinesChanged, this, [this] {
        if (m_running)
            m_running->setPatterns(m_pickList->selectedLines());
    });

    m_btEdit = makeToolButton(p, QStringLiteral("Add/Delete"), QStringLiteral("btEdit"),
                              QStringLiteral("Add, delete temporary file extensions"));
    m_btEdit->setGeometry(266, 22, 75, kButtonHeight);
    connect(m_btEdit, &QPushButton::clicked, this, &TfrmClean::btEditClick);

    m_pckDrive = makeDriveCheckList(p, 640 - 8 - kDriveListWidth, kDriveListWidth);
    connect(m_pckDrive, &CheckListBox::checksChanged, this, &TfrmClean::pckDriveClick);

    // Abort and Mark take turns on one place.
    m_buttons = ToolButtonRow(p);
    m_btScan = m_buttons.add(ToolButtonRow::Start);
    m_btClose = m_buttons.add(ToolButtonRow::Close);
    m_btAbort = m_buttons.add(ToolButtonRow::Abort);
    m_btMark = m_buttons.addSharing(ToolButtonRow::Mark, m_btAbort);
    m_btDelete = m_buttons.add(ToolButtonRow::Delete);
    m_btPrint = m_buttons.add(ToolButtonRow::Print);
    m_btClip = m_buttons.add(ToolButtonRow::Clip);
    m_btBrowse = m_buttons.add(ToolButtonRow::Browse);
    m_btDetails = m_buttons.add(ToolButtonRow::Details);

    connect(m_btScan, &QPushButton::clicked, this, &TfrmClean::btScanClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btDelete, &QPushButton::clicked, this, &TfrmClean::btDeleteClick);
    layoutButtons();

    m_pnlSel = makeStatusPanel(this, QStringLiteral("pnlSel"));
}

void TfrmClean::buildGrid()
{
    m_gridView = new ResultGridView(this);
    m_gridView->setObjectName(QStringLiteral("grid"));

    ResultGridConfig c;
    c.headers = {QStringLiteral("Size"),   QStringLiteral("Modified"), QStringLiteral("Time"),
                 QStringLiteral("Access"), QStringLiteral("FileName"), QStringLiteral("Type")};
    c.markColumn = ccFileName;
    c.sizeColumn = ccSize;
    c.columnWidths = {64, 64, 64, 64, 296};
    c.lastColumnMargin = 577;
    c.sortItems = {
        {QStringLiteral("&Size"),
         QStringLiteral("Sortbysize1"),
         {},
         ccSize,
         SortKind::Number,
         true},
        {QStringLiteral("&Date"),
         QStringLiteral("Sortbydate1"),
         {},
         ccModified,
         SortKind::Date,
         true},
        {QStringLiteral("&Access date"),
         QStringLiteral("Sortbyaccessdate1"),
         {},
         ccAccess,
         SortKind::Date,
         true},
        {QStringLiteral("&Name"),
         QStringLiteral("Sortbyname1"),
         {},
         ccFileName,
         SortKind::Text,
         false},
        {QStringLiteral("&Type"), QStringLiteral("Sortbytype1"), {}, ccType, SortKind::Text, false},
    };
    c.sortWindowKey = QStringLiteral("TfrmClean");
    c.statusLabel = m_pnlSel;
    c.deleteButton = m_btDelete;
    c.topPanel = m_topPanel;
    c.printTitle = [this] { return printTitle(); };
    // The clipboard holds the rows as they stand, six cells joined by tabs.
    c.clipboard = ClipboardSource::GridRows;
    c.clipboardColumns = ccColumnCount;
    c.clipboardTrailingTab = false;
    m_grid = new ResultGridController(this, m_gridView, c);
    m_gridView->setToolTip(QStringLiteral("Double click to mark for deletion"));
    if (auto* unmark = m_grid->popupMenu()->findChild<QAction*>(QStringLiteral("Unmarkall1")))
        unmark->setText(QStringLiteral("Unmark All"));

    m_buttons.connectToGrid(m_grid, [this] { return m_grid; });
    stackToolWindow(this, m_topPanel, m_gridView, m_pnlSel);
}

void TfrmClean::layoutButtons()
{
    m_buttons.layout(3, kButtonTop, kButtonWidth, kButtonHeight);
}

void TfrmClean::placeDriveList()
{
    placeDriveListRight(m_pckDrive, width(), m_btEdit->geometry().right() + 8, 8);
}

void TfrmClean::applyMinimumSize()
{
    // No narrower than the button row, no lower than twice the top panel,
    // both scaled to the screen's resolution.
    applyToolMinimumSize(this, m_buttons.right() + 3, kPanelHeight);
}

void TfrmClean::pckDriveClick()
{
    if (!m_session || !m_session->isRunning())
        m_btScan->setEnabled(m_pckDrive->checkedCount() > 0);
}

void TfrmClean::setResultButtonsVisible(bool visible)
{
    for (QPushButton* b : {m_btPrint, m_btClip, m_btBrowse, m_btDetails})
        b->setVisible(visible);
}

void TfrmClean::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfrmClean::FormShow()
{
    ReadInFromDisk();
    selectAllExtensions();
    m_grid->savePanelHeight();
    m_grid->ClearGrid();
    m_grid->updateDeleteButton(); // disabled until a row is marked

    setResultButtonsVisible(false);
    m_btAbort->hide();
    m_btMark->hide();
    m_btDelete->hide();
    m_session->abortFlag() = false;
    m_pnlSel->clear();
    m_found = 0;
    pckDriveClick();
    m_btClose->setEnabled(true);

    setWindowTitle(QStringLiteral("Find and delete temporary files"));
    m_btScan->setToolTip(QStringLiteral("Start scanning for temporary files"));
    layoutButtons();
    m_btScan->setFocus();

    applyMinimumSize();
    if (const QScreen* s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
    m_grid->FormResize(width());
    placeDriveList();
    m_place->restorePlacement();
}

void TfrmClean::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_grid->FormResize(event->size().width());
    placeDriveList();
}

void TfrmClean::ReadInFromDisk()
{
    m_pickList->setLines(ReadTempFilesFromDisk(*messageResponder()));
}

void TfrmClean::selectAllExtensions()
{
    m_pickList->selectAll();
}

void TfrmClean::DeselectAll2Click()
{
    m_pickList->clearSelection();
}

void TfrmClean::btEditClick()
{
    {
        TfrmTempFiles editor(this);
        editor.exec();
    }
    // The list may have changed under the selection: the user chooses anew.
    ReadInFromDisk();
    m_pickList->clearSelection();
}

void TfrmClean::btScanClick()
{
    if (m_pickList->selectedCount() == 0) {
        ShowErrorMessage(QStringLiteral("Select at least one file extension"));
        return;
    }
    {
        ToolTipsOff hintsOff(this);
        m_grid->ClearGrid();
        m_grid->updateDeleteButton();
        scan();
    }
    // Every run ends with the size sort, which flips its direction like the
    // menu item does.
    m_grid->sortByItem(0);
    if (m_grid->rowsFilled() > 0)
        m_gridView->selectRow(0);
}

void TfrmClean::scan()
{
    m_found = 0;
    m_btMark->hide();
    m_btDelete->hide();
    setResultButtonsVisible(false);
    {
        ScanSession::Run run(*m_session);
        CleanScan strategy(m_pickList->selectedLines());
        // Rows in walk order, each as it is found.
        m_grid->setLines(strategy.lines());
        strategy.setRecordSink([this](std::uint32_t rec) { m_grid->addToGrid(rec); });
        FolderWalker walker(strategy, m_session->abortFlag(), *messageResponder());
        m_session->attach(walker);
        // The scan is reachable for selection changes only while it lives.
        struct Running {
            CleanScan*& slot;
            ~Running() { slot = nullptr; }
        } running{m_running = &strategy};
        m_grid->beginFill();
        walker.scanAllDrives(m_pckDrive->checkedLines());
        m_grid->endFill();
        m_found = strategy.foundCount();
    }
    const bool found = m_found > 0;
    m_btMark->setVisible(found);
    m_btDelete->setVisible(found);
    if (!found) {
        ShowInfoMessage(QStringLiteral("No files found."));
        return;
    }
    setResultButtonsVisible(true);
    m_pnlSel->setText(FormatGrouped(m_found) + QStringLiteral(" tempfiles found"));
}

void TfrmClean::btDeleteClick()
{
    if (m_grid->runDelete())
        accept();
}

QString TfrmClean::printTitle() const
{
    QString title = QStringLiteral("Temporary files on drive(s) ");
    for (const QString& line : m_pckDrive->checkedLines())
        title += line.left(1).toUpper() + u' ';
    return title;
}

} // namespace rw
