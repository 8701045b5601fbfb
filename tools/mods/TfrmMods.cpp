#include "tools/mods/TfrmMods.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolTipsOff.h"
#include "framework/WildcardBox.h"
#include "framework/core/ScanLimits.h"
#include "tools/mods/TfrmPickDate.h"

namespace rw
{

namespace
{

constexpr int kSearchRight = 470; // right edge of the search controls

QToolButton* makePopButton(QWidget* parent, const QString& name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(TfrmMods::tr("Popup Calendar"));
    b->setArrowType(Qt::DownArrow);
    return b;
}

QString todayText()
{
    return formatShortDate(QDate::currentDate());
}

} // namespace

TfrmMods::TfrmMods(QWidget* owner) : ToolWindow(owner, QStringLiteral("frmMods"), 660, 10, 8)
{
    setWindowTitle(tr("Files in a range of dates"));
    buildControls();
    buildGrid();
    startSession({m_dtStart, m_dtEnd, m_popStartDate, m_popEndDate},
                 {QStringLiteral("roomws95"), QStringLiteral("frmMods"), {}});
    // A plain box: no warning icon, no beep.
    m_session->setAbortNotice([] { ShowMessageBox(MessageKind::Plain, abortedByUserText()); });
}

TfrmMods::~TfrmMods() = default;

void TfrmMods::buildControls()
{
    QWidget* p = topPanel();

    m_rgWhat = new QGroupBox(tr("Search for files that were"), p);
    m_rgWhat->setObjectName(QStringLiteral("rgWhat"));
    m_rgWhat->setGeometry(8, 4, kSearchRight - 8, 46);
    m_what = new QButtonGroup(this);
    {
        auto* row = new QHBoxLayout(m_rgWhat);
        row->setContentsMargins(8, 2, 8, 4);
        const QStringList items = {tr("Last accessed"), tr("Created"), tr("Last modified")};
        for (int i = 0; i < items.size(); ++i) {
            auto* rb = new QRadioButton(items[i], m_rgWhat);
            rb->setObjectName(QStringLiteral("rgWhat%1").arg(i));
            m_what->addButton(rb, i);
            row->addWidget(rb);
        }
        m_what->button(0)->setChecked(true);
    }

    m_rgWhen = new QGroupBox(p);
    m_rgWhen->setObjectName(QStringLiteral("rgWhen"));
    m_rgWhen->setGeometry(8, 54, 124, 80);
    m_when = new QButtonGroup(this);
    {
        auto* column = new QVBoxLayout(m_rgWhen);
        column->setContentsMargins(8, 4, 4, 4);
        column->setSpacing(2);
        const QStringList items = {tr("On or Before"), tr("In between"), tr("On or After")};
        for (int i = 0; i < items.size(); ++i) {
            auto* rb = new QRadioButton(items[i], m_rgWhen);
            rb->setObjectName(QStringLiteral("rgWhen%1").arg(i));
            m_when->addButton(rb, i);
            column->addWidget(rb);
        }
        m_when->button(1)->setChecked(true);
    }

    m_dtStart = new QLineEdit(p);
    m_dtStart->setObjectName(QStringLiteral("dtStart"));
    m_dtStart->setGeometry(140, 64, 92, 22);
    m_popStartDate = makePopButton(p, QStringLiteral("popStartDate"));
    m_popStartDate->setGeometry(233, 64, 20, 22);
    m_lblAnd = new QLabel(tr("and"), p);
    m_lblAnd->setObjectName(QStringLiteral("lblAnd"));
    m_lblAnd->setGeometry(262, 67, 26, 16);
    m_dtEnd = new QLineEdit(p);
    m_dtEnd->setObjectName(QStringLiteral("dtEnd"));
    m_dtEnd->setGeometry(290, 64, 92, 22);
    m_popEndDate = makePopButton(p, QStringLiteral("popEndDate"));
    m_popEndDate->setGeometry(383, 64, 20, 22);
    m_dtStart->installEventFilter(this);
    m_dtEnd->installEventFilter(this);

    m_lblWildCaption = new QLabel(tr("Wildcard match"), p);
    m_lblWildCaption->setObjectName(QStringLiteral("lblWildCaption"));
    m_lblWildCaption->setGeometry(140, 106, 100, 16);
    m_cbWildCard = new QComboBox(p);
    m_cbWildCard->setObjectName(QStringLiteral("cbWildCard"));
    m_cbWildCard->setToolTip(tr("Wildcard pattern for matching file types"));
    m_cbWildCard->setMaxVisibleItems(14);
    m_cbWildCard->setGeometry(242, 102, 100, 22);
    m_lblWild = new QLabel(tr("All files"), p);
    m_lblWild->setObjectName(QStringLiteral("lblWild"));
    m_lblWild->setGeometry(348, 106, kSearchRight - 348, 16);
    m_wildcard = WildcardBox::setUp(m_cbWildCard, m_lblWild);

    addDriveList();
    // Abort takes the Mark button's place; this window words some hints
    // its own way.
    addButtons(SharedPlace::AbortOnMark);
    m_btScan->setObjectName(QStringLiteral("btOK"));
    m_btScan->setToolTip(tr("Start scanning for files"));
    m_btMark->setToolTip(tr("Mark files for deletion"));
    m_btAbort->setToolTip(QString());
    m_btBrowse->setToolTip(tr("Browse through files"));

    connect(m_popStartDate, &QToolButton::clicked, this, &TfrmMods::popStartDateClick);
    connect(m_popEndDate, &QToolButton::clicked, this, &TfrmMods::popEndDateClick);
    connect(m_when, &QButtonGroup::idClicked, this, [this] { rgWhenClick(); });

    // The tested time, the range and the pattern may change while a scan
    // goes; the scan takes them from the next file (the pattern from the
    // next folder).
    connect(m_what, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on && m_activeScan)
            m_activeScan->setTestedTime(testedTime());
    });
    connect(m_when, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on && m_activeScan)
            m_activeScan->setRange(dateRange());
    });
    connect(m_cbWildCard, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (m_activeScan)
            m_activeScan->setPattern(text);
    });

    addStatusPanel(QStringLiteral("pnlScan"), false);
}

