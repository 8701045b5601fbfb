#include "tools/stats/TfrmStatistics.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPieSeries>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "base/ProgramMessages.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/PrintRoutines.h"
#include "framework/DriveCheckList.h"
#include "framework/ScanSession.h"
#include "framework/TfrmWhichDrive.h"
#include "framework/core/FileTypes.h"
#include "platform/Drives.h"
#include "tools/stats/ElidedLabel.h"
#include "tools/stats/StatsCharts.h"
#include "tools/stats/StatsDatePages.h"
#include "tools/stats/StatsOverhangPage.h"
#include "tools/stats/StatsSpacePage.h"
#include "tools/stats/StatsTypesPage.h"
#include "tools/stats/core/StatsTexts.h"

namespace rw
{

namespace
{

const char* const kNotYetText =
    QT_TRANSLATE_NOOP("rw::TfrmStatistics", "Statistics haven't been collected yet!");

QRadioButton* addRadio(QButtonGroup* group, QLayout* layout, const QString& text, int id)
{
    auto* rb = new QRadioButton(text);
    group->addButton(rb, id);
    layout->addWidget(rb);
    return rb;
}

} // namespace

TfrmStatistics::TfrmStatistics(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(tr("File Statistics Not Yet Collected"));
    resize(760, 580);

    m_notebook = new QTabWidget(this);
    m_notebook->setObjectName(QStringLiteral("OvcNotebook1"));
    // The page names are English; the tab texts are in the user's language.
    const char* const tabs[] = {
        QT_TR_NOOP("Space"),     QT_TR_NOOP("Deleted"),  QT_TR_NOOP("Types"),
        QT_TR_NOOP("Sizes"),     QT_TR_NOOP("Overhang"), QT_TR_NOOP("Access"),
        QT_TR_NOOP("Created"),   QT_TR_NOOP("Modified"), QT_TR_NOOP("Combined"),
        QT_TR_NOOP("Attribute"), QT_TR_NOOP("Time")};
    QList<QWidget*> pages;
    for (const char* tab : tabs) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("page") + QLatin1String(tab));
        m_notebook->addTab(page, tr(tab));
        pages.append(page);
    }
    m_spacePage = new StatsSpacePage(
        pages[Space], [this] { return m_notebook->currentIndex() == Space; }, this);
    buildDeletedPage(pages[Deleted]);
    m_typesPage = new StatsTypesPage(pages[Types], this);
    buildSizesPage(pages[Sizes]);
    m_overhangPage = std::make_unique<StatsOverhangPage>(pages[Overhang]);
    m_datePages = new StatsDatePages(this, {pages[Access], pages[Created], pages[Modified],
                                            pages[Combined], pages[Attribute], pages[Time]});

    m_pnlNotYet = new QFrame(m_notebook);
    m_pnlNotYet->setObjectName(QStringLiteral("pnlNotYet"));
    m_pnlNotYet->setFrameShape(QFrame::Panel);
    m_pnlNotYet->setAutoFillBackground(true);
    auto* notYetLayout = new QVBoxLayout(m_pnlNotYet);
    m_lblNotYet = new QLabel(tr(kNotYetText));
    m_lblNotYet->setObjectName(QStringLiteral("lblNotYet"));
    m_lblNotYet->setAlignment(Qt::AlignCenter);
    m_lblNotYet->setWordWrap(true);
    QFont big = m_lblNotYet->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_lblNotYet->setFont(big);
    m_btAbort = new QPushButton(tr("Abort"));
    m_btAbort->setObjectName(QStringLiteral("btAbort"));
    m_btAbort->hide();
    notYetLayout->addStretch();
    notYetLayout->addWidget(m_lblNotYet);
    notYetLayout->addWidget(m_btAbort, 0, Qt::AlignCenter);
    notYetLayout->addStretch();
    m_notebook->installEventFilter(this);

    m_btCancel = new QPushButton(tr("Close"));
    m_btCancel->setObjectName(QStringLiteral("btCancel"));
    m_btOK = new QPushButton(tr("&Collect statistics"));
    m_btOK->setObjectName(QStringLiteral("btOK"));
    m_btOK->setToolTip(tr("Start collecting statistics"));
    m_btPrint = new QPushButton(tr("&Print page"));
    m_btPrint->setObjectName(QStringLiteral("btPrint"));
    m_btPrint->setToolTip(tr("Print this page only"));
    m_status = new ElidedLabel;
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btCancel);
    buttons->addWidget(m_btOK);
    buttons->addWidget(m_btPrint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_notebook, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_status);

    m_session = new ScanSession(this, m_btAbort, nullptr);
    m_session->setStatusSink([this](const QString& text) { m_status->setText(text); });
    m_session->setStatusFormatter([this](const WalkFolder& folder) {
        return tr("Processing drive %1 ... standby : %2").arg(m_currentDrive, folder.displayPath());
    });
    // The caption and the status line tell of an abort; no box is needed.
    m_session->setAbortNotice([] {});
    QList<QWidget*> runControls{m_btPrint, m_btOK, m_button1};
    runControls.append(m_spacePage->runControls());
    runControls.append(m_typesPage->runControls());
    for (QAbstractButton* b : m_rgSizes->buttons())
        runControls.append(b);
    runControls.append(m_datePages->runControls());
    m_session->setDisabledDuringRun(runControls);

    connect(m_btOK, &QPushButton::clicked, this, &TfrmStatistics::btOKClick);
    connect(m_btCancel, &QPushButton::clicked, this, &TfrmStatistics::btCancelClick);
    connect(m_btPrint, &QPushButton::clicked, this, &TfrmStatistics::btPrintClick);
    connect(m_notebook, &QTabWidget::currentChanged, this, &TfrmStatistics::pageChanged);
    // Esc stops a running collection and otherwise closes (hides) the window.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &TfrmStatistics::btCancelClick);

    // A click on either pie starts or stops its rotation.
    m_pieTimer = new QTimer(this);
    m_pieTimer->setInterval(150);
    connect(m_pieTimer, &QTimer::timeout, this, &TfrmStatistics::Timer1Timer);
    // A click on either pie starts or stops its rotation; the scroll bars
    // turn their pies by hand.
    const QPair<QChartView*, QScrollBar*> pies[2] = {
        {m_spacePage->pieView(), m_spacePage->scrollBar()},
        {m_typesPage->pieView(), m_typesPage->scrollBar()}};
    for (const auto& [view, bar] : pies) {
        view->viewport()->installEventFilter(this);
        bar->setRange(0, 359);
        bar->setValue(60);
        connect(bar, &QScrollBar::valueChanged, this,
                [view](int angle) { setPieRotation(view->chart(), angle); });
    }

    // The space page offers every drive but the floppy letters a: and b:,
    // with the current one ticked.
    QStringList spaceDrives;
    for (const QString& entry : DriveEntryTexts())
        if (!entry.startsWith(QLatin1Char('a'), Qt::CaseInsensitive) &&
            !entry.startsWith(QLatin1Char('b'), Qt::CaseInsensitive))
            spaceDrives.append(entry);
    FillDriveCheckList(m_spacePage->driveList(), spaceDrives, CurrentDriveEntryText());
    m_notebook->setCurrentIndex(Space);
}

