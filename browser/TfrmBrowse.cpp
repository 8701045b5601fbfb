#include "browser/TfrmBrowse.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/WinPlace.h"
#include "base/ProgramMessages.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "browser/FolderTree.h"
#include "browser/core/FolderListing.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "controls/WaitCursor.h"
#include "framework/DriveCheckList.h"
#include "framework/FolderDeleteAction.h"
#include "framework/ResultGridController.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/TfrmWildCard.h"
#include "framework/ToolWindowParts.h"
#include "framework/WindowHooks.h"
#include "framework/core/DeleteTarget.h"
#include "framework/core/PathBytes.h"
#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/Drives.h"
#include "platform/WorkingFolder.h"

namespace rw
{

namespace
{

// Grid columns.
constexpr int kSizeColumn = 3;
constexpr int kNameColumn = 4;
constexpr int kTypeColumn = 5;

// Sort items, in menu order. The menu starts with "Name" checked.
enum SortItem { SortName, SortModified, SortAccess, SortSize, SortType };

// Bottom button row at 96 dpi.
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 6;
constexpr int kPanel2Height = 37;
constexpr int kPanel3Height = 22;
constexpr int kLeftMargin = 10;  // "Delete &Folder" from the left edge
constexpr int kRightMargin = 12; // "Close" from the right edge
constexpr int kButtonGap = 5;    // between the buttons of the right-hand group
// Where the status bar sits in the window as designed: the window may not be
// made lower than its top plus half its height.
constexpr int kDesignPanel3Top = 300;

QString wildcardText(const QString& mask)
{
    return TfrmBrowse::tr("Wildcard : %1").arg(mask);
}

// The folder itself when it exists, else its nearest existing parent.
QByteArray existingFolder(const QByteArray& folder)
{
    QByteArray path = cleanAbsolutePath(folder);
    while (!isFolderPath(path) && path != "/")
        path = parentPathBytes(path);
    return path;
}

// The drive a folder lies on. Drive roots are texts, so the folder's decoded
// text is matched against them; it decides nothing but the drive.
bool driveOfFolder(const QByteArray& folder, DriveInfo* drive)
{
    return driveOfPath(QFile::decodeName(folder), drive);
}

} // namespace

TfrmBrowse::TfrmBrowse(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmBrowse"));
    setWindowTitle(tr("Browse through folders"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    buildControls();
    m_folder = workingFolderBytes();

    resize(760, 480);
    m_winPlace =
        TWinPlace::attach(this, QStringLiteral("roomwse.ini"), QStringLiteral("frmBrowse"));
}

TfrmBrowse::~TfrmBrowse() = default;

void TfrmBrowse::buildControls()
{
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    top->addWidget(splitter, 1);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 2, 4);
    leftLayout->setSpacing(4);
    m_driveBox = new QComboBox(left);
    m_driveBox->setObjectName(QStringLiteral("DriveComboBox1"));
    FillDriveCombo(m_driveBox);
    leftLayout->addWidget(m_driveBox);
    m_tree = new FolderTree(left);
    m_tree->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_tree->setToolTip(tr("Double click to select"));
    // Beyond the described window: the folder map of a folder of the tree.
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* item = m_tree->itemAt(at);
        if (!item || !windowHooks().openFolderMap)
            return;
        const QByteArray folder = item->data(0, FolderTree::kPathRole).toByteArray();
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("FolderMenu"));
        QAction* map = menu.addAction(tr("Show folder &map"));
        map->setObjectName(QStringLiteral("ShowFolderMap1"));
        if (menu.exec(m_tree->viewport()->mapToGlobal(at)) == map)
            windowHooks().openFolderMap(this, folder);
    });
    leftLayout->addWidget(m_tree, 1);

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(2, 4, 4, 4);
    rightLayout->setSpacing(4);
    m_label1 = new QLabel(right);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rightLayout->addWidget(m_label1);
    m_view = new ResultGridView(right);
    m_view->setObjectName(QStringLiteral("grid"));
    m_view->setToolTip(tr("Double click to mark, right click for options"));
    m_view->verticalHeader()->setDefaultSectionSize(17);
    rightLayout->addWidget(m_view, 1);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});

    m_panel2 = new QWidget(this);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    m_panel2->setFixedHeight(kPanel2Height);
    top->addWidget(m_panel2);
    auto button = [this](const char* name, const char* text, const char* hint, int width) {
        auto* b = new QPushButton(tr(text), m_panel2);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(*hint ? tr(hint) : QString());
        b->setAutoDefault(false);
        b->resize(width, kButtonHeight);
        return b;
    };
    m_btDeleteDirectory = button("btDeleteDirectory", QT_TR_NOOP("Delete &Folder"),
                                 QT_TR_NOOP("Delete folder and all files/folders below"), 95);
    m_btDetails =
        button("btDetails", QT_TR_NOOP("&Details"), QT_TR_NOOP("View more file details"), 75);
    m_btLaunch =
        button("btLaunch", QT_TR_NOOP("&Run"), QT_TR_NOOP("Run/launch associated application"), 75);
    m_btView = button("btView", QT_TR_NOOP("&View"), QT_TR_NOOP("View file"), 75);
    m_btMark =
        button("btMark", QT_TR_NOOP("&Mark"), QT_TR_NOOP("Mark/unmark files for deletion"), 75);
    m_btDeleteFiles = button("btDeleteFiles", QT_TR_NOOP("D&elete marked files"),
                             QT_TR_NOOP("Delete marked files"), 125);
    m_btDeleteFiles->setEnabled(false);
    m_btClose = button("btClose", QT_TR_NOOP("Close"), "", 75);
    m_panel2->installEventFilter(this);

    m_panel3 = new QWidget(this);
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    m_panel3->setFixedHeight(kPanel3Height);
    auto* status = new QHBoxLayout(m_panel3);
    status->setContentsMargins(1, 1, 1, 1);
    status->setSpacing(2);
    auto panel = [this, status](const char* name, int stretch) {
        auto* p = new QLabel(m_panel3);
        p->setObjectName(QString::fromLatin1(name));
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        status->addWidget(p, stretch);
        return p;
    };
    m_pnlScan = panel("pnlScan", 2);
    m_pnlWild = panel("pnlWild", 1);
    m_pnlWild->setToolTip(tr("Click to change the wildcard pattern"));
    m_pnlWild->installEventFilter(this);
    m_pnlSize = panel("pnlSize", 1);
    top->addWidget(m_panel3);

    ResultGridConfig config;
    config.headers = {tr("Modified"), tr("Time"),     tr("Access"),
                      tr("Size"),     tr("Filename"), tr("Type")};
    config.markColumn = kNameColumn;
    config.sizeColumn = kSizeColumn;
    // Directions belong to the program run and are shared by every browser.
    config.sortWindowKey = QStringLiteral("frmBrowse");
    config.sortItems = {
        {tr("Name"), QStringLiteral("Name1"), {}, kNameColumn, SortKind::Text, false},
        {tr("Modified &Date"), QStringLiteral("ModifiedDate1"), {}, 0, SortKind::Date, true},
        {tr("&Access Date"), QStringLiteral("AccessDate1"), {}, 2, SortKind::Date, true},
        {tr("&Size"), QStringLiteral("Size1"), {}, kSizeColumn, SortKind::Number, true},
        {tr("&Type"), QStringLiteral("Type1"), {}, kTypeColumn, SortKind::Text, false},
    };
    config.defaultSortItem = SortName;
    // A user's choice of a column turns its kept direction round first.
    config.flipBeforeSort = true;
    config.statusPrefix = tr("Marked for deletion: ");
    config.statusLabel = m_pnlScan;
    config.deleteButton = m_btDeleteFiles;
    config.columnWidths = {69, 66, 66, 61};
    // Filename and Type share what the four fixed columns leave.
    config.lastColumnWidth = [this](int gridWidth, const QList<int>& scaled) {
        int rest = gridWidth - 25;
        for (int w : scaled)
            rest -= w;
        return logicalDpiX() * (rest / 2) / 96;
    };
    config.cellInset = 3;
    config.resizeMenu = false;
    // Double click marks only rows with a type; header clicks sort.
    config.connectGridGestures = false;
    m_grid = new ResultGridController(this, m_view, config);
    m_grid->ClearGrid();
    m_view->installEventFilter(this);

    connect(m_view, &QAbstractItemView::doubleClicked, this, &TfrmBrowse::gridDblClick);
    connect(m_view, &ResultGridView::headerClicked, m_grid, &ResultGridController::headerClick);
    connect(m_driveBox, &QComboBox::activated, this, &TfrmBrowse::driveChosen);
    connect(m_tree, &FolderTree::folderChosen, this,
            [this](const QByteArray& folder) { changeFolder(folder); });
    connect(m_btDeleteDirectory, &QPushButton::clicked, this, &TfrmBrowse::btDeleteDirectoryClick);
    connect(m_btDetails, &QPushButton::clicked, m_grid, &ResultGridController::Details1Click);
    connect(m_btLaunch, &QPushButton::clicked, m_grid, &ResultGridController::Run1Click);
    connect(m_btView, &QPushButton::clicked, m_grid, &ResultGridController::View1Click);
    connect(m_btMark, &QPushButton::clicked, this, &TfrmBrowse::btMarkClick);
    connect(m_btDeleteFiles, &QPushButton::clicked, this, &TfrmBrowse::btDeleteFilesClick);
    connect(m_btClose, &QPushButton::clicked, this, &TfrmBrowse::reject);
}