void TfrmMods::buildGrid()
{
    addGridView()->setToolTip(tr("Double click to mark for deletion, right click for options"));

    ResultGridConfig c;
    c.headers = {tr("Filename"), tr("Accessed"), tr("Created"), tr("Modified"),
                 tr("Size"),     tr("Folder"),   tr("Type")};
    c.markColumn = mcFilename;
    c.sizeColumn = mcSize;
    c.sortWindowKey = QStringLiteral("TfrmMods");
    c.sortItems = {
        {tr("&Name"), QStringLiteral("Sortbyname1"), {}, mcFilename, SortKind::Text},
        {tr("Access &Date"),
         QStringLiteral("SortbyAccessDate1"),
         {},
         mcAccessed,
         SortKind::Date,
         true},
        {tr("&Creation Date"),
         QStringLiteral("SortbyCreationDate1"),
         {},
         mcCreated,
         SortKind::Date,
         true},
        {tr("&Modification Date"),
         QStringLiteral("SortbyModificationDate1"),
         {},
         mcModified,
         SortKind::Date,
         true},
        {tr("&Size"), QStringLiteral("Sortbysize1"), {}, mcSize, SortKind::Number},
        {tr("&Folder"), QStringLiteral("Sortbyfolder1"), {}, mcFolder, SortKind::Text},
        {tr("&Type"), QStringLiteral("Sortbytype1"), {}, mcType, SortKind::Text},
    };
    c.defaultSortItem = 0;
    c.wildcard = [] { return QStringLiteral("*.*"); };
    c.clipboard = ClipboardSource::GridRows;
    c.clipboardColumns = mcFolder; // Filename .. Size
    c.clipboardTrailingTab = true;
    c.columnWidths = {110, 68, 68, 68, 65, 189};
    // The Folder column is not taken off: the grid is wider than the window
    // and scrolls sideways.
    c.lastColumnWidth = [](int clientWidth, const QList<int>& scaled) {
        int w = clientWidth - 25;
        for (int i = 0; i < mcFolder && i < scaled.size(); ++i)
            w -= scaled[i];
        return w;
    };
    setController(std::move(c));
    stackWindow();
}

std::int64_t TfrmMods::rowsFilled() const
{
    return m_rowsFilled;
}

void TfrmMods::clearToOneEmptyRow()
{
    // Under the headings there is always at least one row, empty when
    // nothing was found.
    m_grid->ClearGrid();
    m_grid->addEmptyRow();
    m_rowsFilled = 0;
}

TestedTime TfrmMods::testedTime() const
{
    return TestedTime(qBound(0, m_what->checkedId(), 2));
}

DateRange TfrmMods::dateRange() const
{
    return DateRange(qBound(0, m_when->checkedId(), 2));
}

void TfrmMods::FormShow()
{
    resetResults();
    m_dtStart->setText(todayText());
    m_dtEnd->setText(todayText());
    clearToOneEmptyRow();
    m_gridView->setFocus();
    rgWhenClick();
    m_wildcard->fill(true);
    fitToWindow();
}

int TfrmMods::minimumContentWidth() const
{
    // The search controls beside the drive list.
    return kSearchRight + 10 + kDriveListWidth + 10 + 3;
}

int TfrmMods::driveListMinLeft() const
{
    return kSearchRight + 10;
}

