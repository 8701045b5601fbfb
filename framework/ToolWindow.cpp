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
#include "framework/ResultGridController.h"
#include "framework/ScanSession.h"
#include "framework/ToolWindowParts.h"

namespace rw
{

ToolWindow::ToolWindow(QWidget* owner, const QString& name, int width, int driveGap, int buttonLeft)
    : QDialog(owner), m_driveGap(driveGap), m_buttonLeft(buttonLeft)
{
    setObjectName(name);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setSizeGripEnabled(true);
    resize(width, 478);
    m_topPanel = makeTopPanel(this, kPanelHeight);
}

ToolWindow::~ToolWindow() = default;

void ToolWindow::addDriveList()
{
    m_pckDrive =
        makeDriveCheckList(m_topPanel, width() - m_driveGap - kDriveListWidth, kDriveListWidth);
    connect(m_pckDrive, &CheckListBox::checksChanged, this, [this] { updateStartButton(); });
}

void ToolWindow::addButtons(SharedPlace shared)
{
    m_buttons = ToolButtonRow(m_topPanel);
    m_btScan = m_buttons.add(ToolButtonRow::Start);
    m_btClose = m_buttons.add(ToolButtonRow::Close);
    if (shared == SharedPlace::MarkOnAbort) {
        m_btAbort = m_buttons.add(ToolButtonRow::Abort);
        m_btMark = m_buttons.addSharing(ToolButtonRow::Mark, m_btAbort);
    } else {
        m_btMark = m_buttons.add(ToolButtonRow::Mark);
        m_btAbort = m_buttons.addSharing(ToolButtonRow::Abort, m_btMark);
    }
    m_btDelete = m_buttons.add(ToolButtonRow::Delete);
    m_btPrint = m_buttons.add(ToolButtonRow::Print);
    m_btClip = m_buttons.add(ToolButtonRow::Clip);
    m_btBrowse = m_buttons.add(ToolButtonRow::Browse);
    m_btDetails = m_buttons.add(ToolButtonRow::Details);

    connect(m_btScan, &QPushButton::clicked, this, [this] { btScanClick(); });
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btDelete, &QPushButton::clicked, this, [this] { btDeleteClick(); });
    layoutButtons();
}

void ToolWindow::addStatusPanel(const QString& name, bool arialFont)
{
    m_status = makeStatusPanel(this, name, 19, arialFont);
}

ResultGridView* ToolWindow::addGridView()
{
    m_gridView = new ResultGridView(this);
    return m_gridView;
}

void ToolWindow::completeConfig(ResultGridConfig& config)
{
    config.statusLabel = m_status;
    config.deleteButton = m_btDelete;
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
    m_session->setDisabledDuringRun(QList<QWidget*>{m_btScan, m_btClose, m_pckDrive} + disabled);

    m_place =
        TWinPlace::attach(this, placement.iniFileName, placement.identifier, placement.section);

    FillDriveCheckList(m_pckDrive, DriveEntryTexts(), CurrentDriveEntryText());
    updateStartButton();
}

void ToolWindow::btDeleteClick()
{
    if (m_grid->runDelete())
        accept();
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
        b->setVisible(visible);
}

void ToolWindow::resetResults()
{
    m_grid->savePanelHeight();
    setResultButtonsVisible(false);
    m_btAbort->hide();
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
    m_place->restorePlacement();
}

void ToolWindow::updateStartButton()
{
    if (!m_session || !m_session->isRunning())
        m_btScan->setEnabled(m_pckDrive->checkedCount() > 0);
}

void ToolWindow::hideResultButtons()
{
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
    m_btMark->setVisible(found > 0);
    m_btDelete->setVisible(found > 0);
    if (found <= 0) {
        ShowInfoMessage(QStringLiteral("No files found."));
        return false;
    }
    setResultButtonsVisible(true);
    if (!statusText.isEmpty())
        m_status->setText(statusText);
    return true;
}

void ToolWindow::layoutButtons()
{
    m_buttons.layout(m_buttonLeft, kButtonTop, kButtonWidth, kButtonHeight);
}

void ToolWindow::placeDriveList()
{
    placeDriveListRight(m_pckDrive, width(), driveListMinLeft(), m_driveGap);
}

void ToolWindow::applyMinimumSize()
{
    // No narrower than the content, no lower than twice the top panel, both
    // scaled to the screen's resolution.
    applyToolMinimumSize(this, minimumContentWidth(), kPanelHeight);
}

void ToolWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
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
