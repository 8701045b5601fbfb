#include "framework/TfrmStatList.h"

#include "base/ProgramMessages.h"
#include "controls/PickList.h"
#include "framework/TypeListEditing.h"
#include "framework/core/StatFileLists.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace rw
{

TfrmStatList::TfrmStatList(const QString& listName, QWidget* parent)
    : QDialog(parent), m_listName(listName)
{
    setObjectName(QStringLiteral("frmStatList"));
    setWindowTitle(tr("File types"));
    setFixedSize(371, 394);

    auto* heading = new QLabel(tr("File Types"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setGeometry(8, 8, 150, 20);
    m_lblCount = new QLabel(this);
    m_lblCount->setObjectName(QStringLiteral("lblCount"));
    m_lblCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblCount->setGeometry(158, 8, 120, 20);

    m_pickList = new PickList(this);
    m_pickList->setObjectName(QStringLiteral("PickList1"));
    m_pickList->setSorted(true);
    m_pickList->setToolTip(tr("List of temporary file extensions and types"));
    m_pickList->setGeometry(8, 30, 270, 310);

    auto* hint =
        new QLabel(tr("Hint: Drag mouse or use ctrl-click to select multiple file types."), this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setWordWrap(true);
    hint->setGeometry(8, 346, 270, 40);

    struct Button {
        const char* name;
        const char* text;
        const char* hint;
        void (TfrmStatList::*slot)();
        int y;
    };
    const Button buttons[] = {
        {"btAdd", QT_TR_NOOP("&Add"), QT_TR_NOOP("Add a file extension to this list"),
         &TfrmStatList::btAddClick, 30},
        {"btDelete", QT_TR_NOOP("&Delete"), QT_TR_NOOP("Delete a file extension"),
         &TfrmStatList::btDeleteClick, 64},
        {"btClear", QT_TR_NOOP("&Clear all"), QT_TR_NOOP("Clear all extensions"),
         &TfrmStatList::btClearClick, 98},
        {"btClose", QT_TR_NOOP("Close"), QT_TR_NOOP("Close window"), &TfrmStatList::btCloseClick,
         313},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(tr(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(tr(b.hint));
        button->setAutoDefault(false);
        button->setGeometry(288, b.y, 75, 27);
        connect(button, &QPushButton::clicked, this, b.slot);
    }
}

void TfrmStatList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmStatList::keyPressEvent(QKeyEvent* event)
{
    // Escape is the cancel key of "Close", which keeps the list.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btCloseClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmStatList::FormShow()
{
    QStringList lines;
    ReadStatFilesFromDisk(lines, m_listName, *messageResponder());
    m_pickList->setLines(lines);
    updateCount();
}

void TfrmStatList::updateCount()
{
    m_lblCount->setText(tr("%1 available").arg(m_pickList->count()));
}

void TfrmStatList::btAddClick()
{
    AddTypesFromPicker(m_pickList, this);
    updateCount();
}

void TfrmStatList::btDeleteClick()
{
    DeleteSelectedTypes(m_pickList);
    updateCount();
}

void TfrmStatList::btClearClick()
{
    ClearAllTypes(m_pickList);
    updateCount();
}

void TfrmStatList::btCloseClick()
{
    if (!WriteStatFilesToDisk(m_pickList->lines(), m_listName)) {
        // The list was not kept: say so rather than close as if it had been.
        ShowErrorMessage(tr("The file type list could not be saved."));
        reject();
        return;
    }
    accept();
}

} // namespace rw