void TfrmBrowse::setFolder(const QByteArray& folder)
{
    changeFolder(folder);
}

void TfrmBrowse::setMask(const QString& mask)
{
    m_mask = mask.trimmed().isEmpty() ? QStringLiteral("*.*") : mask.trimmed();
    m_pnlWild->setText(wildcardText(m_mask));
    if (m_shown)
        refresh();
}

void TfrmBrowse::changeFolder(const QByteArray& folder, bool rereadTree)
{
    m_folder = existingFolder(folder);
    // Nothing to do when it fails: the listing names the folder by its path.
    changeWorkingFolder(m_folder);
    if (!m_shown)
        return;
    showFolderInControls(rereadTree);
    refresh();
}

void TfrmBrowse::showFolderInControls(bool rereadTree)
{
    // The drive box and the tree always name the same drive. A folder on no
    // drive (outside every mapped root) has no entry to show: the box is left
    // blank and the tree starts at "/".
    DriveInfo drive;
    const bool onDrive = driveOfFolder(m_folder, &drive);
    int entry = -1;
    if (onDrive) {
        entry = m_driveBox->findText(drive.entryText());
        if (entry < 0) {
            // The drive table changed since the box was filled.
            FillDriveCombo(m_driveBox);
            entry = m_driveBox->findText(drive.entryText());
        }
    }
    m_driveBox->setCurrentIndex(entry);
    m_tree->showFolder(entry >= 0 ? drive.root : QStringLiteral("/"), m_folder, rereadTree);
    m_label1->setText(displayName(m_folder));
}