TfrmStatistics::~TfrmStatistics() = default;

void TfrmStatistics::doDiskSize()
{
    m_spacePage->doDiskSize();
}

// ---- Deleted page ------------------------------------------------------

void TfrmStatistics::buildDeletedPage(QWidget* page)
{
    auto* heading = new QLabel(tr("Files processed by Roomwise 95"), page);
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    heading->setFont(f);
    m_lblSince1 = new QLabel(page);
    m_lblSince1->setObjectName(QStringLiteral("lblSince1"));

    const char* names[4] = {"lblDelFiles", "lblDelBytes", "lblWasteFiles", "lblWasteBytes"};
    for (int i = 0; i < 4; ++i) {
        m_lblDeleted[i] = new QLabel(page);
        m_lblDeleted[i]->setObjectName(QLatin1String(names[i]));
        m_lblDeleted[i]->setFrameShape(QFrame::Panel);
        m_lblDeleted[i]->setFrameShadow(QFrame::Sunken);
        m_lblDeleted[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_lblDeleted[i]->setMinimumWidth(200);
    }
    auto* deleted = new QGroupBox(tr("Deleted files"), page);
    auto* dl = new QVBoxLayout(deleted);
    dl->addWidget(m_lblDeleted[0]);
    dl->addWidget(m_lblDeleted[1]);
    auto* recycled = new QGroupBox(tr("Files sent to the recycle bin"), page);
    auto* rl = new QVBoxLayout(recycled);
    rl->addWidget(m_lblDeleted[2]);
    rl->addWidget(m_lblDeleted[3]);

    m_button1 = new QPushButton(tr("Reset these numbers"), page);
    m_button1->setObjectName(QStringLiteral("Button1"));
    connect(m_button1, &QPushButton::clicked, this, &TfrmStatistics::Button1Click);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    layout->addWidget(m_lblSince1, 0, Qt::AlignHCenter);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(deleted);
    boxes->addWidget(recycled);
    layout->addLayout(boxes);
    layout->addWidget(m_button1, 0, Qt::AlignHCenter);
    layout->addStretch();
}

void TfrmStatistics::showFilesDeleted()
{
    const DeletedTexts t = deletedTexts(readDeletionTotals());
    m_lblSince1->setText(t.since);
    m_lblDeleted[0]->setText(t.filesDeleted);
    m_lblDeleted[1]->setText(t.bytesDeleted);
    m_lblDeleted[2]->setText(t.filesRecycled);
    m_lblDeleted[3]->setText(t.bytesRecycled);
}

void TfrmStatistics::Button1Click()
{
    if (!AskYesNo(tr("Reset cumulative totals?"), MessageKind::Information))
        return;
    if (!resetDeletionTotals()) {
        ShowErrorMessage(tr("Could not write the settings file."));
        return;
    }
    showFilesDeleted();
}

// ---- Sizes page --------------------------------------------------------

void TfrmStatistics::buildSizesPage(QWidget* page)
{
    auto* rgSizes = new QGroupBox(page);
    rgSizes->setObjectName(QStringLiteral("rgSizes"));
    auto* rgLayout = new QHBoxLayout(rgSizes);
    m_rgSizes = new QButtonGroup(rgSizes);
    addRadio(m_rgSizes, rgLayout, tr("Listing"), 0);
    addRadio(m_rgSizes, rgLayout, tr("Chart by Size (in MB)"), 1)->setChecked(true);
    addRadio(m_rgSizes, rgLayout, tr("Chart by Number of Files"), 2);
    connect(m_rgSizes, &QButtonGroup::idClicked, this, &TfrmStatistics::rgSizesClick);

    m_gridSizes = makeStatsGrid(page, "gridSizes",
                                {tr("File size"), tr("Total file size"), tr("Number of files")},
                                StatsCollector::kSizeClasses);
    m_chartSizes = makeChartView(page, "chartSizes");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rgSizes);
    layout->addWidget(m_gridSizes, 1);
    layout->addWidget(m_chartSizes, 1);
    m_gridSizes->hide();
    fillGridSizes();
}

