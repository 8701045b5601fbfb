#include "launcher/TfrmMain.h"

#include "about/BevelPanel.h"
#include "about/GradientBack.h"
#include "about/TfrmAbout.h"
#include "app/HelpWindow.h"
#include "base/AppGlobals.h"
#include "base/DataFiles.h"
#include "base/SearchPath.h"
#include "base/SharedRoutines.h"
#include "controls/CentreOnScreen.h"
#include "framework/DriveListFolders.h"
#include "framework/WindowHooks.h"
#include "launcher/LongLivedWindows.h"
#include "launcher/OpenModal.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QToolTip>

namespace rw
{

namespace
{
constexpr int kHintDelayMs = 1000;

// Gives the hints their delay; everything else comes from the style it wraps.
class HintDelayStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Hints on, yellow, after one second: for the whole application.
void switchHintsOn()
{
    if (!dynamic_cast<HintDelayStyle*>(QApplication::style()))
        QApplication::setStyle(new HintDelayStyle);
    QPalette hints = QToolTip::palette();
    hints.setColor(QPalette::ToolTipBase, QColor(255, 255, 0));
    hints.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(hints);
}
} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_programFolder(rw::programFolder())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Roomwise '95 Version 2.7"));
    setFixedSize(546, 413);
    QPalette face = palette();
    face.setColor(QPalette::Window, Qt::gray);
    setPalette(face);

    m_gradient = new TGradientBack(this);
    m_gradient->setObjectName(QStringLiteral("GradientBack1"));
    m_gradient->setIsAllBlue(true);

    QList<QPushButton*> order = {
        addToolPanel(9, QStringLiteral("btDuplicate"), tr("&Duplicate files"),
                     tr("Locate and view duplicate files")),
        addToolPanel(60, QStringLiteral("btFileHog"), tr("&File hogs"),
                     tr("Locate and view file hogs (large files)")),
        addToolPanel(111, QStringLiteral("btFiles"), tr("Files &accessed"),
                     tr("Files accessed within a range of dates")),
        addToolPanel(163, QStringLiteral("btDirHogs"), tr("Folder &hogs"),
                     tr("Displays large folders")),
        addToolPanel(214, QStringLiteral("btClean"), tr("&Quick clean"),
                     tr("Cleans up temporary files")),
        addToolPanel(265, QStringLiteral("btStatistic"), tr("&Statistics"),
                     tr("File/disk statistics")),
        addToolPanel(316, QStringLiteral("btBrowse"), tr("&Browse"),
                     tr("Browse through files and folders")),
        addBottomButton(152, QStringLiteral("btReach"), tr("Ab&out")),
        addBottomButton(283, QStringLiteral("btHelp"), tr("H&elp")),
        addBottomButton(413, QStringLiteral("btClose"), tr("E&xit")),
    };
    order.last()->setToolTip(tr("Quit and close "));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    const std::pair<QPushButton*, void (TfrmMain::*)()> handlers[] = {
        {order[0], &TfrmMain::btDuplicateClick}, {order[1], &TfrmMain::btFileHogClick},
        {order[2], &TfrmMain::btFilesClick},     {order[3], &TfrmMain::btDirHogsClick},
        {order[4], &TfrmMain::btCleanClick},     {order[5], &TfrmMain::btStatisticClick},
        {order[6], &TfrmMain::btBrowseClick},    {order[7], &TfrmMain::btReachClick},
        {order[8], &TfrmMain::btHelpClick},      {order[9], &TfrmMain::btCloseClick},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QPushButton::clicked, this, handler);

    // Built once, before any tool window can open; the cleaner asks the
    // same list through the free IsOnSearchPath.
    m_lb1 = GetSearchPath();
    setSearchPathFolders(m_lb1);

    setAcceptDrops(true);
    centreOnScreen(this);
}

QPushButton* TfrmMain::addToolPanel(int top, const QString& name, const QString& caption,
                                    const QString& label)
{
    auto* panel = new TBevelPanel(this);
    panel->setObjectName(QStringLiteral("Panel_") + name);
    panel->setBevelOuter(TBevelPanel::Bevel::Raised);
    panel->setBevelInner(TBevelPanel::Bevel::Lowered);
    panel->setBevelWidth(2);
    panel->setGeometry(22, top, 502, 40);

    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setGeometry(7, 6, 185, 28);

    auto* text = new QLabel(label, panel);
    text->setObjectName(QStringLiteral("lbl") + name.mid(2));
    QFont font;
    // Arial, or a face with the same metrics where Arial is not installed.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Helvetica")});
    font.setPixelSize(13);
    font.setBold(true);
    text->setFont(font);
    // White reads well on every shade of the blue background.
    QPalette pal = text->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    text->setPalette(pal);
    text->move(216, 12);
    // Up to the inner edge of the bevels.
    text->resize(502 - 216 - panel->frameThickness(), 16);
    return button;
}

QPushButton* TfrmMain::addBottomButton(int left, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(left, 374, 111, 28);
    return button;
}

bool TfrmMain::IsOnSearchPath(const QString& folder) const
{
    return rw::IsOnSearchPath(m_lb1, folder);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    switchHintsOn();
    m_helpFile = FindDataFile(m_programFolder, QStringLiteral("roomwise.hlp"));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DriveListFolders::droppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    const QList<QByteArray> paths = DriveListFolders::droppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    DriveListFolders::addFolders(paths);
}

void TfrmMain::openDup(bool duplicateMode)
{
    openModal([this, duplicateMode]() -> std::unique_ptr<QDialog> {
        const auto& factory = windowHooks().dupWindow;
        if (!factory)
            return nullptr;
        // The finder reads the mode all through its life, from its creation on.
        DuplicateMode = duplicateMode;
        return factory(this, duplicateMode);
    });
}

void TfrmMain::openTool(WindowHooks::ToolWindow WindowHooks::*which)
{
    openModal([this, which]() -> std::unique_ptr<QDialog> {
        const auto& factory = windowHooks().*which;
        return factory ? factory(this) : nullptr;
    });
}

void TfrmMain::btDuplicateClick()
{
    openDup(true);
}

void TfrmMain::btFileHogClick()
{
    openDup(false);
}

void TfrmMain::btFilesClick()
{
    openTool(&WindowHooks::modsWindow);
}

void TfrmMain::btDirHogsClick()
{
    openTool(&WindowHooks::dirHogWindow);
}

void TfrmMain::btCleanClick()
{
    openTool(&WindowHooks::cleanWindow);
}

void TfrmMain::btBrowseClick()
{
    openTool(&WindowHooks::browseWindow);
}

void TfrmMain::btStatisticClick()
{
    QWidget* statistics = LongLivedWindows::statistics();
    if (!statistics)
        return;
    statistics->show();
    statistics->raise();
    statistics->activateWindow();
}

void TfrmMain::btReachClick()
{
    openModal([this]() -> std::unique_ptr<QDialog> {
        auto about = std::make_unique<TfrmAbout>(this);
        about->setShortcutFolder(m_programFolder);
        return about;
    });
}

void TfrmMain::btHelpClick()
{
    m_helpFile = FindDataFile(m_programFolder, QStringLiteral("roomwise.hlp"));
    HelpWindow::showHelp(m_helpFile, 1, this);
}

void TfrmMain::btCloseClick()
{
    close();
}

} // namespace rw