void TfrmBrowse::driveChosen(int index)
{
    const QString text = m_driveBox->itemText(index);
    DriveInfo drive;
    if (text.isEmpty() || !findDrive(text.at(0), &drive))
        return;
    // The root as the file system names it (run-only drives keep their bytes).
    changeFolder(drive.rootPath());
}

void TfrmBrowse::refresh()
{
    // Events run between the steps of a listing; one that asks for a new
    // listing meanwhile gets it when this one is done.
    if (m_refreshing) {
        m_refreshAgain = true;
        return;
    }
    m_refreshing = true;
    do {
        m_refreshAgain = false;
        refreshOnce();
    } while (m_refreshAgain);
    m_refreshing = false;
}

void TfrmBrowse::refreshOnce()
{
    DriveInfo drive;
    if (driveOfFolder(m_folder, &drive) && !DriveValid(drive.letter))
        return;
    m_btDeleteFiles->setEnabled(false);
    m_grid->clearAllMarks();
    {
        WaitCursor wait;
        // A folder of 200,000 files takes seconds: it is read in steps, and
        // between them the window repaints and answers the
        // window system. Input waits until the listing is complete, so
        // nothing acts on a half-made list.
        const auto step = [this](std::int64_t done) {
            m_pnlScan->setText(tr("Reading : %1").arg(FormatGrouped(done)));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        const FolderListing listing = listFolderFiles(m_folder, m_mask, step);
        m_lines = folderListingLines(listing);
        m_grid->setLines(m_lines);
        m_grid->beginFill(listing.count());
        // The fill itself is quick and runs in one go: the grid's model is
        // being reset meanwhile, and no view may look at it.
        for (std::uint32_t rec = 0; rec < listing.count(); ++rec)
            m_grid->addToGrid(rec);
        // An empty folder still shows one blank row under the headings.
        if (listing.count() == 0)
            m_grid->addEmptyRow();
        m_grid->endFill();
        m_listedCount = listing.count();
        m_listedTotal = listing.totalSize;
        m_unreadable = listing.unreadableText(m_folder);

        const int checked = m_grid->checkedSortItem();
        m_grid->sortByItem(checked >= 0 ? checked : SortName, false);
    }
    m_view->selectRow(0);
    m_pnlScan->setText(tr("Number of files : %1").arg(m_listedCount));
    // A folder that could not be read is said, not shown as an empty one.
    if (!m_unreadable.isEmpty())
        m_pnlScan->setText(m_unreadable);
    m_pnlScan->setToolTip(m_unreadable);
    m_pnlSize->setText(tr("Total size : %1").arg(FormatGrouped(m_listedTotal)));
}

void TfrmBrowse::selectFileRow(const QByteArray& name)
{
    if (!m_lines)
        return;
    // By the bytes: "x\xff.txt" is not its look-alike "x\uFFFD.txt".
    const std::string_view wanted(name.constData(), std::size_t(name.size()));
    for (std::int64_t row = 0; row < m_grid->rowsFilled(); ++row) {
        const std::uint32_t rec = m_grid->rowRecord(row);
        if (rec != ResultGridModel::kNoRecord && m_lines->set().name(rec) == wanted) {
            m_view->selectRow(static_cast<int>(row));
            return;
        }
    }
}

void TfrmBrowse::gridDblClick()
{
    const int row = m_view->currentRow();
    // A row without a type (no file, or a name without an extension) is not
    // marked by double click; "&Mark" still marks a named file.
    if (row >= 0 && !m_grid->model()->cell(row, kTypeColumn).isEmpty())
        m_grid->gridDblClick();
    else
        m_grid->updateDeleteButton();
}

void TfrmBrowse::btMarkClick()
{
    const int row = m_view->currentRow();
    if (row >= 0 && m_grid->rowRecord(row) != ResultGridModel::kNoRecord)
        m_grid->DeleteAllFiles();
    else
        m_grid->updateDeleteButton();
}

void TfrmBrowse::btDeleteFilesClick()
{
    if (m_grid->markedCount() <= 0)
        return;
    runDeleteMarked(this, m_grid->markedTargets(), m_grid->markedBytes());
    refresh();
}

void TfrmBrowse::btDeleteDirectoryClick()
{
    const QByteArray folder = m_folder;
    // The folder as the listing saw it: its parent's path, its own name and
    // the identity of the descriptor the listing read. A folder put in its
    // place since is not touched.
    FolderDeleteRequest request;
    DeleteTarget& target = request.target;
    target.folder = parentPathBytes(folder);
    target.name = lastComponent(folder);
    target.shown = displayName(folder);
    if (m_lines && m_lines->set().folderCount() > 0 && m_lines->set().folder(0).path == folder)
        target.identity = m_lines->set().folder(0).identity;
    FileStatus status;
    if (!target.identity.isKnown() && pathStatus(folder, &status))
        target.identity =
            FileIdentity{status.dev, status.ino, FileIdentity::typeOfMode(status.mode)};
    FileStatus parentStatus;
    if (pathStatus(target.folder, &parentStatus))
        target.folderIdentity =
            FileIdentity{parentStatus.dev, parentStatus.ino, FileIdentity::Type::Folder};
    request.window = RefusingWindow::Browser;
    // The browser words and counts a recycled tree as a deleted one.
    request.recycledCountsAsDeleted = true;
    // Out of the folder before it goes.
    request.beforeDelete = [&target] { changeWorkingFolder(target.folder); };
    if (runFolderDelete(this, request, *messageResponder()).confirmed)
        changeFolder(target.folder, true);
}

void TfrmBrowse::pnlWildClick()
{
    TfrmWildCard dialog(this);
    dialog.setPattern(m_mask);
    if (dialog.exec() == QDialog::Accepted)
        setMask(dialog.pattern());
    m_pnlWild->setText(wildcardText(m_mask));
}

void TfrmBrowse::reject()
{
    const std::int64_t marked = m_grid->markedCount();
    if (marked > 0 && !AskYesNo(tr("You have %1 files marked for deletion. Do you really wish to "
                                   "exit without deleting?")
                                    .arg(marked)))
        return;
    QDialog::reject();
}

void TfrmBrowse::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_pnlWild->setText(wildcardText(m_mask));
    changeFolder(m_folder);
    if (!m_selectFile.isEmpty())
        selectFileRow(m_selectFile);
    applyMinimumSize();
    FormResize();
    m_winPlace->restorePlacement();
}