void TfrmStatistics::fillGridSizes()
{
    // Largest class on top.
    for (int r = 0; r < StatsCollector::kSizeClasses; ++r) {
        const int cls = StatsCollector::kSizeClasses - 1 - r;
        setGridCell(m_gridSizes, r, 0, sizeClassLabel(cls));
        setGridCell(m_gridSizes, r, 1, FormatGrouped(m_stats.sizeClass(cls).bytes));
        setGridCell(m_gridSizes, r, 2, FormatGrouped(m_stats.sizeClass(cls).count));
    }
}

void TfrmStatistics::rgSizesClick()
{
    const int choice = m_rgSizes->checkedId();
    m_gridSizes->setVisible(choice == 0);
    m_chartSizes->setVisible(choice != 0);
    if (choice == 0)
        return;
    QList<ChartPoint> points;
    for (int c = 0; c < StatsCollector::kSizeClasses; ++c) {
        const Bucket& b = m_stats.sizeClass(c);
        points.append({sizeClassLabel(c), choice == 1 ? double(b.bytes) / 1048576 : double(b.count),
                       statsColourTable()[c]});
    }
    BarStyle style;
    style.horizontal = true;
    style.wholeNumbers = choice == 2;
    showBars(m_chartSizes->chart(), choice == 1 ? tr("File Sizes in MB") : tr("Number of Files"),
             points, style);
}

// ---- Runs --------------------------------------------------------------

