#include "tools/dup/TfrmDup.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

#include "base/AppGlobals.h"
#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/FolderDeleteAction.h"
#include "framework/GroupMarking.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/TfrmReplaceLinks.h"
#include "framework/ToolTipsOff.h"
#include "framework/WildcardBox.h"
#include "framework/core/EmptiedFolders.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/dup/core/ContentLinks.h"
#include "tools/dup/core/DupScan.h"
#include "tools/dup/core/FolderDupFinder.h"
#include "tools/dup/core/FolderDupScan.h"
#include "tools/dup/core/KeepOneCopy.h"
#include "tools/dup/core/KeepOneFolderCopy.h"

namespace rw
{

namespace
{

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

TfrmDup::TfrmDup(QWidget* owner)
    : ToolWindow(owner, QStringLiteral("frmDup"), 640, 8, 3), m_duplicateMode(DuplicateMode)
{
    buildControls();
    addStatusPanel(QStringLiteral("pnlSel"), true);
    addGridView();
    makeGridController(0);
    stackWindow();
    startSession(
        {m_num1, m_num2, m_cbKB1, m_cbWildCard, m_rbLarger, m_rbSmaller, m_rbBetween, m_cbDup},
        {QStringLiteral("roomwse.ini"), QStringLiteral("frmMods"),
         m_duplicateMode ? QStringLiteral("frmDups") : QStringLiteral("frmMods")});
    m_matchMode = 0;
    m_cbDup->setCurrentIndex(0);
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
    QWidget* p = topPanel();

    m_rbLarger = new QRadioButton(tr("Larger or equal to"), p);
    m_rbLarger->setObjectName(QStringLiteral("rbLarger"));
    m_rbLarger->setGeometry(8, 8, 140, 20);
    m_rbSmaller = new QRadioButton(tr("Smaller or equal to"), p);
    m_rbSmaller->setObjectName(QStringLiteral("rbSmaller"));
    m_rbSmaller->setGeometry(8, 30, 140, 20);
    m_rbBetween = new QRadioButton(tr("In between"), p);
    m_rbBetween->setObjectName(QStringLiteral("rbBetween"));
    m_rbBetween->setGeometry(8, 52, 140, 20);
    m_rbLarger->setChecked(true);
    for (QRadioButton* rb : {m_rbLarger, m_rbSmaller, m_rbBetween})
        connect(rb, &QRadioButton::toggled, this, [this] { sizeChoiceChanged(); });

    m_num1 = makeNumber(p, QStringLiteral("num1"));
    m_num1->setGeometry(152, 18, 100, 22);
    m_lblAnd = new QLabel(tr("and"), p);
    m_lblAnd->setObjectName(QStringLiteral("lblAnd"));
    m_lblAnd->setGeometry(258, 21, 24, 16);
    m_num2 = makeNumber(p, QStringLiteral("num2"));
    m_num2->setGeometry(284, 18, 100, 22);
    m_cbKB1 = new QComboBox(p);
    m_cbKB1->setObjectName(QStringLiteral("cbKB1"));
    m_cbKB1->addItems({tr("bytes"), QStringLiteral("KB")});
    m_cbKB1->setCurrentIndex(1);
    m_cbKB1->setGeometry(390, 18, 70, 22);

    m_lblMatching = new QLabel(tr("Matching"), p);
    m_lblMatching->setObjectName(QStringLiteral("lblMatching"));
    m_lblMatching->setGeometry(8, 84, 60, 16);
    m_cbWildCard = new QComboBox(p);
    m_cbWildCard->setObjectName(QStringLiteral("cbWildCard"));
    m_cbWildCard->setToolTip(tr("Wildcard pattern for matching file types"));
    m_cbWildCard->setGeometry(70, 80, 120, 22);
    m_lblWild = new QLabel(p);
    m_lblWild->setObjectName(QStringLiteral("lblWild"));
    m_lblWild->setGeometry(196, 84, 260, 16);
    m_wildcard = WildcardBox::setUp(m_cbWildCard, m_lblWild);

    m_lblDup = new QLabel(tr("Duplicates matching on : "), p);
    m_lblDup->setObjectName(QStringLiteral("lblDup"));
    m_lblDup->setGeometry(8, 112, 162, 16);
    m_cbDup = new QComboBox(p);
    m_cbDup->setObjectName(QStringLiteral("cbDup"));
    m_cbDup->addItems(dupMatchChoices());
    m_cbDup->setGeometry(172, 108, 240, 22);

    addDriveList();
    // Abort and Mark take turns on one place.
    addButtons(SharedPlace::MarkOnAbort);
    m_btCompare =
        m_buttons.add(tr("P&airs"), QStringLiteral("btCompare"), tr("Compare file pairs"));
    connect(m_btCompare, &QPushButton::clicked, this, &TfrmDup::btCompareClick);
    layoutButtons();
}

void TfrmDup::makeGridController(int matchMode)
{
    ResultGridConfig c;
    if (m_duplicateMode) {
        c.headers = {tr("Filename"), tr("Size"),   tr("Modified"), tr("Time"),
                     tr("Access"),   tr("Folder"), tr("Type")};
        c.fieldOrder = dupFieldOrder(matchMode);
        c.markColumn = 0;
        c.sizeColumn = 1;
        c.columnWidths = {93, 58, 64, 70, 70, 184};
        c.lastColumnMargin = 564;
        c.lastColumnMinimum = 640 - 564; // Type as wide as at the window's first width
    } else {
        c.headers = {tr("Size"),   tr("Modified"), tr("Time"),
                     tr("Access"), tr("FileName"), tr("Type")};
        c.markColumn = 4;
        c.sizeColumn = 0;
        c.columnWidths = {64, 64, 64, 64, 296};
        c.lastColumnMargin = 577;
        c.lastColumnMinimum = 640 - 577; // Type as wide as at the window's first width
        c.sortItems = {
            {tr("&Size"), QStringLiteral("Sortbysize1"), {}, 0, SortKind::Number, true},
            {tr("&Date"), QStringLiteral("Sortbydate1"), {}, 1, SortKind::Date, true},
            {tr("&Access Date"), QStringLiteral("SortbyAccessDate1"), {}, 3, SortKind::Date, true},
            {tr("&Name"), QStringLiteral("Sortbyname1"), {}, 4, SortKind::Text, false},
            {tr("&Type"), QStringLiteral("Sortbytype1"), {}, 5, SortKind::Text, false},
        };
    }
    c.sortWindowKey = QStringLiteral("TfrmDup");
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
    setController(std::move(c));
    m_gridMatchMode = matchMode;
    if (m_duplicateMode && (matchMode == mmContents || matchMode == mmFolders)) {
        auto* marking = new GroupMarking(
            m_grid, [this](std::uint32_t rec) { return contentGroupOf(rec); },
            [this](std::uint32_t rec) { return contentFileOf(rec); });
        marking->addToMarkMenu();
        QAction* replace = m_grid->popupMenu()->addAction(tr("Replace marked with &links to the "
                                                             "kept copy"));
        replace->setObjectName(QStringLiteral("ReplaceWithLinks1"));
        connect(replace, &QAction::triggered, this, &TfrmDup::replaceMarkedClick);
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

int TfrmDup::driveListMinLeft() const
{
    return m_cbKB1->geometry().right() + 8;
}

void TfrmDup::sizeChoiceChanged()
{
    const bool both = between();
    m_num2->setVisible(both);
    m_lblAnd->setVisible(both);
}

void TfrmDup::setResultButtonsVisible(bool visible)
{
    ToolWindow::setResultButtonsVisible(visible);
    // Pairs compare files; folder rows have no bytes of their own to show.
    m_btCompare->setVisible(visible && m_duplicateMode && m_matchMode != mmFolders);
}

bool TfrmDup::between() const
{
    return m_rbBetween->isChecked();
}

std::int64_t TfrmDup::number(const QDoubleSpinBox* box) const
{
    return std::int64_t(std::llround(box->value()));
}

void TfrmDup::FormShow()
{
    resetResults();
    m_cbKB1->setCurrentIndex(1);
    m_grid->ClearGrid();
    m_num1->setValue(250);
    m_num2->setValue(250);
    m_lbList.clear();
    m_lbLines.reset();
    m_content = ContentGroups();
    m_contentIndex.clear();
    m_lblDup->setVisible(m_duplicateMode);
    m_cbDup->setVisible(m_duplicateMode);
    setWindowTitle(m_duplicateMode ? tr("Find and delete duplicate files")
                                   : tr("Find and delete file hogs"));
    m_btScan->setToolTip(m_duplicateMode ? tr("Duplicates on file name only")
                                         : tr("Start scanning for file hogs"));
    sizeChoiceChanged();
    m_btScan->setFocus();
    m_wildcard->fill(true);
    fitToWindow();
}

void TfrmDup::btScanClick()
{
    if (between() && number(m_num2) < number(m_num1)) {
        ShowErrorMessage(tr("The second number must be larger or equal than the first "
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
    hideResultButtons();
    {
        ScanSession::Run run(*m_session);
        DupScan strategy(m_duplicateMode, m_matchMode, filter, m_cbWildCard->currentText());
        FolderDupScan folderStrategy;
        std::vector<std::uint32_t> rows;
        if (m_duplicateMode && m_matchMode == mmFolders) {
            // Every file of every folder: the size condition applies to the
            // folders' trees, and no pattern can leave part of a tree out.
            walkCheckedDrives(folderStrategy);
            rows = folderRows(folderStrategy, filter);
            m_lbList = rows;
            m_lbListSorted = true;
            m_lbLines = folderStrategy.lines();
        } else {
            walkCheckedDrives(strategy);
            // File hogs: rows go in largest first straight away, and the
            // sorted collection (the clipboard's order) is formed only if it
            // is asked for.
            const bool contents = m_duplicateMode && m_matchMode == mmContents;
            rows = contents          ? contentRows(strategy)
                   : m_duplicateMode ? strategy.resultRecords()
                                     : strategy.hogGridOrder();
            m_lbList = strategy.collection();
            m_lbListSorted = m_duplicateMode && !contents;
            m_lbLines = strategy.lines();
        }
        m_grid->setLines(m_lbLines);
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
    const std::int64_t found = m_grid->resultLineCount();
    if (m_duplicateMode && m_matchMode == mmContents)
        reportFound(found, tr("%1 duplicates in %2 groups, %3 bytes can be freed")
                               .arg(FormatGrouped(m_content.duplicates),
                                    FormatGrouped(m_content.groupCount),
                                    FormatGrouped(m_content.freeable)));
    else if (m_duplicateMode && m_matchMode == mmFolders)
        reportFound(found, tr("Duplicate folders: %1; groups: %2; bytes that can be freed: %3")
                               .arg(FormatGrouped(m_content.duplicates),
                                    FormatGrouped(m_content.groupCount),
                                    FormatGrouped(m_content.freeable)));
    else
        reportFound(found, (m_duplicateMode ? tr("%1 duplicates found") : tr("%1 file hogs found"))
                               .arg(FormatGrouped(found)));
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
    takeGroups(strategy.lines()->set(), finder.result());
    return m_content.rows;
}

std::vector<std::uint32_t> TfrmDup::folderRows(FolderDupScan& strategy, const SizeFilter& filter)
{
    if (m_session->aborted())
        return {};
    FolderDupFinder finder(m_hashThreads);
    connect(m_session, &ScanSession::abortClicked, &finder, &FolderDupFinder::abort);
    connect(&finder, &FolderDupFinder::progressed, this, [this](const ContentProgress& p) {
        m_session->showStatus(ContentDupFinder::progressText(p));
    });
    finder.run(strategy, filter);
    takeGroups(strategy.set(), finder.result());
    return m_content.rows;
}

void TfrmDup::takeGroups(ResultSet& set, const ContentGroups& groups)
{
    m_content = groups;
    for (std::uint32_t i = 0; i < m_content.rows.size(); ++i) {
        const std::uint32_t rec = m_content.rows[i];
        m_contentIndex.emplace(rec, i);
        set.record(rec).set(ResultRecord::Shaded, m_content.rowGroup[i] % 2);
    }
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
    if (!m_duplicateMode) {
        ToolWindow::btDeleteClick();
        return;
    }
    if (m_matchMode == mmFolders && m_grid->lines()) {
        deleteMarkedFolders();
        return;
    }
    // Marked rows whose files have all vanished: nothing to confirm.
    if (m_grid->markedCount() <= 0) {
        accept();
        return;
    }
    DeleteRun::Guard guard;
    QString keptNotice;
    if (m_matchMode == mmContents && m_grid->lines()) {
        // Never the last copy: each file is compared with a copy that stays
        // just before it goes.
        auto keep = std::make_shared<KeepOneCopy>(
            KeepOneCopy::fromGroups(m_grid->lines()->set(), m_content));
        guard = [keep](const SafeFolder& folder, const DeleteTarget& target) {
            return keep->mayGo(folder, target);
        };
        keptNotice = KeepOneCopy::keptNotice();
    }
    DeleteRun::Outcome outcome;
    if (!runDeleteMarked(this, m_grid->markedTargets(), m_grid->markedBytes(), guard, keptNotice,
                         &outcome))
        return;
    EmptiedFolders::offerAfter(outcome.gone, *messageResponder());
    accept();
}

void TfrmDup::replaceMarkedClick()
{
    if (m_matchMode != mmContents || !m_grid->lines())
        return;
    if (m_grid->markedCount() <= 0) {
        ShowInfoMessage(tr("No files are marked."));
        return;
    }
    const KeepOneCopy groups = KeepOneCopy::fromGroups(m_grid->lines()->set(), m_content);
    LinkReplaceRun::Outcome outcome;
    if (!runReplaceMarked(this, ContentLinks::items(groups), ContentLinks::sameBytes(),
                          *messageResponder(), &outcome))
        return;
    accept();
}

void TfrmDup::deleteMarkedFolders()
{
    const QList<DeleteTarget> targets = m_grid->markedTargets();
    if (targets.isEmpty()) {
        accept();
        return;
    }
    // Marks are read once, before anything goes: a folder marked now is
    // never counted on as the copy that stays.
    const KeepOneFolderCopy keep = KeepOneFolderCopy::fromGroups(m_grid->lines()->set(), m_content);
    QStringList kept;
    QList<DeleteTarget> removed;
    bool confirmed = false;
    for (const DeleteTarget& target : targets) {
        FolderDeleteRequest request;
        request.target = target;
        request.window = RefusingWindow::FolderHogs;
        request.recycledCountsAsDeleted = false;
        request.mayDelete = [&keep, &target] { return keep.mayGo(target); };
        const FolderDeleteOutcome outcome = runFolderDelete(this, request, *messageResponder());
        // Cancel (or a refused folder) ends the run: the rest stay.
        if (!outcome.confirmed)
            break;
        confirmed = true;
        if (outcome.kept)
            kept << target.shown;
        if (outcome.folderRemoved)
            removed << target;
    }
    if (!kept.isEmpty())
        ShowWarningMessage(KeepOneFolderCopy::keptNotice() + u'\n' + kept.join(u'\n'));
    // A folder that held only the copy that went is offered too.
    EmptiedFolders::offerAfter(removed, *messageResponder());
    if (confirmed)
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
        size = tr("larger or equal to %1 %2").arg(n1, unit);
    else if (m_rbSmaller->isChecked())
        size = tr("smaller or equal to %1 %2").arg(n1, unit);
    else
        size = tr("in between %1 %3 and %2 %3").arg(n1, n2, unit);
    QString letters;
    for (const QString& line : m_pckDrive->checkedLines())
        letters += line.left(1) + u' ';
    return (m_duplicateMode ? tr("Duplicates %1 matching %2 on drive(s) %3")
                            : tr("File Hogs %1 matching %2 on drive(s) %3"))
        .arg(size, m_cbWildCard->currentText(), letters);
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
