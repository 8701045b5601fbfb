#include "framework/ToolWindowParts.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "controls/CheckListBox.h"

namespace rw
{

QFrame* makeTopPanel(QWidget* window, int height)
{
    auto* panel = new QFrame(window);
    panel->setObjectName(QStringLiteral("pnlTop"));
    panel->setFixedHeight(height);
    return panel;
}

QLabel* makeStatusPanel(QWidget* window, const QString& name, int height, bool arialFont)
{
    auto* status = new QLabel(window);
    status->setObjectName(name);
    status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (arialFont) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(12);
        status->setFont(f);
    }
    status->setFixedHeight(height);
    return status;
}

CheckListBox* makeDriveCheckList(QWidget* panel, const QRect& geometry)
{
    auto* list = new CheckListBox(panel);
    list->setObjectName(QStringLiteral("pckDrive"));
    list->setGeometry(geometry);
    return list;
}

void stackToolWindow(QWidget* window, QWidget* topPanel, QWidget* grid, QWidget* statusPanel)
{
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topPanel);
    layout->addWidget(grid, 1);
    layout->addWidget(statusPanel);
}

void applyScaledMinimumSize(QWidget* window, QSize designSize)
{
    const int dpi = window->logicalDpiX();
    int w = designSize.width() * dpi / 96;
    const QScreen* s = window->screen();
    if (s && s->availableGeometry().width() < w)
        w = s->availableGeometry().width() - 10;
    window->setMinimumSize(w, designSize.height() * dpi / 96);
}

void applyToolMinimumSize(QWidget* window, int contentWidth, int panelHeight)
{
    applyScaledMinimumSize(window, QSize(contentWidth, 2 * panelHeight));
}

void placeDriveListRight(QWidget* driveList, int windowWidth, int minLeft, int gap)
{
    QRect r = driveList->geometry();
    r.moveLeft(qMax(minLeft, windowWidth - gap - r.width()));
    driveList->setGeometry(r);
}

} // namespace rw