void TfrmStatistics::btOKClick()
{
    TfrmWhichDrive wizard(this);
    if (wizard.exec() != QDialog::Accepted)
        return;
    const TypeFilter filter = wizard.allFiles()          ? TypeFilter::AllFiles
                              : wizard.includeSelected() ? TypeFilter::Include
                                                         : TypeFilter::Exclude;
    collect(wizard.checkedDrives(), filter,
            filter == TypeFilter::AllFiles ? QStringList() : wizard.selectedTypes());
}

bool TfrmStatistics::collect(const QStringList& driveEntries, TypeFilter filter,
                             const QStringList& typeLines)
{
    if (driveEntries.isEmpty() || m_busy)
        return false;
    double capacity = 0;
    for (const QString& entry : driveEntries) {
        DriveGeometry g;
        if (!entry.isEmpty() && entry.at(0).isLetter() && DriveValid(entry.at(0)) &&
            driveGeometry(entry.at(0), &g))
            capacity += double(g.totalBytes());
    }
    if (capacity <= 0) {
        ShowErrorMessage(tr("Could not compute the total size of the disk drives "
                            "selected.  Cannot proceed with statistics."));
        return false;
    }
    m_drives = driveEntries;
    m_session->abortFlag() = false;
    if (m_drives.size() == 1)
        ShowInfoMessage(tr("Disk Drive %1 will be scanned.  The analysis may take some time.  You "
                           "may quit at any time by clicking Abort or pressing ESC.")
                            .arg(m_drives.first()));
    else
        ShowInfoMessage(tr(
            "Since you selected more than one drive to analyze, the Cluster Overhang tab will be "
            "disabled.  You may quit the analysis at any time by clicking CANCEL or by pressing "
            "ESC."));

    const bool single = m_drives.size() == 1;
    m_stats.setTypeFilter(filter, typeLines);
    m_stats.setSlackEnabled(single);
    m_stats.setToday(QDate::currentDate());
    m_stats.clear();
    m_typesPage->clear();
    m_notebook->setTabEnabled(Overhang, single);

    QString driveText;
    for (const QString& entry : m_drives) {
        if (m_session->aborted())
            break;
        m_currentDrive = entry;
        const QChar letter = entry.at(0).toUpper();
        driveText += QString(letter) + QStringLiteral(": ");
        DriveGeometry g;
        if (!DriveValid(letter) || !driveGeometry(letter, &g))
            continue;
        m_clusterSize = g.clusterSize;
        m_busy = true;
        m_lblNotYet->setText(
            tr("Collecting statistics ... standby.  Press Esc or click Abort to stop."));
        m_pnlNotYet->show();
        m_pnlNotYet->raise();
        scan(entry);
        m_collected = true;
        m_busy = false;
        if (m_session->aborted()) {
            setWindowTitle(tr("File Statistics for drive(s) incomplete ... aborted."));
            break;
        }
        setWindowTitle(tr("Statistics completed for drives %1").arg(driveText.toUpper()));
    }
    m_lblNotYet->setText(tr(kNotYetText));
    pageChanged(m_notebook->currentIndex());
    return m_collected;
}

void TfrmStatistics::scan(const QString& entry)
{
    m_status->clear();
    {
        ScanSession::Run run(*m_session);
        // Esc and Close stop the walk rather than close the window.
        m_btCancel->setEnabled(true);
        m_session->walkDrives(m_stats, {entry});
        refreshViews();
    }
    QString text = tr("Finished - %1 files processed").arg(FormatGrouped(m_stats.filesProcessed()));
    if (m_stats.filesFound() != m_stats.filesProcessed())
        text += QStringLiteral(" ") + tr("%1 files found").arg(FormatGrouped(m_stats.filesFound()));
    if (m_session->aborted())
        text += tr(" INCOMPLETE ... ABORTED");
    m_status->setText(text);
}

void TfrmStatistics::refreshViews()
{
    if (m_drives.size() == 1 && !m_overhangPage->refresh(m_stats, m_clusterSize))
        m_notebook->setTabEnabled(Overhang, false);
    m_typesPage->doFileTypes(m_stats);
    fillGridSizes();
    rgSizesClick();
    m_datePages->refresh(m_stats);
    m_typesPage->sortTypes(0);
}