void TfrmMods::setResultButtonsVisible(bool visible)
{
    ToolWindow::setResultButtonsVisible(visible);
    m_btMark->setVisible(visible);
    m_btDelete->setVisible(visible);
}

void TfrmMods::rgWhenClick()
{
    const bool between = dateRange() == DateRange::InBetween;
    m_lblAnd->setVisible(between);
    m_dtEnd->setVisible(between);
    m_popEndDate->setVisible(between);
    m_dtStart->setVisible(true);
    m_popStartDate->setVisible(true);
}

bool TfrmMods::checkDate(QLineEdit* field, const QString& error)
{
    if (parseShortDate(field->text()).isValid())
        return true;
    // The error box takes the focus away; that loss is not a new exit.
    m_checkingDate = true;
    field->setFocus();
    ShowErrorMessage(error);
    field->setFocus();
    m_checkingDate = false;
    return false;
}

bool TfrmMods::dtStartExit()
{
    return checkDate(m_dtStart, tr("Invalid start date"));
}

bool TfrmMods::dtEndExit()
{
    return checkDate(m_dtEnd, tr("Invalid ending date"));
}

bool TfrmMods::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_checkingDate &&
        (watched == m_dtStart || watched == m_dtEnd)) {
        // Only a move of the focus inside this window counts as leaving the
        // field; switching to another window or a pop-up does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_dtStart)
                dtStartExit();
            else
                dtEndExit();
        }
        return false;
    }
    return ToolWindow::eventFilter(watched, event);
}

void TfrmMods::btOKClick()
{
    // A date typed and never left (Start by the Enter key) is checked here:
    // a scan with a date that does not read would match nothing silently.
    if (!dtStartExit())
        return;
    if (dateRange() == DateRange::InBetween && !dtEndExit())
        return;
    ToolTipsOff hintsOff(this);
    clearToOneEmptyRow();
    scan();
}

void TfrmMods::scan()
{
    m_grid->ClearGrid();
    hideResultButtons();
    {
        ScanSession::Run run(*m_session);
        ModsScan strategy(testedTime(), dateRange(), parseShortDate(m_dtStart->text()),
                          parseShortDate(m_dtEnd->text()), m_cbWildCard->currentText());
        m_activeScan = &strategy;
        m_grid->setLines(strategy.lines());
        walkCheckedDrives(strategy);
        m_activeScan = nullptr;

        // Rows in walk order.
        const std::uint32_t found = strategy.records()->size();
        m_grid->beginFill(found);
        for (std::uint32_t rec = 0; rec < found; ++rec)
            m_grid->addToGrid(rec);
        if (found == 0)
            m_grid->addEmptyRow();
        m_grid->endFill();
        m_rowsFilled = found;
        m_gridView->selectRow(0);
    }
    m_status->setText(tr("Found : %1").arg(m_rowsFilled));
    if (reportFound(m_rowsFilled, QString()))
        m_grid->updateDeleteButton();
}

void TfrmMods::popStartDateClick()
{
    pickDate(m_dtStart, m_dtEnd);
}

void TfrmMods::popEndDateClick()
{
    pickDate(m_dtEnd, m_dtStart);
}

void TfrmMods::pickDate(QLineEdit* field, QLineEdit* other)
{
    m_checkingDate = true; // the picker takes the focus; that is no exit
    field->setFocus();
    TfrmPickDate picker(this);
    if (field->text().isEmpty())
        field->setText(todayText());
    const QPoint below = frameGeometry().topLeft() + m_topPanel->pos() + field->pos() +
                         QPoint(0, field->height() + 25);
    picker.move(below);
    const QDate typed = parseShortDate(field->text());
    picker.SetPickedDate(typed.isValid() ? QDateTime(typed, QTime(0, 0)) : QDateTime());
    if (picker.exec() == QDialog::Accepted) {
        field->setText(formatShortDate(picker.GetPickedDate().date()));
        field->selectAll();
    }
    m_checkingDate = false;

    // Keep the range in order: the date just picked wins.
    const QDate start = parseShortDate(m_dtStart->text());
    const QDate end = parseShortDate(m_dtEnd->text());
    if (start.isValid() && end.isValid() && start > end)
        other->setText(field->text());
}

QString TfrmMods::printTitle() const
{
    // Read on every call: the texts are in the language of the moment.
    const QString tested[] = {tr("Last accessed"), tr("Created"), tr("Modified")};
    QString range;
    switch (dateRange()) {
    case DateRange::OnOrBefore:
        range = tr("before %1").arg(m_dtStart->text());
        break;
    case DateRange::InBetween:
        range = tr("between %1 and %2").arg(m_dtStart->text(), m_dtEnd->text());
        break;
    case DateRange::OnOrAfter:
        range = tr("after %1").arg(m_dtStart->text());
        break;
    }
    return tr("Files %1 %2").arg(tested[int(testedTime())], range);
}

} // namespace rw
