#include "tools/dup/TfrmDup.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

#include <cmath>

#include "app/WinPlace.h"
#include "base/AppGlobals.h"
#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/DriveCheckList.h"
#include "framework/GroupMarking.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/ToolTipsOff.h"
#include "framework/ToolWindowParts.h"
#include "framework/WildcardBox.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/dup/core/DupScan.h"
#include "tools/dup/core/KeepOneCopy.h"

namespace rw
{

namespace
{

constexpr int kPanelHeight = 172;
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 140;
constexpr int kDriveListWidth = 150;

QDoubleSpinBox* makeNumber(QWidget* parent, const QString& name)
{
    // Up to ten digits with a spinner of step 1; a double holds every such
    // whole number exactly.
    auto* n = new QDoubleSpinBox(parent);
    n->setObjectName(name);
    n->setDecimals(0);
    n->setRange(0, 9999999999.0);
    n->setSingleStep(1);
    n->setValue(250);
    return n;
}

} // namespace

TfrmDup::TfrmDup(QWidget* owner) : QDialog(owner), m_duplicateMode(DuplicateMode)
{
    setObjectName(QStringLiteral("frmDup"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setSizeGripEnabled(true);
    resize(640, 478);
    buildControls();
    buildGrid();

    m_session = new ScanSession(this, m_btAbort, m_pnlSel, m_gridView);
    m_session->setDisabledDuringRun({m_btScan, m_btClose, m_pckDrive, m_num1, m_num2, m_cbKB1,
                                     m_cbWildCard, m_rbLarger, m_rbSmaller, m_rbBetween, m_cbDup});

    m_place = new TWinPlace(this);
    m_place->setIniFileName(QStringLiteral("roomwse.ini"));
    m_place->setSection(m_duplicateMode ? QStringLiteral("frmDups") : QStringLiteral("frmMods"));
    m_place->setIdentifier(QStringLiteral("frmMods"));
    m_place->centreIfNew();

    m_matchMode = 0;
    m_cbDup->setCurrentIndex(0);
    FillDriveCheckList(m_pckDrive, DriveEntryTexts(), CurrentDriveEntryText());
    updateStartButton();
}

TfrmDup::~TfrmDup()
{
    // The comparison window outlives this one; it must not keep showing a
    // list whose window is gone.
    if (m_pairShown) {
        TfrmDupCompare* pairs = dupCompareWindow();
        if (pairs->dupForm() == this)
            pairs->setDupForm(nullptr);
        pairs->hide();
    }
}

void TfrmDup::buildControls()
{
    m_topPanel = makeTopPanel(this, kPanelHeight);
    QWidget* p = m_topPanel;

    m_rbLarger = new QRadioButton(QStringLiteral("Larger or equal to"), p);
    m_rbLarger->setObjectName(QStringLiteral("rbLarger"));
    m_rbLarger->setGeometry(8, 8, 140, 20);
    m_rbSmaller = new QRadioButton(QStringLiteral("Smaller or equal to"), p);
    m_rbSmaller->setObjectName(QStringLiteral("rbSmaller"));
    m_rbSmaller->setGeometry(8, 30, 140, 20);
    m_rbBetween = new QRadioButton(QStringLiteral("In between"), p);
    m_rbBetween->setObjectName(QStringLiteral("rbBetween"));
    m_rbBetween->setGeometry(8, 52, 140, 20);
    m_rbLarger->setChecked(true);
    for (QRadioButton* rb : {m_rbLarger, m_rbSmaller, m_rbBetween})
        connect(rb, &QRadioButton::toggled, this, [this] { sizeChoiceChanged(); });

    m_num1 = makeNumber(p, QStringLiteral("num1"));
    m_num1->setGeometry(152, 18, 100, 22);
    m_lblAnd = new QLabel(QStringLiteral("and"), p);
    m_lblAnd->setObjectName(QStringLiteral("lblAnd"));
    m_lblAnd->setGeometry(258, 21, 24, 16);
    m_num2 = makeNumber(p, QStringLiteral("num2"));
    m_num2->setGeometry(284, 18, 100, 22);
    m_cbKB1 = new QComboBox(p);
    m_cbKB1->setObjectName(QStringLiteral("cbKB1"));
    m_cbKB1->addItems({QStringLiteral("bytes"), QStringLiteral("KB")});
    m_cbKB1->setCurrentIndex(1);
    m_cbKB1->setGeometry(390, 18, 70, 22);

    m_lblMatching = new QLabel(QStringLiteral("Matching"), p);
    m_lblMatching->setObjectName(QStringLiteral("lblMatching"));
    m_lblMatching->setGeometry(8, 84, 60, 16);
    m_cbWildCard = new QComboBox(p);
    m_cbWildCard->setObjectName(QStringLiteral("cbWildCard"));
    m_cbWildCard->setToolTip(QStringLiteral("Wildcard pattern for matching file types"));
    m_cbWildCard->setGeometry(70, 80, 120, 22);
    m_lblWild = new QLabel(p);
    m_lblWild->setObjectName(QStringLiteral("lblWild"));
    m_lblWild->setGeometry(196, 84, 260, 16);
    m_wildcard = WildcardBox::setUp(m_cbWildCard, m_lblWild);

    m_lblDup = new QLabel(QStringLiteral("Duplicates matching on : "), p);
    m_lblDup->setObjectName(QStringLiteral("lblDup"));
    m_lblDup->setGeometry(8, 112, 162, 16);
    m_cbDup = new QComboBox(p);
    m_cbDup->setObjectName(QStringLiteral("cbDup"));
    m_cbDup->addItems(dupMatchChoices());
    m_cbDup->setGeometry(172, 108, 240, 22);

    m_pckDrive = makeDriveCheckList(p, 640 - 8 - kDriveListWidth, kDriveListWidth);
    connect(m_pckDrive, &CheckListBox::checksChanged, this, [this] { updateStartButton(); });

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
    m_btCompare = m_buttons.add(QStringLiteral("P&airs"), QStringLiteral("btCompare"),
                                QStringLiteral("Compare file pairs"));

    connect(m_btScan, &QPushButton::clicked, this, &TfrmDup::btScanClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btDelete, &QPushButton::clicked, this, &TfrmDup::btDeleteClick);
    connect(m_btCompare, &QPushButton::clicked, this, &TfrmDup::btCompareClick);
    layoutButtons();

    m_pnlSel = makeStatusPanel(this, QStringLiteral("pnlSel"));
}

void TfrmDup::buildGrid()
{
    m_gridView = new ResultGridView(this);
    makeGridController(0);

    // The buttons reach the controller of the moment (it is remade when the
    // matching rule changes the line layout).
    m_buttons.connectToGrid(this, [this] { return m_grid; });
    stackToolWindow(this, m_topPanel, m_gridView, m_pnlSel);
}

void TfrmDup::makeGridController(int matchMode)
{
    ResultGridConfig c;
    if (m_duplicateMode) {
        c.headers = {QStringLiteral("Filename"), QStringLiteral("Size"),
                     QStringLiteral("Modified"), QStringLiteral("Time"),
                     QStringLiteral("Access"),   QStringLiteral("Folder"),
                     QStringLiteral("Type")};
        c.fieldOrder = dupFieldOrder(matchMode);
        c.markColumn = 0;
        c.sizeColumn = 1;
        c.columnWidths = {93, 58, 64, 70, 70, 184};
        c.lastColumnMargin = 564;
    } else {
        c.headers = {QStringLiteral("Size"),   QStringLiteral("Modified"), QStringLiteral("Time"),
                     QStringLiteral("Access"), QStringLiteral("FileName"), QStringLiteral("Type")};
        c.markColumn = 4;
        c.sizeColumn = 0;
        c.columnWidths = {64, 64, 64, 64, 296};
        c.lastColumnMargin = 577;
        c.sortItems = {
            {QStringLiteral("&Size"), QStringLiteral("Sortbysize1"), {}, 0, SortKind::Number, true},
            {QStringLiteral("&Date"), QStringLiteral("Sortbydate1"), {}, 1, SortKind::Date, true},
            {QStringLiteral("&Access Date"),
             QStringLiteral("SortbyAccessDate1"),
             {},
             3,
             SortKind::Date,
             true},
            {QStringLiteral("&Name"), QStringLiteral("Sortbyname1"), {}, 4, SortKind::Text, false},
            {QStringLiteral("&Type"), QStringLiteral("Sortbytype1"), {}, 5, SortKind::Text, false},
        };
    }
    c.sortWindowKey = QStringLiteral("TfrmDup");
    c.statusLabel = m_pnlSel;
    c.deleteButton = m_btDelete;
    c.topPanel = m_topPanel;
    c.printTitle = [this] { return printTitle(); };
    c.wildcard = [this] { return m_cbWildCard->currentText(); };
    c.clipboard = ClipboardSource::ResultLines;

    if (m_grid) {
        // The menu belongs to the window; it goes with its controller. Both
        // go once control is back in the event loop (the window may be
        // painting the menu's region), and the old one hears nothing more
        // from the grid meanwhile.
        m_gridView->disconnect(m_grid);
        m_grid->popupMenu()->deleteLater();
        m_grid->deleteLater();
    }
    m_grid = new ResultGridController(this, m_gridView, c);
    m_gridMatchMode = matchMode;
    if (m_duplicateMode && matchMode == mmContents) {
        auto* marking = new GroupMarking(
            m_grid, [this](std::uint32_t rec) { return contentGroupOf(rec); },
            [this](std::uint32_t rec) { return contentFileOf(rec); });
        marking->addToMarkMenu();
    }
    m_grid->FormResize(width());
}

QStringList TfrmDup::lbFiles() const
{
    return m_grid->lbFiles();
}

QStringList TfrmDup::lbList() const
{
    QStringList out;
    if (!m_lbLines)
        return out;
    if (!m_lbListSorted) {
        sortCollection(*m_lbLines, m_lbList);
        m_lbListSorted = true;
    }
    for (std::uint32_t rec : m_lbList)
        out.append(m_lbLines->line(rec));
    return out;
}

void TfrmDup::layoutButtons()
{
    m_buttons.layout(3, kButtonTop, kButtonWidth, kButtonHeight);
}

void TfrmDup::placeDriveList()
{
    placeDriveListRight(m_pckDrive, width(), m_cbKB1->geometry().right() + 8, 8);
}

void TfrmDup::applyMinimumSize()
{
    // No narrower than the button row, no lower than twice the top panel,
    // both scaled to the screen's resolution.
    applyToolMinimumSize(this, m_buttons.right() + 3, kPanelHeight);
}

void TfrmDup::sizeChoiceChanged()
{
    const bool both = between();
    m_num2->setVisible(both);
    m_lblAnd->setVisible(both);
}

void TfrmDup::updateStartButton()
{
    if (!m_session || !m_session->isRunning())
        m_btScan->setEnabled(m_pckDrive->checkedCount() > 0);
}

void TfrmDup::setResultButtonsVisible(bool visible)
{
    for (QPushButton* b : {m_btPrint, m_btClip, m_btBrowse, m_btDetails})
        b->setVisible(visible);
    m_btCompare->setVisible(visible && m_duplicateMode);
}

bool TfrmDup::between() const
{
    return m_rbBetween->isChecked();
}

std::int64_t TfrmDup::number(const QDoubleSpinBox* box) const
{
    return std::int64_t(std::llround(box->value()));
}

void TfrmDup::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfrmDup::FormShow()
{
    m_cbKB1->setCurrentIndex(1);
    m_grid->savePanelHeight();
    m_grid->ClearGrid();
    m_num1->setValue(250);
    m_num2->setValue(250);
    setResultButtonsVisible(false);
    m_btAbort->hide();
    m_lbList.clear();
    m_lbLines.reset();
    m_content = ContentGroups();
    m_contentIndex.clear();
    m_session->abortFlag() = false;
    m_pnlSel->clear();
    m_btMark->hide();
    m_btDelete->hide();
    updateStartButton();
    m_btClose->setEnabled(true);
    m_lblDup->setVisible(m_duplicateMode);
    m_cbDup->setVisible(m_duplicateMode);
    setWindowTitle(m_duplicateMode ? QStringLiteral("Find and delete duplicate files")
                                   : QStringLiteral("Find and delete file hogs"));
    m_btScan->setToolTip(m_duplicateMode ? QStringLiteral("Duplicates on file name only")
                                         : QStringLiteral("Start scanning for file hogs"));
    sizeChoiceChanged();
    layoutButtons();
    m_btScan->setFocus();
    applyMinimumSize();
    m_grid->FormResize(width());
    m_wildcard->fill(true);
    m_place->restorePlacement();
}

void TfrmDup::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_grid->FormResize(event->size().width());
    placeDriveList();
}

void TfrmDup::btScanClick()
{
    if (between() && number(m_num2) < number(m_num1)) {
        ShowErrorMessage(QStringLiteral("The second number must be larger or equal than the first "
                                        "number"));
        return;
    }
    if (m_duplicateMode)
        m_matchMode = m_cbDup->currentIndex();
    ToolTipsOff hintsOff(this);
    m_grid->ClearGrid();
    scan();
}

void TfrmDup::scan()
{
    m_grid->ClearGrid();
    m_lbList.clear();
    m_lbLines.reset();
    m_content = ContentGroups();
    m_contentIndex.clear();
    const SizeCondition condition = m_rbLarger->isChecked()    ? SizeCondition::LargerOrEqual
                                    : m_rbSmaller->isChecked() ? SizeCondition::SmallerOrEqual
                                                               : SizeCondition::Between;
    if (m_duplicateMode && m_matchMode != m_gridMatchMode)
        makeGridController(m_matchMode);
    const SizeFilter filter =
        SizeFilter::fromInput(condition, number(m_num1), number(m_num2), m_cbKB1->currentText());
    m_btMark->hide();
    m_btDelete->hide();
    setResultButtonsVisible(false);
    {
        ScanSession::Run run(*m_session);
        DupScan strategy(m_duplicateMode, m_matchMode, filter, m_cbWildCard->currentText());
        FolderWalker walker(strategy, m_session->abortFlag(), *messageResponder());
        m_session->attach(walker);
        walker.scanAllDrives(m_pckDrive->checkedLines());

        // File hogs: rows go in largest first straight away, and the sorted
        // collection (the clipboard's order) is formed only if it is asked for.
        const bool contents = m_duplicateMode && m_matchMode == mmContents;
        const std::vector<std::uint32_t> rows = contents          ? contentRows(strategy)
                                                : m_duplicateMode ? strategy.resultRecords()
                                                                  : strategy.hogGridOrder();
        m_lbList = strategy.collection();
        m_lbListSorted = m_duplicateMode && !contents;
        m_lbLines = strategy.lines();
        m_grid->setLines(strategy.lines());
        m_grid->beginFill(std::int64_t(rows.size()));
        for (std::uint32_t rec : rows)
            m_grid->addToGrid(rec);
        m_grid->endFill();
        if (!m_duplicateMode) {
            m_grid->setResultLineOrder([lines = m_lbLines, collection = m_lbList]() mutable {
                sortCollection(*lines, collection);
                return std::vector<std::uint32_t>(collection.rbegin(), collection.rend());
            });
        }
        if (!m_duplicateMode) {
            // Largest first; the flag is then ascending for the user's next
            // size sort.
            m_grid->setSortDescending(0, true);
            m_grid->sortByItem(0);
        }
        if (m_grid->rowsFilled() > 0)
            m_gridView->selectRow(0);
    }
    const bool found = m_grid->resultLineCount() > 0;
    m_btMark->setVisible(found);
    m_btDelete->setVisible(found);
    if (!found) {
        ShowInfoMessage(QStringLiteral("No files found."));
        return;
    }
    setResultButtonsVisible(true);
    if (m_duplicateMode && m_matchMode == mmContents) {
        m_pnlSel->setText(QStringLiteral("%1 duplicates in %2 groups, %3 bytes can be freed")
                              .arg(FormatGrouped(m_content.duplicates),
                                   FormatGrouped(m_content.groupCount),
                                   FormatGrouped(m_content.freeable)));
        return;
    }
    m_pnlSel->setText(FormatGrouped(m_grid->resultLineCount()) +
                      (m_duplicateMode ? QStringLiteral(" duplicates found")
                                       : QStringLiteral(" file hogs found")));
}

std::vector<std::uint32_t> TfrmDup::contentRows(DupScan& strategy)
{
    // The walk stopped by Abort: nothing to compare.
    if (m_session->aborted())
        return {};
    // The records in walk order (the same on every run over the same
    // tree): sorting all lines as text first would cost more than the
    // hashing of small files.
    const ResultSet& set = strategy.lines()->set();
    ContentDupFinder finder(set, m_hashThreads);
    connect(m_session, &ScanSession::abortClicked, &finder, &ContentDupFinder::abort);
    connect(&finder, &ContentDupFinder::progressed, this, [this](const ContentProgress& p) {
        m_session->showStatus(ContentDupFinder::progressText(p));
    });
    finder.run(strategy.collection());
    m_content = finder.result();
    for (std::uint32_t i = 0; i < m_content.rows.size(); ++i) {
        const std::uint32_t rec = m_content.rows[i];
        m_contentIndex.emplace(rec, i);
        strategy.lines()->set().record(rec).set(ResultRecord::Shaded, m_content.rowGroup[i] % 2);
    }
    return m_content.rows;
}

std::int64_t TfrmDup::contentGroupOf(std::uint32_t record) const
{
    const auto it = m_contentIndex.find(record);
    return it == m_contentIndex.end() ? -1 : m_content.rowGroup[it->second];
}

std::int64_t TfrmDup::contentFileOf(std::uint32_t record) const
{
    const auto it = m_contentIndex.find(record);
    return it == m_contentIndex.end() ? -1 : m_content.rowFile[it->second];
}

void TfrmDup::btDeleteClick()
{
    if (m_duplicateMode && m_matchMode == mmContents && m_grid->lines()) {
        // Never the last copy: each file is compared with a copy that stays
        // just before it goes.
        if (m_grid->markedCount() <= 0) {
            accept();
            return;
        }
        auto keep = std::make_shared<KeepOneCopy>(
            KeepOneCopy::fromGroups(m_grid->lines()->set(), m_content));
        if (runDeleteMarked(
                this, m_grid->markedTargets(), m_grid->markedBytes(),
                [keep](const SafeFolder& folder, const DeleteTarget& target) {
                    return keep->mayGo(folder, target);
                },
                KeepOneCopy::keptNotice()))
            accept();
        return;
    }
    if (m_grid->runDelete())
        accept();
}

void TfrmDup::btCompareClick()
{
    m_pairShown = true;
    dupCompareWindow()->showFor(this);
}

QString TfrmDup::printTitle() const
{
    const QString unit = m_cbKB1->currentText();
    const QString n1 = QString::number(number(m_num1));
    const QString n2 = QString::number(number(m_num2));
    QString size;
    if (m_rbLarger->isChecked())
        size = QStringLiteral("larger or equal to ") + n1 + u' ' + unit;
    else if (m_rbSmaller->isChecked())
        size = QStringLiteral("smaller or equal to ") + n1 + u' ' + unit;
    else
        size = QStringLiteral("in between ") + n1 + u' ' + unit + QStringLiteral(" and ") + n2 +
               u' ' + unit;
    QString title =
        (m_duplicateMode ? QStringLiteral("Duplicates ") : QStringLiteral("File Hogs ")) + size +
        QStringLiteral(" matching ") + m_cbWildCard->currentText() +
        QStringLiteral(" on drive(s) ");
    for (const QString& line : m_pckDrive->checkedLines())
        title += line.left(1) + u' ';
    return title;
}

int TfrmDup::rowCount() const
{
    const std::int64_t rows = m_grid->rowsFilled();
    return rows > 1 ? int(rows + 1) : 2;
}

QString TfrmDup::cell(int col, int row) const
{
    if (row < 1 || row > m_grid->rowsFilled() || col < 0 || col >= dcCopiedColumnCount)
        return QString();
    if (col == dcGroup || col == dcFile) {
        const std::uint32_t rec = m_grid->rowRecord(row - 1);
        const std::int64_t n = col == dcGroup ? contentGroupOf(rec) : contentFileOf(rec);
        return n < 0 ? QString() : QString::number(n);
    }
    return m_grid->model()->cell(row - 1, col);
}

int TfrmDup::currentRow() const
{
    const int row = m_gridView->currentRow();
    return row < 0 ? 1 : row + 1;
}

void TfrmDup::setCurrentRow(int row)
{
    if (row >= 1 && row <= m_grid->rowsFilled())
        m_gridView->selectRow(row - 1);
}

QByteArray TfrmDup::pathBytes(int row) const
{
    return row >= 1 ? m_grid->rowPathBytes(row - 1) : QByteArray();
}

void TfrmDup::MarkThisFile(int row)
{
    if (row >= 1)
        m_grid->MarkThisFile(row - 1);
}

QWidget* TfrmDup::window() const
{
    return const_cast<TfrmDup*>(this);
}

} // namespace rw