void TfrmStatistics::btCancelClick()
{
    if (m_busy) {
        m_session->abortFlag() = true;
        return;
    }
    reject();
}

void TfrmStatistics::btPrintClick()
{
    QPrinter printer;
    if (!runPrintDialog(this, &printer))
        return;
    if (!printPage(&printer))
        ShowErrorMessage(tr("Could not print this page."));
}

bool TfrmStatistics::printPage(QPrinter* printer)
{
    if (m_notebook->currentIndex() == Types && m_typesPage->listingChosen())
        return m_typesPage->print(tr("File types for drive %1").arg(m_currentDrive), printer);
    // Any other page prints as the window's image on white grounds, scaled
    // to the paper.
    return rw::printImage(printer, printImage());
}

QImage TfrmStatistics::printImage()
{
    changeBackgroundColor(Qt::white);
    const QImage image = grab().toImage();
    changeBackgroundColor(QApplication::palette().color(QPalette::Button));
    return image;
}

void TfrmStatistics::changeBackgroundColor(const QColor& colour)
{
    // The window, the notebook and its pages, the check lists, the charts
    // and the statistics grids; the type grid keeps its own colours.
    const bool restore = colour == QApplication::palette().color(QPalette::Button);
    auto setGround = [&](QWidget* w, QPalette::ColorRole role) {
        if (restore) {
            w->setPalette(QPalette());
            return;
        }
        QPalette p = w->palette();
        p.setColor(role, colour);
        if (role == QPalette::Window)
            p.setColor(QPalette::Button, colour);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    };
    setGround(this, QPalette::Window);
    setGround(m_notebook, QPalette::Window);
    for (int i = 0; i < m_notebook->count(); ++i)
        setGround(m_notebook->widget(i), QPalette::Window);
    for (CheckListBox* list : findChildren<CheckListBox*>())
        setGround(list, QPalette::Base);
    for (QTableWidget* grid : findChildren<QTableWidget*>())
        setGround(grid, QPalette::Base);
    for (QChartView* view : findChildren<QChartView*>()) {
        setGround(view, QPalette::Window);
        view->setBackgroundBrush(colour);
        view->chart()->setBackgroundBrush(colour);
    }
    if (restore) {
        for (int i = 0; i < m_notebook->count(); ++i)
            m_notebook->widget(i)->setAutoFillBackground(false);
    }
}

void TfrmStatistics::Timer1Timer()
{
    QScrollBar* bar = nullptr;
    if (m_notebook->currentIndex() == Space && m_spacePage->pieChosen())
        bar = m_spacePage->scrollBar();
    else if (m_notebook->currentIndex() == Types && !m_typesPage->listingChosen())
        bar = m_typesPage->scrollBar();
    if (bar)
        bar->setValue((bar->value() + 3) % 360);
}

// ---- Notebook ----------------------------------------------------------

void TfrmStatistics::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_spacePage->doDiskSize();
    pageChanged(m_notebook->currentIndex());
}

void TfrmStatistics::showPage(Page page)
{
    m_notebook->setCurrentIndex(page);
}

QString TfrmStatistics::statusText() const
{
    return m_status->text();
}

void TfrmStatistics::pageChanged(int index)
{
    if (index == Deleted)
        showFilesDeleted();
    if (index == Space) {
        m_spacePage->doDiskSize();
        m_spacePage->startBarAnimation();
    }
    // The space and deleted pages need no collection.
    const bool notYet = m_busy || (!m_collected && index != Space && index != Deleted);
    m_pnlNotYet->setVisible(notYet);
    m_btAbort->setVisible(m_busy);
    if (notYet) {
        placeNotYetPanel();
        m_pnlNotYet->raise();
    }
}

void TfrmStatistics::placeNotYetPanel()
{
    const int top = m_notebook->tabBar()->height();
    m_pnlNotYet->setGeometry(0, top, m_notebook->width(), m_notebook->height() - top);
}

bool TfrmStatistics::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_notebook && event->type() == QEvent::Resize)
        placeNotYetPanel();
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_spacePage->pieView()->viewport() ||
         watched == m_typesPage->pieView()->viewport())) {
        if (m_pieTimer->isActive())
            m_pieTimer->stop();
        else
            m_pieTimer->start();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace rw
