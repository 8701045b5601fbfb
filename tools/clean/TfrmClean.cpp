#include "tools/clean/TfrmClean.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/CentreOnScreen.h"
#include "controls/CheckListBox.h"
#include "controls/PickList.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolTipsOff.h"
#include "tools/clean/TfrmTempFiles.h"
#include "tools/clean/core/CleanScan.h"
#include "tools/clean/core/TempPatterns.h"

namespace rw
{

TfrmClean::TfrmClean(QWidget* owner) : ToolWindow(owner, QStringLiteral("frmClean"), 640, 8, 3)
{
    buildControls();
    buildGrid();
    // The pattern list stays usable during a run (a changed selection counts
    // from the next file); the editor, which replaces the list, does not.
    // The cleaner's placement lives under the program-path section.
    startSession({m_btEdit}, {QStringLiteral("roomwse.ini"), QStringLiteral("frmMods"), {}});
}

TfrmClean::~TfrmClean() = default;

void TfrmClean::buildControls()
{
    QWidget* p = topPanel();

    m_lblHeading = new QLabel(tr("Temporary file types to search and clean."), p);
    m_lblHeading->setObjectName(QStringLiteral("Label1"));
    m_lblHeading->setGeometry(8, 4, 300, 16);

    m_pickList = new PickList(p);
    m_pickList->setObjectName(QStringLiteral("PickList1"));
    m_pickList->setToolTip(tr("File extensions/types of temporary files"));
    m_pickList->setSorted(true);
    // A click toggles one entry.
    m_pickList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_pickList->setGeometry(8, 22, 250, 110);
    connect(m_pickList, &PickList::selectedLinesChanged, this, [this] {
        if (m_running)
            m_running->setPatterns(m_pickList->selectedLines());
    });

    m_btEdit = makeToolButton(p, tr("Add/Delete"), QStringLiteral("btEdit"),
                              tr("Add, delete temporary file extensions"));
    m_btEdit->setGeometry(266, 22, 75, kButtonHeight);
    connect(m_btEdit, &QPushButton::clicked, this, &TfrmClean::btEditClick);

    addDriveList();
    // Abort and Mark take turns on one place.
    addButtons(SharedPlace::MarkOnAbort);
    addStatusPanel(QStringLiteral("pnlSel"), true);
}

void TfrmClean::buildGrid()
{
    addGridView()->setObjectName(QStringLiteral("grid"));

    ResultGridConfig c;
    c.headers = {tr("Size"), tr("Modified"), tr("Time"), tr("Access"), tr("FileName"), tr("Type")};
    c.markColumn = ccFileName;
    c.sizeColumn = ccSize;
    c.columnWidths = {64, 64, 64, 64, 296};
    c.lastColumnMargin = 577;
    c.lastColumnMinimum = 640 - 577; // Type as wide as at the window's first width
    c.sortItems = {
        {tr("&Size"), QStringLiteral("Sortbysize1"), {}, ccSize, SortKind::Number, true},
        {tr("&Date"), QStringLiteral("Sortbydate1"), {}, ccModified, SortKind::Date, true},
        {tr("&Access date"),
         QStringLiteral("Sortbyaccessdate1"),
         {},
         ccAccess,
         SortKind::Date,
         true},
        {tr("&Name"), QStringLiteral("Sortbyname1"), {}, ccFileName, SortKind::Text, false},
        {tr("&Type"), QStringLiteral("Sortbytype1"), {}, ccType, SortKind::Text, false},
    };
    c.sortWindowKey = QStringLiteral("TfrmClean");
    // The clipboard holds the rows as they stand, six cells joined by tabs.
    c.clipboard = ClipboardSource::GridRows;
    c.clipboardColumns = ccColumnCount;
    c.clipboardTrailingTab = false;
    setController(std::move(c));
    m_gridView->setToolTip(tr("Double click to mark for deletion"));
    if (auto* unmark = m_grid->popupMenu()->findChild<QAction*>(QStringLiteral("Unmarkall1")))
        unmark->setText(tr("Unmark All"));
    stackWindow();
}

int TfrmClean::driveListMinLeft() const
{
    return m_btEdit->geometry().right() + 8;
}

void TfrmClean::FormShow()
{
    ReadInFromDisk();
    selectAllExtensions();
    resetResults();
    m_grid->ClearGrid();
    m_grid->updateDeleteButton(); // disabled until a row is marked
    m_found = 0;

    setWindowTitle(tr("Find and delete temporary files"));
    m_btScan->setToolTip(tr("Start scanning for temporary files"));
    m_btScan->setFocus();

    applyMinimumSize();
    centreOnScreen(this);
    fitToWindow();
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
        ShowErrorMessage(tr("Select at least one file extension"));
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
    hideResultButtons();
    {
        ScanSession::Run run(*m_session);
        CleanScan strategy(m_pickList->selectedLines());
        // Rows in walk order, each as it is found.
        m_grid->setLines(strategy.lines());
        strategy.setRecordSink([this](std::uint32_t rec) { m_grid->addToGrid(rec); });
        // The scan is reachable for selection changes only while it lives.
        struct Running {
            CleanScan*& slot;
            ~Running() { slot = nullptr; }
        } running{m_running = &strategy};
        // The rows show as the walk finds them, a batch at a time.
        m_grid->beginShownFill();
        walkCheckedDrives(strategy);
        m_grid->endShownFill();
        m_found = strategy.foundCount();
    }
    reportFound(m_found, tr("%1 tempfiles found").arg(FormatGrouped(m_found)));
}

QString TfrmClean::printTitle() const
{
    QString letters;
    for (const QString& line : m_pckDrive->checkedLines())
        letters += line.left(1).toUpper() + u' ';
    return tr("Temporary files on drive(s) %1").arg(letters);
}

} // namespace rw
