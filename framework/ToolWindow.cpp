#include "framework/ToolWindow.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include "app/WinPlace.h"
#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridView.h"
#include "framework/DriveCheckList.h"
#include "framework/DriveListFolders.h"
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolWindowParts.h"

namespace rw
{

ToolWindow::FrameSpec ToolWindow::standardFrame(int width, int driveGap, int buttonLeft)
{
    FrameSpec frame;
    frame.width = width;
    frame.driveGap = driveGap;
    frame.buttonLeft = buttonLeft;
    return frame;
}

QList<ToolWindow::RowButton> ToolWindow::standardButtons(SharedPlace shared)
{
    using Row = ToolButtonRow;
    const bool markOnAbort = shared == SharedPlace::MarkOnAbort;
    const RowButton own = {markOnAbort ? Row::Abort : Row::Mark};
    const RowButton sharing = {markOnAbort ? Row::Mark : Row::Abort, own.role};
    return {{Row::Start}, {Row::Close}, own,           sharing,       {Row::Delete},
            {Row::Print}, {Row::Clip},  {Row::Browse}, {Row::Details}};
}

ToolWindow::ToolWindow(QWidget* owner, const QString& name, const FrameSpec& frame)
    : QDialog(owner), m_frame(frame)
{
    setObjectName(name);
    if (m_frame.sizeGrip) {
        setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
        setSizeGripEnabled(true);
    }
    resize(m_frame.width, m_frame.height);
    m_topPanel = makeTopPanel(this, m_frame.panelHeight);
}

ToolWindow::ToolWindow(QWidget* owner, const QString& name, int width, int driveGap, int buttonLeft)
    : ToolWindow(owner, name, standardFrame(width, driveGap, buttonLeft))
{
}

ToolWindow::~ToolWindow() = default;

void ToolWindow::addDriveList()
{
    m_pckDrive = makeDriveCheckList(
        m_topPanel, QRect(width() - m_frame.driveGap - m_frame.driveListWidth, m_frame.driveListTop,
                          m_frame.driveListWidth, m_frame.driveListHeight));
    connect(m_pckDrive, &CheckListBox::checksChanged, this, [this] { updateStartButton(); });
    // Folders dropped or added through the menu become drives of their own.
    new DriveListFolders(m_pckDrive, [this] { return m_session && m_session->isRunning(); });
}

void ToolWindow::addButtons(SharedPlace shared)
{
    addButtons(standardButtons(shared));
}

void ToolWindow::addButtons(const QList<RowButton>& buttons)
{
    m_buttons = ToolButtonRow(m_topPanel);
    for (const RowButton& b : buttons) {
        if (b.sharesPlaceOf)
            m_buttons.addSharing(b.role, m_buttons.button(*b.sharesPlaceOf));
        else
            m_buttons.add(b.role);
    }
    m_btScan = m_buttons.button(ToolButtonRow::Start);
    m_btClose = m_buttons.button(ToolButtonRow::Close);
    m_btAbort = m_buttons.button(ToolButtonRow::Abort);
    m_btMark = m_buttons.button(ToolButtonRow::Mark);
    m_btDelete = m_buttons.button(ToolButtonRow::Delete);
    m_btPrint = m_buttons.button(ToolButtonRow::Print);
    m_btClip = m_buttons.button(ToolButtonRow::Clip);
    m_btBrowse = m_buttons.button(ToolButtonRow::Browse);
    m_btDetails = m_buttons.button(ToolButtonRow::Details);

    if (m_btScan) {
        addStartButton(m_btScan);
        connect(m_btScan, &QPushButton::clicked, this, [this] { btScanClick(); });
    }
    if (m_btClose)
        connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
    if (m_btDelete)
        connect(m_btDelete, &QPushButton::clicked, this, [this] { btDeleteClick(); });
    if (m_btBrowse)
        connect(m_btBrowse, &QPushButton::clicked, this, [this] { btBrowseClick(); });
    layoutButtons();
}

void ToolWindow::addStartButton(QPushButton* button)
{
    m_startButtons.append(button);
}

void ToolWindow::addStatusPanel(const QString& name, bool arialFont)
{
    m_status = makeStatusPanel(this, name, m_frame.statusHeight, arialFont);
}

ResultGridView* ToolWindow::addGridView()
{
    m_gridView = new ResultGridView(this);
    return m_gridView;
}

void ToolWindow::completeConfig(ResultGridConfig& config)
{
    // Marked totals and a Delete enabled by marks belong to a window that
    // marks.
    if (m_btMark) {
        config.statusLabel = m_status;
        config.deleteButton = m_btDelete;
    }
    config.topPanel = m_topPanel;
    config.printTitle = [this] { return printTitle(); };
}

void ToolWindow::setController(ResultGridConfig config)
{
    completeConfig(config);
    m_grid = new ResultGridController(this, m_gridView, config);
}

void ToolWindow::stackWindow()
{
    // The buttons reach the controller of the moment, so a window that
    // remakes it needs no new connections.
    m_buttons.connectToGrid(this, [this] { return m_grid; });
    stackToolWindow(this, m_topPanel, m_gridView, m_status);
}

void ToolWindow::startSession(const QList<QWidget*>& disabled, const Placement& placement)
{
    m_session = new ScanSession(this, m_btAbort, m_status, m_gridView);
    QList<QWidget*> off(m_startButtons.begin(), m_startButtons.end());
    m_session->setDisabledDuringRun(off + QList<QWidget*>{m_btClose, m_pckDrive} + disabled);

    if (!placement.iniFileName.isEmpty())
        m_place =
            TWinPlace::attach(this, placement.iniFileName, placement.identifier, placement.section);

    fillDriveList();
    updateStartButton();
}

void ToolWindow::btDeleteClick()
{
    if (m_grid->runDelete())
        accept();
}

void ToolWindow::btBrowseClick()
{
    m_grid->BrowseDirectory1Click();
}

void ToolWindow::btScanClick() {}

void ToolWindow::fillDriveList()
{
    FillDriveCheckList(m_pckDrive, DriveEntryTexts(), CurrentDriveEntryText());
}

void ToolWindow::FormShow()
{
    resetResults();
    fitToWindow();
}

int ToolWindow::minimumContentWidth() const
{
    return m_buttons.right() + 3;
}

void ToolWindow::setResultButtonsVisible(bool visible)
{
    for (QPushButton* b : {m_btPrint, m_btClip, m_btBrowse, m_btDetails})
        if (b)
            b->setVisible(visible);
}

void ToolWindow::resetResults()
{
    m_grid->savePanelHeight();
    setResultButtonsVisible(false);
    m_btAbort->hide();
    if (m_btMark)
        m_btMark->hide();
    m_btDelete->hide();
    m_session->abortFlag() = false;
    m_status->clear();
    updateStartButton();
    m_btClose->setEnabled(true);
    layoutButtons();
}

void ToolWindow::fitToWindow()
{
    applyMinimumSize();
    m_grid->FormResize(width());
    placeDriveList();
    if (m_place)
        m_place->restorePlacement();
}

void ToolWindow::updateStartButton()
{
    if (m_session && m_session->isRunning())
        return;
    const bool any = m_pckDrive->checkedCount() > 0;
    for (QPushButton* b : m_startButtons)
        b->setEnabled(any);
}

void ToolWindow::hideResultButtons()
{
    if (m_btMark)
        m_btMark->hide();
    m_btDelete->hide();
    setResultButtonsVisible(false);
}

void ToolWindow::walkCheckedDrives(WalkStrategy& strategy)
{
    m_session->walkDrives(strategy, m_pckDrive->checkedLines());
}

bool ToolWindow::reportFound(std::int64_t found, const QString& statusText)
{
    if (m_btMark)
        m_btMark->setVisible(found > 0);
    m_btDelete->setVisible(found > 0);
    if (found <= 0) {
        ShowInfoMessage(tr("No files found."));
        return false;
    }
    setResultButtonsVisible(true);
    if (!statusText.isEmpty())
        m_status->setText(statusText);
    return true;
}

void ToolWindow::layoutButtons()
{
    m_buttons.layout(m_frame.buttonLeft, m_frame.buttonTop, m_frame.buttonWidth,
                     m_frame.buttonHeight, m_frame.buttonGap);
}

void ToolWindow::placeDriveList()
{
    placeDriveListRight(m_pckDrive, width(), driveListMinLeft(), m_frame.driveGap);
}

void ToolWindow::applyMinimumSize()
{
    // No narrower than the content, no lower than twice the top panel, both
    // scaled to the screen's resolution.
    applyToolMinimumSize(this, minimumContentWidth(), m_frame.panelHeight);
}

void ToolWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && (m_frame.reset == ShowReset::EveryShow || !m_shownOnce)) {
        m_shownOnce = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void ToolWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_grid)
        m_grid->FormResize(event->size().width());
    if (m_pckDrive)
        placeDriveList();
}

} // namespace rw