void TfrmBrowse::applyMinimumSize()
{
    // The button row as designed: both edge margins, the widest gap left of
    // the right-hand group, and the buttons.
    int buttons = kLeftMargin + m_btDeleteDirectory->width() + 2 * kButtonGap + kRightMargin;
    for (QPushButton* b : {m_btDetails, m_btLaunch, m_btView, m_btMark, m_btDeleteFiles, m_btClose})
        buttons += b->width() + kButtonGap;
    applyScaledMinimumSize(this, QSize(buttons + 3, kDesignPanel3Top + kPanel3Height / 2));
}

void TfrmBrowse::FormResize()
{
    const int right = m_panel2->width() - kRightMargin;
    m_btDeleteDirectory->move(kLeftMargin, kButtonTop);
    int x = right;
    for (QPushButton* b :
         {m_btClose, m_btDeleteFiles, m_btMark, m_btView, m_btLaunch, m_btDetails}) {
        x -= b->width();
        b->move(x, kButtonTop);
        x -= kButtonGap;
    }
    m_grid->FormResize(m_view->width());
    m_view->setColumnWidth(kNameColumn, m_view->columnWidth(kTypeColumn));
}

void TfrmBrowse::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

bool TfrmBrowse::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pnlWild && event->type() == QEvent::MouseButtonRelease) {
        pnlWildClick();
        return true;
    }
    if ((watched == m_panel2 || watched == m_view) && event->type() == QEvent::Resize)
        FormResize();
    return QDialog::eventFilter(watched, event);
}

} // namespace rw
